#include "export/SaveReportDialog.h"

#include "export/DriveList.h"
#include "export/ExportOptionsDialog.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/InputFile.h"
#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

enum TText {
    txtCaption = 132, txtOk = 25, txtCancel = 22, txtExport = 169, txtDirectories = 135, txtFileName = 136,
    txtDrives = 137, txtSaveAsType = 138, txtNoPath = 146, txtReplace = 147,
};

// The file types: list item format (filled with the extension) and the extension.
struct TSaveFileType {
    const char *format;
    const char *extension;
};
constexpr TSaveFileType kSaveFileTypes[] = {
    {"Script files (*%1)", ".SRP"},
    {"Export files (*%1)", ".CSV"},
    {"Report files (*%1)", ".QRP"},
    {"Text files (*%1)", ".TXT"},
    {"PDF (*%1)", ".pdf"},
    {"Excel (*%1)", ".xlsx"},
};
constexpr int kSaveTypeCount = int(std::size(kSaveFileTypes));

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

QString SaveTypeExtension(int type)
{
    return (type >= 0 && type < kSaveTypeCount) ? QLatin1String(kSaveFileTypes[type].extension) : QString();
}

TfrmSaveReport::TfrmSaveReport(QWidget *parent)
    : QDialog(parent), m_previousCurrentDirectory(QDir::currentPath())
{
    setObjectName(QStringLiteral("frmSaveReport"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setLayoutDirection(Qt::RightToLeft);
    buildControls();
    TranslateFormFonts(this);
    setTexts();
    m_startDirectory = DataDir();
    fillDrives();
    edtFileName->setFocus();
    resize(sizeHint().expandedTo(QSize(560, 360)));
}

TfrmSaveReport::~TfrmSaveReport() { QDir::setCurrent(m_previousCurrentDirectory); }

void TfrmSaveReport::buildControls()
{
    lblFileName = named(new QLabel(this), "lblFileName");
    edtFileName = named(new QLineEdit(this), "edtFileName");
    edtFileName->setLayoutDirection(Qt::LeftToRight);
    lblFileName->setBuddy(edtFileName);
    lstFile = named(new QListWidget(this), "lstFile");
    lstFile->setLayoutDirection(Qt::LeftToRight);
    lblSaveAsType = named(new QLabel(this), "lblSaveAsType");
    cmbSaveAsType = named(new QComboBox(this), "cmbSaveAsType");
    cmbSaveAsType->setLayoutDirection(Qt::LeftToRight);
    lblSaveAsType->setBuddy(cmbSaveAsType);

    lblDirectoryName = named(new QLabel(this), "lblDirectoryName");
    lblDirectory = named(new QLabel(this), "lblDirectory");
    lblDirectory->setLayoutDirection(Qt::LeftToRight);
    lblDirectory->setTextFormat(Qt::PlainText);
    lstDirectory = named(new QListWidget(this), "lstDirectory");
    lstDirectory->setLayoutDirection(Qt::LeftToRight);
    lblDirectoryName->setBuddy(lstDirectory);
    lblDrives = named(new QLabel(this), "lblDrives");
    cmbDrive = named(new QComboBox(this), "cmbDrive");
    cmbDrive->setLayoutDirection(Qt::LeftToRight);
    lblDrives->setBuddy(cmbDrive);

    btnOK = named(new QPushButton(this), "btnOK");
    btnCancel = named(new QPushButton(this), "btnCancel");
    btnExport = named(new QPushButton(this), "btnExport");
    btnOK->setDefault(true);
    btnOK->setAutoDefault(false);
    btnCancel->setAutoDefault(false);
    btnExport->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblFileName, 0, 0);
    grid->addWidget(edtFileName, 1, 0);
    grid->addWidget(lstFile, 2, 0, 2, 1);
    grid->addWidget(lblSaveAsType, 4, 0);
    grid->addWidget(cmbSaveAsType, 5, 0);
    grid->addWidget(lblDirectoryName, 0, 1);
    grid->addWidget(lblDirectory, 1, 1);
    grid->addWidget(lstDirectory, 2, 1, 2, 1);
    grid->addWidget(lblDrives, 4, 1);
    grid->addWidget(cmbDrive, 5, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addSpacing(12);
    buttons->addWidget(btnExport);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 6, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(3, 1);

    for (int i = 0; i < kSaveTypeCount; ++i)
        cmbSaveAsType->addItem(QString::fromLatin1(kSaveFileTypes[i].format).arg(SaveTypeExtension(i)));

    connect(cmbSaveAsType, &QComboBox::currentIndexChanged, this, &TfrmSaveReport::fillFiles);
    connect(cmbDrive, &QComboBox::activated, this, &TfrmSaveReport::driveChanged);
    connect(lstDirectory, &QListWidget::itemActivated, this, &TfrmSaveReport::directoryActivated);
    connect(lstFile, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { edtFileName->setText(item->text()); });
    connect(lstFile, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            edtFileName->setText(item->text());
    });
    connect(lstFile, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        edtFileName->setText(item->text());
        OkClick();
    });
    connect(btnOK, &QPushButton::clicked, this, &TfrmSaveReport::OkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnExport, &QPushButton::clicked, this, &TfrmSaveReport::ExportClick);
    // While the folder list has the focus, Enter opens the folder instead of saving.
    lstDirectory->installEventFilter(this);
}

void TfrmSaveReport::setTexts()
{
    setWindowTitle(DisplayText(txtCaption));
    btnOK->setText(DisplayText(txtOk));
    btnCancel->setText(DisplayText(txtCancel));
    btnExport->setText(DisplayText(txtExport));
    lblDirectoryName->setText(DisplayText(txtDirectories));
    lblFileName->setText(DisplayText(txtFileName));
    lblDrives->setText(DisplayText(txtDrives));
    lblSaveAsType->setText(DisplayText(txtSaveAsType));
}

bool TfrmSaveReport::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstDirectory) {
        if (event->type() == QEvent::FocusIn)
            btnOK->setDefault(false);
        else if (event->type() == QEvent::FocusOut)
            btnOK->setDefault(true);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmSaveReport::showEvent(QShowEvent *event)
{
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (!SetDirectory(m_startDirectory))
            SetDirectory(QDir::currentPath());
        if (QScreen *screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

// The drive list: the root folder and every mounted file system that is ready.
void TfrmSaveReport::fillDrives()
{
    cmbDrive->clear();
    cmbDrive->addItems(DriveRoots(QStorageInfo::mountedVolumes()));
}

void TfrmSaveReport::driveChanged(int index)
{
    if (index >= 0 && !SetDirectory(cmbDrive->itemText(index)))
        SetDirectory(m_directory); // an unreadable drive: back to where we were
}

bool TfrmSaveReport::SetDirectory(const QString &directory)
{
    const QDir dir(directory);
    if (directory.isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    m_directory = QDir::cleanPath(dir.absolutePath());
    QDir::setCurrent(m_directory);
    lblDirectory->setText(m_directory);
    lblDirectory->setToolTip(m_directory);

    lstDirectory->clear();
    if (!dir.isRoot())
        lstDirectory->addItem(QStringLiteral(".."));
    lstDirectory->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));

    QStringList roots;
    for (int i = 0; i < cmbDrive->count(); ++i)
        roots.append(cmbDrive->itemText(i));
    const int drive = cmbDrive->findText(DriveOf(m_directory, roots));
    if (drive >= 0)
        cmbDrive->setCurrentIndex(drive);
    fillFiles();
    return true;
}

void TfrmSaveReport::directoryActivated(QListWidgetItem *item)
{
    if (item)
        SetDirectory(QDir(m_directory).filePath(item->text()));
}

// The files of the chosen type in the folder (the extension in any letter case).
void TfrmSaveReport::fillFiles()
{
    lstFile->clear();
    if (m_directory.isEmpty())
        return;
    const QString mask = QLatin1Char('*') + SaveTypeExtension(SaveType());
    lstFile->addItems(QDir(m_directory).entryList({mask}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

int TfrmSaveReport::SaveType() const { return std::max(cmbSaveAsType->currentIndex(), 0); }

void TfrmSaveReport::OkClick()
{
    QString name = edtFileName->text().trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return;
    QFileInfo info(name);
    if (info.isRelative())
        info.setFile(QDir(m_directory).filePath(name));
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        WarnOk(DisplayFormat(txtNoPath, {folder}));
        return;
    }
    QString full = QDir::cleanPath(info.absoluteFilePath());
    if (info.suffix().isEmpty())
        full += SaveTypeExtension(SaveType());
    // The report itself (also through a link) would be destroyed by its own copy or export.
    if (IsSameFile(full, m_reportFile)) {
        WarnOk(DisplayFormat(kOutputIsReportText, {full}));
        return;
    }
    if (QFileInfo::exists(full) && !AskYesNo(DisplayFormat(txtReplace, {full})))
        return;
    m_fileName = full;
    accept();
}

void TfrmSaveReport::ExportClick()
{
    // A workbook holds the CSV export's rows: its options are those of the CSV tab.
    if (SaveType() != stCsv && SaveType() != stTxt && SaveType() != stXlsx)
        cmbSaveAsType->setCurrentIndex(stCsv); // also shows the CSV files
    ExportTabSelector() = SaveType() == stTxt ? TExportTab::Text : TExportTab::CSV;
    TfrmExportOpt options(this);
    options.exec();
}

bool RunSaveReportDialog(QWidget *parent, const QString &startDirectory, QString &file, int &type,
                         const QString &reportFile)
{
    TfrmSaveReport dialog(parent);
    dialog.SetReportFile(reportFile);
    if (!startDirectory.isEmpty())
        dialog.SetStartDirectory(startDirectory);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    file = dialog.FileName();
    type = dialog.SaveType();
    return true;
}
