#include "export/ExportOptionsDialog.h"

#include "export/ExportOptions.h"
#include "foundation/Codepages.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

enum TText {
    txtCaption = 134, txtTabCsv = 178, txtTabText = 179, txtOk = 25, txtCancel = 22, txtDelimiter = 139,
    txtTab = 140, txtComma = 141, txtSpace = 142, txtOther = 143, txtQuotes = 144, txtAsciiDos = 149,
    txtDataOnly = 182, txtSummaryLine = 198, txtIncludeHeader = 199, txtFieldsHeader = 200,
    txtReportHeader = 201, txtPageBreak = 171, txtPaging = 172, txtNone = 173, txtEmptyLine = 174,
    txtFormFeed = 175, txtContinuous = 176, txtLinesInPage = 177, txtLinesNotPositive = 180,
};

constexpr int kDefaultLinesInPage = 60;

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TExportTab &ExportTabSelector()
{
    static TExportTab tab = TExportTab::CSV;
    return tab;
}

TfrmExportOpt::TfrmExportOpt(QWidget *parent, const QString &settingsPath)
    : QDialog(parent), m_settingsPath(settingsPath.isEmpty() ? ClientParInProgramDir() : settingsPath)
{
    setObjectName(QStringLiteral("frmExportOpt"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    buildControls();
    TranslateFormFonts(this);
    TExportOptions options;
    LoadExportOptions(m_settingsPath, options);
    loadOptions(options);
    setTexts();
    setFixedSize(sizeHint());
}

void TfrmExportOpt::buildControls()
{
    chkAsciiDos = named(new QCheckBox(this), "chkAsciiDos");
    chkDataOnly = named(new QCheckBox(this), "chkDataOnly");
    pagExportOpt = named(new QTabWidget(this), "pagExportOpt");
    tabCSV = named(new QWidget(pagExportOpt), "tabCSV");
    tabText = named(new QWidget(pagExportOpt), "tabText");

    // CSV: the delimiter and what the file holds.
    grpDelimeter = named(new QGroupBox(tabCSV), "grpDelimeter");
    radTab = named(new QRadioButton(grpDelimeter), "radTab");
    radComma = named(new QRadioButton(grpDelimeter), "radComma");
    radSpace = named(new QRadioButton(grpDelimeter), "radSpace");
    radOther = named(new QRadioButton(grpDelimeter), "radOther");
    edtDelimiter = named(new QLineEdit(grpDelimeter), "edtDelimiter");
    edtDelimiter->setMaxLength(1);
    edtDelimiter->setFixedWidth(32);
    auto *delimiters = new QGridLayout(grpDelimeter);
    delimiters->addWidget(radTab, 0, 0);
    delimiters->addWidget(radComma, 1, 0);
    delimiters->addWidget(radSpace, 2, 0);
    delimiters->addWidget(radOther, 3, 0);
    delimiters->addWidget(edtDelimiter, 3, 1, Qt::AlignLeading);

    grpOptions = named(new QGroupBox(tabCSV), "grpOptions");
    chkQuotes = named(new QCheckBox(grpOptions), "chkQuotes");
    chkIncludeSummaryLine = named(new QCheckBox(grpOptions), "chkIncludeSummaryLine");
    chkIncludeHeader = named(new QCheckBox(grpOptions), "chkIncludeHeader");
    rbIncludeFieldsHeader = named(new QRadioButton(grpOptions), "rbIncludeFieldsHeader");
    rbIncludeReportHeader = named(new QRadioButton(grpOptions), "rbIncludeReportHeader");
    auto *csvOptions = new QVBoxLayout(grpOptions);
    csvOptions->addWidget(chkQuotes);
    csvOptions->addWidget(chkIncludeSummaryLine);
    csvOptions->addWidget(chkIncludeHeader);
    for (QRadioButton *header : {rbIncludeFieldsHeader, rbIncludeReportHeader}) {
        auto *indented = new QHBoxLayout;
        indented->addSpacing(20);
        indented->addWidget(header);
        csvOptions->addLayout(indented);
    }
    auto *csvLayout = new QHBoxLayout(tabCSV);
    csvLayout->addWidget(grpDelimeter);
    csvLayout->addWidget(grpOptions);

    // Text pages: page separator and paging.
    grpPageBreak = named(new QGroupBox(tabText), "grpPageBreak");
    radNone = named(new QRadioButton(grpPageBreak), "radNone");
    radEmptyLine = named(new QRadioButton(grpPageBreak), "radEmptyLine");
    radFF = named(new QRadioButton(grpPageBreak), "radFF");
    auto *breaks = new QVBoxLayout(grpPageBreak);
    breaks->addWidget(radNone);
    breaks->addWidget(radEmptyLine);
    breaks->addWidget(radFF);
    breaks->addStretch();

    grpPaging = named(new QGroupBox(tabText), "grpPaging");
    radContinious = named(new QRadioButton(grpPaging), "radContinious");
    radLinesInPage = named(new QRadioButton(grpPaging), "radLinesInPage");
    edtLinesInPage = named(new QLineEdit(grpPaging), "edtLinesInPage");
    edtLinesInPage->setMaxLength(6);
    edtLinesInPage->setFixedWidth(64);
    edtLinesInPage->setLayoutDirection(Qt::LeftToRight);
    auto *paging = new QGridLayout(grpPaging);
    paging->addWidget(radContinious, 0, 0);
    paging->addWidget(radLinesInPage, 1, 0);
    paging->addWidget(edtLinesInPage, 1, 1, Qt::AlignLeading);
    paging->setRowStretch(2, 1);
    auto *textLayout = new QHBoxLayout(tabText);
    textLayout->addWidget(grpPaging);
    textLayout->addWidget(grpPageBreak);

    pagExportOpt->addTab(tabCSV, QString());
    pagExportOpt->addTab(tabText, QString());

    btnOK = named(new QPushButton(this), "btnOK");
    btnCancel = named(new QPushButton(this), "btnCancel");
    btnOK->setDefault(true);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(chkAsciiDos);
    left->addWidget(chkDataOnly);
    left->addWidget(pagExportOpt);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    for (QRadioButton *r : {radTab, radComma, radSpace, radOther})
        connect(r, &QRadioButton::clicked, this, &TfrmExportOpt::delimiterClick);
    for (QRadioButton *r : {radContinious, radLinesInPage})
        connect(r, &QRadioButton::clicked, this, &TfrmExportOpt::pagingClick);
    connect(chkDataOnly, &QCheckBox::clicked, this, &TfrmExportOpt::dataOnlyClick);
    connect(chkIncludeHeader, &QCheckBox::clicked, this, &TfrmExportOpt::includeHeaderClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmExportOpt::OkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmExportOpt::setTexts()
{
    setWindowTitle(DisplayText(txtCaption));
    pagExportOpt->setTabText(0, DisplayText(txtTabCsv));
    pagExportOpt->setTabText(1, DisplayText(txtTabText));
    btnOK->setText(DisplayText(txtOk));
    btnCancel->setText(DisplayText(txtCancel));
    grpDelimeter->setTitle(DisplayText(txtDelimiter));
    grpOptions->setTitle(QString());
    radTab->setText(DisplayText(txtTab));
    radComma->setText(DisplayText(txtComma));
    radSpace->setText(DisplayText(txtSpace));
    radOther->setText(DisplayText(txtOther));
    chkQuotes->setText(DisplayText(txtQuotes));
    chkAsciiDos->setText(DisplayText(txtAsciiDos));
    chkDataOnly->setText(DisplayText(txtDataOnly));
    chkIncludeSummaryLine->setText(DisplayText(txtSummaryLine));
    chkIncludeHeader->setText(DisplayText(txtIncludeHeader));
    rbIncludeFieldsHeader->setText(DisplayText(txtFieldsHeader));
    rbIncludeReportHeader->setText(DisplayText(txtReportHeader));
    grpPageBreak->setTitle(DisplayText(txtPageBreak));
    grpPaging->setTitle(DisplayText(txtPaging));
    radNone->setText(DisplayText(txtNone));
    radEmptyLine->setText(DisplayText(txtEmptyLine));
    radFF->setText(DisplayText(txtFormFeed));
    radContinious->setText(DisplayText(txtContinuous));
    radLinesInPage->setText(DisplayText(txtLinesInPage));
}

void TfrmExportOpt::loadOptions(const TExportOptions &options)
{
    switch (options.Delimiter) {
    case 9: radTab->setChecked(true); break;
    case 44: radComma->setChecked(true); break;
    case 32: radSpace->setChecked(true); break;
    default: radOther->setChecked(true); break;
    }
    const bool other = radOther->isChecked();
    edtDelimiter->setEnabled(other);
    edtDelimiter->setText(other ? FromWin1255(QByteArray(1, options.Delimiter)) : QString());

    chkQuotes->setChecked(options.ForceQuote);
    chkAsciiDos->setChecked(options.AsciiDos);
    chkDataOnly->setChecked(options.DataOnly);
    chkIncludeSummaryLine->setChecked(options.IncludeSummaryLine);
    chkIncludeHeader->setChecked(options.IncludeHeader);
    rbIncludeFieldsHeader->setChecked(options.HeaderType == htFieldsHeader);
    rbIncludeReportHeader->setChecked(options.HeaderType == htReportHeader);
    chkIncludeHeader->setEnabled(!options.DataOnly);
    const bool headerKinds = !options.DataOnly && options.IncludeHeader;
    rbIncludeFieldsHeader->setEnabled(headerKinds);
    rbIncludeReportHeader->setEnabled(headerKinds);

    radNone->setChecked(options.PageBreak == pbNone);
    radEmptyLine->setChecked(options.PageBreak == pbEmptyLine);
    radFF->setChecked(options.PageBreak == pbFormFeed);
    const bool paged = options.LinesInPage >= 0;
    (paged ? radLinesInPage : radContinious)->setChecked(true);
    edtLinesInPage->setEnabled(paged);
    edtLinesInPage->setText(QString::number(paged ? options.LinesInPage : kDefaultLinesInPage));
    for (QRadioButton *r : {radNone, radEmptyLine, radFF})
        r->setEnabled(paged);
}

void TfrmExportOpt::showEvent(QShowEvent *event)
{
    pagExportOpt->setCurrentWidget(ExportTabSelector() == TExportTab::Text ? tabText : tabCSV);
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TfrmExportOpt::delimiterClick()
{
    edtDelimiter->setEnabled(radOther->isChecked());
    if (radOther->isChecked())
        edtDelimiter->setFocus();
}

void TfrmExportOpt::pagingClick()
{
    const bool paged = radLinesInPage->isChecked();
    edtLinesInPage->setEnabled(paged);
    for (QRadioButton *r : {radNone, radEmptyLine, radFF})
        r->setEnabled(paged);
    if (paged)
        edtLinesInPage->setFocus();
}

void TfrmExportOpt::dataOnlyClick()
{
    chkIncludeHeader->setEnabled(!chkDataOnly->isChecked());
    includeHeaderClick();
}

void TfrmExportOpt::includeHeaderClick()
{
    const bool enabled = !chkDataOnly->isChecked() && chkIncludeHeader->isChecked();
    rbIncludeFieldsHeader->setEnabled(enabled);
    rbIncludeReportHeader->setEnabled(enabled);
}

void TfrmExportOpt::OkClick()
{
    bool number = false;
    const int lines = edtLinesInPage->text().trimmed().toInt(&number);
    if (!number || lines <= 0) {
        WarnOk(DisplayText(txtLinesNotPositive));
        edtLinesInPage->setFocus();
        return;
    }
    TExportOptions options;
    if (radTab->isChecked())
        options.Delimiter = 9;
    else if (radComma->isChecked())
        options.Delimiter = 44;
    else if (radSpace->isChecked())
        options.Delimiter = 32;
    else if (!edtDelimiter->text().isEmpty())
        options.Delimiter = ToWin1255(edtDelimiter->text().left(1)).at(0);
    options.ForceQuote = chkQuotes->isChecked();
    options.AsciiDos = chkAsciiDos->isChecked();
    options.DataOnly = chkDataOnly->isChecked();
    options.IncludeSummaryLine = chkIncludeSummaryLine->isChecked();
    options.IncludeHeader = chkIncludeHeader->isChecked();
    options.HeaderType = rbIncludeFieldsHeader->isChecked() ? htFieldsHeader : htReportHeader;
    options.PageBreak = radFF->isChecked() ? pbFormFeed : radEmptyLine->isChecked() ? pbEmptyLine : pbNone;
    options.LinesInPage = radContinious->isChecked() ? -1 : lines;
    SaveExportOptions(m_settingsPath, options);
    accept();
}
