#include "graph/GraphWindow.h"

#include "graph/ChartWindowTools.h"
#include "graph/ControlNames.h"

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
    crtGraph->SetCallOuts([this](const QRectF &bounds, const QPointF &pos) { return m_view.CallOuts(bounds, pos); });
    layout->addWidget(crtGraph, 1);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        setGeometry(s.left() + s.width() / 10, s.top() + s.height() / 10, s.width() * 8 / 10, s.height() * 8 / 10);
    }
    nameControls();
    TranslateFormFonts(this);
    qApp->installEventFilter(this);
}

TfrmGraph::~TfrmGraph() { qApp->removeEventFilter(this); }

void TfrmGraph::nameControls()
{
    NameControls({{tlbGraph, "tlbGraph"}, {btnPrevGroup, "btnPrevGroup"}, {btnNextGroup, "btnNextGroup"},
                  {btnPrevPage, "btnPrevPage"}, {btnNextPage, "btnNextPage"}, {sedPointsPerPage, "sedPointsPerPage"},
                  {actPointsPerPage, "actPointsPerPage"}, {cmbFields, "cmbFields"}, {actFields, "actFields"},
                  {btn3D, "btn3D"}, {btnMarks, "btnMarks"}, {btnLegend, "btnLegend"}, {btnPrint, "btnPrint"},
                  {btnExit, "btnExit"}, {mnuCopyPicture, "mnuCopyPicture"}, {mnuCopyData, "mnuCopyData"},
                  {mnuPrint, "mnuPrint"}, {mnuPrintSetup, "mnuPrintSetup"}, {mnuExit, "mnuExit"},
                  {mnuGallery, "mnuGallery"}, {mnuGridlines, "mnuGridlines"}, {mnuMarks, "mnuMarks"},
                  {mnuColors, "mnuColors"}, {mnuTitles, "mnuTitles"}, {mnuFonts, "mnuFonts"}, {crtGraph, "crtGraph"}});
    NameControlArray(btnField, "btnField");
    NameControlArray(btnKind, "btnKind");
}

void TfrmGraph::buildMenus(QMenuBar *menus)
{
    TChartMenuHandlers on;
    on.copyPicture = [this] { crtGraph->CopyPicture(); };
    on.copyData = [this] { m_view.Data().CopyDataToClipboard(); };
    on.print = [this] { PrintGraph(); };
    on.exit = [this] { close(); };
    on.gallery = [this] { ShowGallery(); };
    on.gridlines = [this] { ShowGridlines(); };
    on.marks = [this] { ShowMarks(); };
    on.colors = [this] { ShowColors(); };
    on.titles = [this] { ShowTitles(); };
    on.fonts = [this] { ShowFonts(); };
    const TChartMenus m = BuildChartMenus(menus, this, on);
    mnuCopyPicture = m.copyPicture;
    mnuCopyData = m.copyData;
    mnuPrint = m.print;
    mnuPrintSetup = m.printSetup;
    mnuExit = m.exit;
    mnuGallery = m.gallery;
    mnuGridlines = m.gridlines;
    mnuMarks = m.marks;
    mnuColors = m.colors;
    mnuTitles = m.titles;
    mnuFonts = m.fonts;
}

void TfrmGraph::buildToolbar()
{
    TChartToolbarBuilder tools(this);
    tlbGraph = tools.Toolbar();
    btnPrevGroup = tools.Button(TGraphIcon::PreviousGroup, 196, [this] {
        m_view.ChangeGroup(-1);
        refresh();
    });
    btnNextGroup = tools.Button(TGraphIcon::NextGroup, 195, [this] {
        m_view.ChangeGroup(1);
        refresh();
    });
    sepGroups = tools.Separator();
    btnPrevPage = tools.Button(TGraphIcon::PreviousPage, 103, [this] {
        m_view.PreviousPage();
        refresh();
    });
    btnNextPage = tools.Button(TGraphIcon::NextPage, 104, [this] {
        m_view.NextPage();
        refresh();
    });
    tools.Separator();
    sedPointsPerPage = new QSpinBox(tlbGraph);
    sedPointsPerPage->setRange(1, 999);
    sedPointsPerPage->setToolTip(DisplayText(108));
    actPointsPerPage = tlbGraph->addWidget(sedPointsPerPage);
    connect(sedPointsPerPage, &QSpinBox::valueChanged, this, [this](int v) { pointsPerPageEdited(v); });
    tools.Separator();
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
    sepFields = tools.Separator();
    cmbFields = new QComboBox(tlbGraph);
    cmbFields->setMinimumContentsLength(16);
    actFields = tlbGraph->addWidget(cmbFields);
    connect(cmbFields, &QComboBox::activated, this, [this](int index) {
        m_view.SelectYField(index + 1);
        refresh();
    });
    sepFieldList = tools.Separator();
    tools.KindButtons(btnKind, [this](int k) {
        if (k == 6)
            m_view.PieButton();
        else
            m_view.KindButton(k);
        refresh();
    });
    tools.Separator();
    btn3D = tools.ThreeDButton([this](bool on) {
        m_view.Set3D(on);
        refresh();
    });
    btnMarks = tools.Button(TGraphIcon::Marks, 107, [this] {
        m_view.NextMarksStyle();
        refresh();
    });
    btnLegend = tools.Button(TGraphIcon::Legend, 197, [this] {
        m_view.ToggleLegend();
        refresh();
    });
    btnPrint = tools.Button(TGraphIcon::Print, 105, [this] { PrintGraph(); });
    btnExit = tools.Button(TGraphIcon::Exit, 106, [this] { close(); });
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
    if (!IsChartWindowKey(this, event))
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
