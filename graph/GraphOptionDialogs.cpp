#include "graph/GraphOptionDialogs.h"

#include "foundation/FontTranslationUi.h"
#include "foundation/DisplayText.h"
#include "foundation/MessageBox.h"
#include "graph/ControlNames.h"
#include "graph/FontChoice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

TGraphOptionDialog::TGraphOptionDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setLayoutDirection(Qt::RightToLeft);
    setModal(true);
    auto *outer = new QFrame(this);
    outer->setFrameShape(QFrame::Panel);
    outer->setFrameShadow(QFrame::Raised);
    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->addWidget(outer);
    auto *column = new QVBoxLayout(outer);
    m_body = new QWidget(outer);
    column->addWidget(m_body);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QString(), outer);
    btnOK->setToolTip(DisplayText(5313));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QString(), outer);
    btnCancel->setToolTip(DisplayText(5314));
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    column->addLayout(buttons);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    NameControls({{btnOK, "btnOK"}, {btnCancel, "btnCancel"}});
}

void TGraphOptionDialog::PlaceByOwner()
{
    adjustSize();
    QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner)
        return;
    const QRect frame = owner->frameGeometry();
    ClampToWorkArea(this, frame.right() - 30 - width(), frame.top() + 60);
}

namespace {

QGroupBox *group(QWidget *body, int text)
{
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *box = new QGroupBox(DisplayText(text), body);
    layout->addWidget(box);
    return box;
}

} // namespace

// Gallery.

TfrmGraphGallery::TfrmGraphGallery(QWidget *owner, bool traffic)
    : TGraphOptionDialog(owner), m_traffic(traffic)
{
    QGroupBox *gallery = group(Body(), 80);
    auto *row = new QHBoxLayout(gallery);
    auto *type = new QGroupBox(DisplayText(81), gallery);
    auto *typeLayout = new QVBoxLayout(type);
    auto *exclusive = new QButtonGroup(this);
    for (int k = 0; k < 7; ++k) {
        rbKind[k] = new QRadioButton(DisplayText(82 + k), type);
        exclusive->addButton(rbKind[k], k);
        typeLayout->addWidget(rbKind[k]);
    }
    auto *box3D = new QGroupBox(DisplayText(89), gallery);
    auto *layout3D = new QVBoxLayout(box3D);
    chk3D = new QCheckBox(DisplayText(90), box3D);
    auto *percentLabel = new QLabel(DisplayText(91), box3D);
    sedPercent = new QSpinBox(box3D);
    sedPercent->setRange(1, 100);
    percentLabel->setBuddy(sedPercent);
    layout3D->addWidget(chk3D);
    layout3D->addWidget(percentLabel);
    layout3D->addWidget(sedPercent);
    layout3D->addStretch();
    row->addWidget(type);
    row->addWidget(box3D);
    if (traffic)
        for (int k : {4, 5, 6})
            rbKind[k]->setEnabled(false);
    NameControlArray(rbKind, "rbKind");
    NameControls({{chk3D, "chk3D"}, {sedPercent, "sedPercent"}});
    TranslateFormFonts(this);
}

void TfrmGraphGallery::CopyIn(int kind, bool view3D, int percent, bool pieAllowed, bool areaAllowed)
{
    if (kind >= 0 && kind < 7)
        rbKind[kind]->setChecked(true);
    chk3D->setChecked(view3D);
    sedPercent->setValue(percent);
    rbKind[6]->setEnabled(pieAllowed && !m_traffic);
    for (int k = 2; k <= 5; ++k)
        rbKind[k]->setEnabled(areaAllowed && !(m_traffic && k >= 4));
}

void TfrmGraphGallery::CopyOut(int &kind, bool &view3D, int &percent) const
{
    for (int k = 0; k < 7; ++k) {
        if (rbKind[k]->isChecked()) {
            kind = k;
            break;
        }
    }
    view3D = chk3D->isChecked();
    percent = sedPercent->value();
}

// Colours.

namespace {

class TColorGrid : public QWidget
{
public:
    static constexpr int kCell = 26;
    explicit TColorGrid(TfrmGraphColors *dialog) : QWidget(dialog), m_dialog(dialog)
    {
        setFixedSize(4 * kCell + 1, 4 * kCell + 1);
        setLayoutDirection(Qt::LeftToRight);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        for (int cell = 0; cell < 16; ++cell) {
            const QRect r((cell % 4) * kCell, (cell / 4) * kCell, kCell, kCell);
            p.setPen(Qt::black);
            p.setBrush(ToQColor(GraphPaletteColor(cell)));
            p.drawRect(r);
            if (GraphPaletteColor(cell) == m_dialog->CurrentColor()) {
                p.setBrush(ToQColor(GraphPaletteColor(15 - cell)));
                p.setPen(ToQColor(GraphPaletteColor(15 - cell)));
                p.drawEllipse(QPointF(r.center()) + QPointF(0.5, 0.5), 5, 5);
            }
        }
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint pos = event->position().toPoint();
        const int col = pos.x() / kCell, row = pos.y() / kCell;
        if (col >= 0 && col < 4 && row >= 0 && row < 4)
            m_dialog->SelectCell(row * 4 + col);
    }

private:
    TfrmGraphColors *m_dialog;
};

} // namespace

TfrmGraphColors::TfrmGraphColors(QWidget *owner, bool traffic)
    : TGraphOptionDialog(owner), m_traffic(traffic)
{
    m_colors = TGraphColors::Defaults(traffic);
    QGroupBox *box = group(Body(), 70);
    auto *grid = new QGridLayout(box);
    grid->addWidget(new QLabel(DisplayText(71), box), 0, 0);
    grid->addWidget(new QLabel(DisplayText(72), box), 0, 1);
    lstElements = new QListWidget(box);
    lstElements->addItem(DisplayText(73));
    lstElements->addItem(DisplayText(74));
    for (int i = 1; i <= 10; ++i)
        lstElements->addItem(DisplayFormat(77, {QString::number(i)}));
    lstElements->setFixedWidth(130);
    grid->addWidget(lstElements, 1, 0);
    pnlGrid = new TColorGrid(this);
    grid->addWidget(pnlGrid, 1, 1, Qt::AlignTop);
    btnDefaults = new QPushButton(DisplayText(78), box);
    grid->addWidget(btnDefaults, 2, 0, 1, 2);
    chkRandom = new QCheckBox(DisplayText(79), box);
    chkRandom->setEnabled(!traffic);
    grid->addWidget(chkRandom, 3, 0, 1, 2);
    connect(lstElements, &QListWidget::currentRowChanged, this, [this](int row) { SelectElement(row); });
    connect(btnDefaults, &QPushButton::clicked, this, [this] { DefaultColors(); });
    lstElements->setCurrentRow(0);
    NameControls({{lstElements, "lstElements"}, {pnlGrid, "pnlGrid"}, {chkRandom, "chkRandom"}, {btnDefaults, "btnDefaults"}});
    TranslateFormFonts(this);
}

TColor TfrmGraphColors::ElementColor(int element) const
{
    if (element == 0)
        return m_colors.background;
    if (element == 1)
        return m_colors.walls;
    return element >= 2 && element < 12 ? m_colors.series[element - 2] : 0;
}

void TfrmGraphColors::setElementColor(int element, TColor color)
{
    if (element == 0)
        m_colors.background = color;
    else if (element == 1)
        m_colors.walls = color;
    else if (element >= 2 && element < 12)
        m_colors.series[element - 2] = color;
}

void TfrmGraphColors::SelectElement(int element)
{
    if (lstElements->currentRow() != element)
        lstElements->setCurrentRow(element);
    m_current = ElementColor(element);
    pnlGrid->update();
}

void TfrmGraphColors::SelectCell(int cell)
{
    m_current = GraphPaletteColor(cell);
    setElementColor(lstElements->currentRow(), m_current);
    pnlGrid->update();
}

void TfrmGraphColors::DefaultColors()
{
    const bool random = m_colors.useRandom;
    m_colors = TGraphColors::Defaults(m_traffic);
    m_colors.useRandom = random;
    SelectElement(std::max(0, lstElements->currentRow()));
}

void TfrmGraphColors::CopyIn(const TGraphColors &colors)
{
    m_colors = colors;
    chkRandom->setChecked(colors.useRandom);
    SelectElement(std::max(0, lstElements->currentRow()));
}

void TfrmGraphColors::CopyOut(TGraphColors &colors) const
{
    colors = m_colors;
    colors.useRandom = chkRandom->isChecked();
}

// Titles.

TfrmGraphTitles::TfrmGraphTitles(QWidget *owner)
    : TGraphOptionDialog(owner)
{
    QGroupBox *box = group(Body(), 97);
    auto *layout = new QVBoxLayout(box);
    auto edit = [&] {
        auto *e = new QLineEdit(box);
        e->setMaxLength(200);
        e->setMinimumWidth(320);
        layout->addWidget(e);
        return e;
    };
    layout->addWidget(new QLabel(DisplayText(98), box));
    for (QLineEdit *&e : edtLine)
        e = edit();
    layout->addWidget(new QLabel(DisplayText(99), box));
    edtBottom = edit();
    layout->addWidget(new QLabel(DisplayText(100), box));
    edtLeft = edit();
    NameControlArray(edtLine, "edtLine");
    NameControls({{edtBottom, "edtBottom"}, {edtLeft, "edtLeft"}});
    TranslateFormFonts(this);
}

void TfrmGraphTitles::CopyIn(const TGraphTitles &titles)
{
    for (int i = 0; i < 3; ++i)
        edtLine[i]->setText(i < titles.lines.size() ? titles.lines[i] : QString());
    edtBottom->setText(titles.bottom);
    edtLeft->setText(titles.left);
}

void TfrmGraphTitles::CopyOut(TGraphTitles &titles) const
{
    titles.lines.clear();
    int count = 0;
    if (!edtLine[2]->text().isEmpty())
        count = 3;
    else if (!edtLine[1]->text().isEmpty())
        count = 2;
    else if (!edtLine[0]->text().isEmpty())
        count = 1;
    for (int i = 0; i < count; ++i)
        titles.lines.append(edtLine[i]->text());
    titles.bottom = edtBottom->text();
    titles.left = edtLeft->text();
}

// Gridlines.

TfrmGraphGridlines::TfrmGraphGridlines(QWidget *owner)
    : TGraphOptionDialog(owner)
{
    QGroupBox *box = group(Body(), 92);
    auto *layout = new QVBoxLayout(box);
    rbNone = new QRadioButton(DisplayText(93), box);
    rbHorizontal = new QRadioButton(DisplayText(94), box);
    rbVertical = new QRadioButton(DisplayText(95), box);
    rbBoth = new QRadioButton(DisplayText(96), box);
    for (QRadioButton *rb : {rbNone, rbHorizontal, rbVertical, rbBoth})
        layout->addWidget(rb);
    NameControls({{rbNone, "rbNone"}, {rbHorizontal, "rbHorizontal"}, {rbVertical, "rbVertical"}, {rbBoth, "rbBoth"}});
    TranslateFormFonts(this);
}

void TfrmGraphGridlines::CopyIn(bool vertical, bool horizontal)
{
    (vertical ? (horizontal ? rbBoth : rbVertical) : (horizontal ? rbHorizontal : rbNone))->setChecked(true);
}

void TfrmGraphGridlines::CopyOut(bool &vertical, bool &horizontal) const
{
    vertical = rbBoth->isChecked() || rbVertical->isChecked();
    horizontal = rbBoth->isChecked() || rbHorizontal->isChecked();
}

// Fonts.

QString FontDescription(const TFontSpec &font)
{
    QString text = font.name + QLatin1Char(',') + QString::number(font.size);
    if (const auto name = ColorToName(font.color)) {
        QString n = *name;
        if (n.startsWith(QLatin1String("cl")))
            n = n.mid(2);
        text += QStringLiteral(", ") + n;
    }
    const std::pair<bool, int> styles[] = {{font.bold, 44}, {font.italic, 45}, {font.underline, 213}, {font.strikeOut, 214}};
    for (const auto &[on, number] : styles)
        if (on)
            text += QLatin1Char(',') + DisplayText(number);
    return text;
}

TfrmGraphFonts::TfrmGraphFonts(QWidget *owner)
    : TGraphOptionDialog(owner)
{
    QGroupBox *box = group(Body(), 109);
    auto *grid = new QGridLayout(box);
    const int texts[3] = {110, 111, 113};
    for (int row = 0; row < 3; ++row) {
        auto *label = new QLabel(DisplayText(texts[row]), box);
        edtFont[row] = new QLineEdit(box);
        edtFont[row]->setReadOnly(true);
        edtFont[row]->setMinimumWidth(260);
        btnFont[row] = new QPushButton(QStringLiteral("..."), box);
        btnFont[row]->setFixedWidth(28);
        label->setBuddy(btnFont[row]);
        grid->addWidget(label, row * 2, 0, 1, 2);
        grid->addWidget(edtFont[row], row * 2 + 1, 0);
        grid->addWidget(btnFont[row], row * 2 + 1, 1);
        connect(btnFont[row], &QPushButton::clicked, this, [this, row] { chooseFont(row); });
    }
    NameControlArray(edtFont, "edtFont");
    NameControlArray(btnFont, "btnFont");
    TranslateFormFonts(this);
}

void TfrmGraphFonts::SetFont(int row, const TFontSpec &font)
{
    m_fonts[row] = font;
    edtFont[row]->setText(FontDescription(font));
}

void TfrmGraphFonts::chooseFont(int row)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontChooserStart(m_fonts[row]), this);
    if (ok)
        SetFont(row, FontChosen(m_fonts[row], chosen));
}

void TfrmGraphFonts::CopyIn(const TGraphFonts &fonts)
{
    SetFont(0, fonts.title);
    SetFont(1, fonts.axisTitles);
    SetFont(2, fonts.axisLabels);
}

void TfrmGraphFonts::CopyOut(TGraphFonts &fonts) const
{
    fonts.title = m_fonts[0];
    fonts.axisTitles = m_fonts[1];
    fonts.axisLabels = m_fonts[2];
}

// Marks.

TfrmGraphMarks::TfrmGraphMarks(QWidget *owner)
    : TGraphOptionDialog(owner)
{
    QGroupBox *box = group(Body(), 115);
    auto *layout = new QVBoxLayout(box);
    const int texts[6] = {93, 116, 117, 118, 119, 120};
    for (int s = 0; s < 6; ++s) {
        rbStyle[s] = new QRadioButton(DisplayText(texts[s]), box);
        layout->addWidget(rbStyle[s]);
    }
    NameControlArray(rbStyle, "rbStyle");
    TranslateFormFonts(this);
}

void TfrmGraphMarks::CopyIn(int style) { rbStyle[std::clamp(style, 0, 5)]->setChecked(true); }

void TfrmGraphMarks::CopyOut(int &style) const
{
    style = 0;
    for (int s = 0; s < 6; ++s) {
        if (rbStyle[s]->isChecked()) {
            style = s;
            break;
        }
    }
}
