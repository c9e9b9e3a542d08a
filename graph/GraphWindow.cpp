#include "graph/GraphWindow.h"

#include "foundation/ReportProgressWindow.h"
#include "foundation/FontTranslationUi.h"
#include "foundation/DisplayText.h"
#include "foundation/Paths.h"
#include "graph/GraphChartPanel.h"
#include "graph/GraphOptionDialogs.h"
#include "graph/GraphToolbarIcons.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {
QString withoutAmpersand(int text) { return DisplayText(text).remove(QLatin1Char('&')); }
} // namespace

TfrmGraph::TfrmGraph(QWidget *owner, const QIcon &icon)
    : QDialog(owner, Qt::Window)
{
    setWindowIcon(icon);
    setWindowTitle(DisplayText(54));
    setLayoutDirection(Qt::RightToLeft);
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *menus = new QMenuBar(this);
    layout->setMenuBar(menus);
    buildMenus(menus);
    buildToolbar();
    layout->addWidget(tlbGraph);
    crtGraph = new TChartPanel(m_view.Model(), this);
    crtGraph->CallOutsAt = [this](const QRectF &bounds, const QPointF &pos) { return m_view.CallOuts(bounds, pos); };
    layout->addWidget(crtGraph, 1);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        setGeometry(s.left() + s.width() / 10, s.top() + s.height() / 10, s.width() * 8 / 10, s.height() * 8 / 10);
    }
    TranslateFormFonts(this);
    qApp->installEventFilter(this);
}

TfrmGraph::~TfrmGraph() { qApp->removeEventFilter(this); }

void TfrmGraph::buildMenus(QMenuBar *menus)
{
    QMenu *graph = menus->addMenu(DisplayText(55));
    mnuCopyPicture = graph->addAction(DisplayText(56), this, [this] { crtGraph->CopyPicture(); });
    mnuCopyData = graph->addAction(DisplayText(57), this, [this] { m_view.Data().CopyDataToClipboard(); });
    graph->addSeparator();
    mnuPrint = graph->addAction(DisplayText(58), this, [this] { PrintGraph(); });
    mnuPrintSetup = graph->addAction(DisplayText(58));
    mnuPrintSetup->setVisible(false);
    graph->addSeparator();
    mnuExit = graph->addAction(DisplayText(59), this, &QDialog::close);
    QMenu *options = menus->addMenu(DisplayText(60));
    mnuGallery = options->addAction(DisplayText(61), this, [this] { ShowGallery(); });
    mnuGridlines = options->addAction(DisplayText(64), this, [this] { ShowGridlines(); });
    mnuMarks = options->addAction(DisplayText(121), this, [this] { ShowMarks(); });
    mnuColors = options->addAction(DisplayText(62), this, [this] { ShowColors(); });
    mnuTitles = options->addAction(DisplayText(63), this, [this] { ShowTitles(); });
    mnuFonts = options->addAction(DisplayText(114), this, [this] { ShowFonts(); });
}

void TfrmGraph::buildToolbar()
{
    tlbGraph = new QToolBar(this);
    tlbGraph->setIconSize(QSize(22, 22));
    btnPrevGroup = tlbGraph->addAction(GraphToolIcon(TGraphIcon::PreviousGroup), DisplayText(196), this, [this] {
        m_view.ChangeGroup(-1);
        refresh();
    });
    btnNextGroup = tlbGraph->addAction(GraphToolIcon(TGraphIcon::NextGroup), DisplayText(195), this, [this] {
        m_view.ChangeGroup(1);
        refresh();
    });
    sepGroups = tlbGraph->addSeparator();
    btnPrevPage = tlbGraph->addAction(GraphToolIcon(TGraphIcon::PreviousPage), DisplayText(103), this, [this] {
        m_view.PreviousPage();
        refresh();
    });
    btnNextPage = tlbGraph->addAction(GraphToolIcon(TGraphIcon::NextPage), DisplayText(104), this, [this] {
        m_view.NextPage();
        refresh();
    });
    tlbGraph->addSeparator();
    sedPointsPerPage = new QSpinBox(tlbGraph);
    sedPointsPerPage->setRange(1, 999);
    sedPointsPerPage->setToolTip(DisplayText(108));
    actPointsPerPage = tlbGraph->addWidget(sedPointsPerPage);
    connect(sedPointsPerPage, &QSpinBox::valueChanged, this, [this](int v) { pointsPerPageEdited(v); });
    tlbGraph->addSeparator();
    auto *fields = new QActionGroup(this);
    for (int b = 0; b < 5; ++b) {
        btnField[b] = tlbGraph->addAction(QString());
        btnField[b]->setCheckable(true);
        fields->addAction(btnField[b]);
        connect(btnField[b], &QAction::triggered, this, [this, b] {
            m_view.SelectYField(m_view.FieldButton(b));
            refresh();
        });
    }
    sepFields = tlbGraph->addSeparator();
    cmbFields = new QComboBox(tlbGraph);
    cmbFields->setMinimumContentsLength(16);
    actFields = tlbGraph->addWidget(cmbFields);
    connect(cmbFields, &QComboBox::activated, this, [this](int index) {
        m_view.SelectYField(index + 1);
        refresh();
    });
    sepFieldList = tlbGraph->addSeparator();
    auto *kinds = new QActionGroup(this);
    for (int k = 0; k < 7; ++k) {
        btnKind[k] = tlbGraph->addAction(GraphKindIcon(k), withoutAmpersand(82 + k));
        btnKind[k]->setCheckable(true);
        kinds->addAction(btnKind[k]);
        connect(btnKind[k], &QAction::triggered, this, [this, k] {
            if (k == 6)
                m_view.PieButton();
            else
                m_view.KindButton(k);
            refresh();
        });
    }
    tlbGraph->addSeparator();
    btn3D = tlbGraph->addAction(GraphToolIcon(TGraphIcon::ThreeD), withoutAmpersand(90));
    btn3D->setCheckable(true);
    connect(btn3D, &QAction::triggered, this, [this](bool on) {
        m_view.Set3D(on);
        refresh();
    });
    btnMarks = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Marks), DisplayText(107), this, [this] {
        m_view.NextMarksStyle();
        refresh();
    });
    btnLegend = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Legend), DisplayText(197), this, [this] {
        m_view.ToggleLegend();
        refresh();
    });
    btnPrint = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Print), DisplayText(105), this, [this] { PrintGraph(); });
    btnExit = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Exit), DisplayText(106), this, &QDialog::close);
    btnPrevPage->setEnabled(false);
    btnPrevGroup->setEnabled(false);
    btnLegend->setEnabled(false);
}

bool TfrmGraph::LoadFile(const QString &fileName)
{
    TfrmReportProgress progress(this);
    progress.ShowProgress(66, 67, true);
    const bool ok = m_view.LoadFile(fileName, &progress.Sink(), TrvlPar());
    progress.hide();
    if (!ok)
        return false;
    m_refreshing = true;
    cmbFields->clear();
    for (int f = 1; f <= m_view.Data().YFieldCount(); ++f)
        cmbFields->addItem(m_view.Data().YFieldTitle(f));
    m_refreshing = false;
    btnNextGroup->setEnabled(m_view.Data().GroupCount() > 1);
    return true;
}

void TfrmGraph::PrepareToolbar()
{
    const TGraphData &data = m_view.Data();
    const bool oneGroup = data.GroupCount() <= 1;
    btnPrevGroup->setVisible(!oneGroup);
    btnNextGroup->setVisible(!oneGroup);
    sepGroups->setVisible(!oneGroup);
    const bool caption = !data.GroupCaption().isEmpty();
    if (m_view.SelectorMode()) {
        for (QAction *b : btnField)
            b->setVisible(false);
        sepFields->setVisible(false);
        actFields->setVisible(!caption);
        sepFieldList->setVisible(!caption);
    } else {
        actFields->setVisible(false);
        sepFieldList->setVisible(false);
        sepFields->setVisible(!caption);
        // Packed in the order calls, time, pulses, cost, extensions, each named by its Y field.
        for (int b = 0; b < 5; ++b) {
            const int f = m_view.FieldButton(b);
            btnField[b]->setVisible(f != 0);
            btnField[b]->setText(data.YFieldTitle(f));
            btnField[b]->setToolTip(data.YFieldTitle(f));
        }
    }
    mnuTitles->setEnabled(data.GroupCount() == 1);
}

void TfrmGraph::Activate()
{
    m_view.Activate();
    refresh();
}

void TfrmGraph::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        PrepareToolbar();
        Activate();
    }
}

void TfrmGraph::refresh()
{
    m_refreshing = true;
    const int kind = m_view.Kind();
    btnKind[kind]->setChecked(true);
    btn3D->setChecked(m_view.View3D());
    btnKind[6]->setEnabled(m_view.PieEnabled());
    for (int k = 2; k <= 5; ++k)
        btnKind[k]->setEnabled(m_view.AreaKindsEnabled());
    btnLegend->setEnabled(m_view.LegendEnabled());
    btnPrevPage->setEnabled(m_view.PreviousPageEnabled());
    btnNextPage->setEnabled(m_view.NextPageEnabled());
    btnPrevGroup->setEnabled(m_view.PreviousGroupEnabled());
    btnNextGroup->setEnabled(m_view.NextGroupEnabled());
    sedPointsPerPage->setMaximum(std::max(1, m_view.Data().PointCount()));
    sedPointsPerPage->setValue(m_view.PointsPerPage());
    cmbFields->setCurrentIndex(m_view.CurrentYField() - 1);
    for (int b = 0; b < 5; ++b)
        if (m_view.FieldButton(b) == m_view.CurrentYField() && m_view.FieldButton(b) != 0)
            btnField[b]->setChecked(true);
    m_refreshing = false;
    crtGraph->update();
}

void TfrmGraph::pointsPerPageEdited(int value)
{
    if (m_refreshing)
        return;
    m_view.PointsPerPageChanged(value);
    refresh();
}

void TfrmGraph::PrintGraph() { crtGraph->Print(); }

bool TfrmGraph::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget() != this)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool ctrlOnly = key->modifiers() == Qt::ControlModifier;
    const int pp = m_view.PointsPerPage();
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Left:
        if (m_view.PreviousPageEnabled()) {
            m_view.Scroll(ctrlOnly ? 1 - pp : -1);
            refresh();
        }
        return true;
    case Qt::Key_Right:
        if (m_view.NextPageEnabled()) {
            m_view.Scroll(ctrlOnly ? pp - 1 : 1);
            refresh();
        }
        return true;
    case Qt::Key_P:
        if (ctrlOnly)
            PrintGraph();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void TfrmGraph::ShowGallery()
{
    TfrmGraphGallery dialog(this, false);
    dialog.CopyIn(m_view.Kind(), m_view.View3D(), m_view.Percent3D(), btnKind[6]->isEnabled(), btnKind[2]->isEnabled());
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    int kind = m_view.Kind(), percent = m_view.Percent3D();
    bool view3D = m_view.View3D();
    dialog.CopyOut(kind, view3D, percent);
    m_view.SetGallery(kind, view3D, percent);
    refresh();
}

void TfrmGraph::ShowColors()
{
    TfrmGraphColors dialog(this, false);
    dialog.CopyIn(m_view.Settings().colors);
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    TGraphSettings settings = m_view.Settings();
    dialog.CopyOut(settings.colors);
    m_view.SetSettings(settings);
    m_view.SaveSettings();
    // The new colours are shown at once rather than at the next choice of field.
    m_view.ApplyColours();
    m_view.ApplyAll();
    refresh();
}

void TfrmGraph::ShowTitles()
{
    TfrmGraphTitles dialog(this);
    dialog.CopyIn(m_view.Titles());
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    TGraphTitles titles = m_view.Titles();
    dialog.CopyOut(titles);
    m_view.SetTitles(titles);
    m_view.ApplyAll();
    refresh();
}

void TfrmGraph::ShowGridlines()
{
    TfrmGraphGridlines dialog(this);
    dialog.CopyIn(m_view.Settings().verticalGrid, m_view.Settings().horizontalGrid);
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    TGraphSettings settings = m_view.Settings();
    dialog.CopyOut(settings.verticalGrid, settings.horizontalGrid);
    m_view.SetSettings(settings);
    m_view.SaveSettings();
    m_view.ApplyAll();
    refresh();
}

void TfrmGraph::ShowFonts()
{
    TfrmGraphFonts dialog(this);
    dialog.CopyIn(m_view.Settings().fonts);
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    TGraphSettings settings = m_view.Settings();
    dialog.CopyOut(settings.fonts);
    m_view.SetSettings(settings);
    m_view.SaveSettings();
    m_view.ApplyAll();
    refresh();
}

void TfrmGraph::ShowMarks()
{
    TfrmGraphMarks dialog(this);
    dialog.CopyIn(m_view.MarksStyle());
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    int style = m_view.MarksStyle();
    dialog.CopyOut(style);
    m_view.SetMarksStyle(style);
    refresh();
}
