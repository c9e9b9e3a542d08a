#include "graph/TrafficGraphWindow.h"

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
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

TfrmTrafficGraph::TfrmTrafficGraph(QWidget *owner, const QIcon &icon)
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

    TChartMenuHandlers on;
    on.copyPicture = [this] { crtGraph->CopyPicture(); };
    on.copyData = [this] { m_view.Data().CopyDataToClipboard(m_view.CurrentPage()); };
    on.print = [this] { PrintGraph(); };
    on.exit = [this] { close(); };
    on.gallery = [this] {
        TfrmGraphGallery d(this, true);
        runDialog(d, [&] { d.CopyIn(m_view.Kind(), m_view.View3D(), m_view.Percent3D(), false, true); }, [&] {
            int kind = m_view.Kind(), percent = m_view.Percent3D();
            bool view3D = m_view.View3D();
            d.CopyOut(kind, view3D, percent);
            m_view.SetGallery(kind, view3D, percent);
        });
    };
    on.gridlines = [this] {
        TfrmGraphGridlines d(this);
        runDialog(d, [&] { d.CopyIn(m_view.Settings().verticalGrid, m_view.Settings().horizontalGrid); }, [&] {
            TGraphSettings s = m_view.Settings();
            d.CopyOut(s.verticalGrid, s.horizontalGrid);
            m_view.SetSettings(s);
            m_view.SaveSettings();
            m_view.ApplyAll();
        });
    };
    on.marks = [this] {
        TfrmGraphMarks d(this);
        runDialog(d, [&] { d.CopyIn(m_view.MarksStyle()); }, [&] {
            int style = m_view.MarksStyle();
            d.CopyOut(style);
            m_view.SetMarksStyle(style);
        });
    };
    on.colors = [this] {
        TfrmGraphColors d(this, true);
        runDialog(d, [&] { d.CopyIn(m_view.Settings().colors); }, [&] {
            TGraphSettings s = m_view.Settings();
            d.CopyOut(s.colors);
            m_view.SetSettings(s);
            m_view.SaveSettings();
            m_view.ApplyAll();
        });
    };
    on.titles = [this] {
        TfrmGraphTitles d(this);
        runDialog(d, [&] { d.CopyIn(m_view.Titles()); }, [&] {
            TGraphTitles t = m_view.Titles();
            d.CopyOut(t);
            m_view.SetTitles(t);
            m_view.ApplyAll();
        });
    };
    on.fonts = [this] {
        TfrmGraphFonts d(this);
        runDialog(d, [&] { d.CopyIn(m_view.Settings().fonts); }, [&] {
            TGraphSettings s = m_view.Settings();
            d.CopyOut(s.fonts);
            m_view.SetSettings(s);
            m_view.SaveSettings();
            m_view.ApplyAll();
        });
    };
    const TChartMenus chartMenus = BuildChartMenus(menus, this, on);
    QMenu *options = chartMenus.options;
    // The average, lowest and highest lines over the series shown.
    options->addSeparator();
    for (int which = 0; which < 3; ++which) {
        mnuStatistics[which] = options->addAction(DisplayText(126 + which));
        mnuStatistics[which]->setCheckable(true);
        connect(mnuStatistics[which], &QAction::toggled, this, [this] {
            m_view.SetStatistics(mnuStatistics[0]->isChecked(), mnuStatistics[1]->isChecked(), mnuStatistics[2]->isChecked());
            refresh();
        });
    }

    TChartToolbarBuilder tools(this);
    tlbGraph = tools.Toolbar();
    btnPrevPage = tools.Button(TGraphIcon::PreviousPage, 103, [this] { showPage(m_view.CurrentPage() - 1); });
    btnNextPage = tools.Button(TGraphIcon::NextPage, 104, [this] { showPage(m_view.CurrentPage() + 1); });
    tools.Separator();
    cmbMultiY = new QComboBox(tlbGraph);
    cmbMultiY->setMinimumContentsLength(18);
    tlbGraph->addWidget(cmbMultiY);
    connect(cmbMultiY, &QComboBox::activated, this, [this](int index) {
        m_view.SelectMultiY(index + 1);
        refresh();
    });
    tools.Separator();
    tools.KindButtons(btnKind, [this](int k) {
        m_view.ChangeKind(k);
        refresh();
    });
    for (int k = 4; k < 7; ++k)
        btnKind[k]->setVisible(false); // stairs, points and pie do not suit traffic
    tools.Separator();
    btn3D = tools.ThreeDButton([this](bool on) {
        m_view.Set3D(on);
        refresh();
    });
    btnMarks = tools.Button(TGraphIcon::Marks, 107, [this] {
        m_view.NextMarksStyle();
        refresh();
    });
    btnPrint = tools.Button(TGraphIcon::Print, 105, [this] { PrintGraph(); });
    btnExit = tools.Button(TGraphIcon::Exit, 106, [this] { close(); });
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

void TfrmTrafficGraph::nameControls()
{
    NameControls({{tlbGraph, "tlbGraph"}, {btnPrevPage, "btnPrevPage"}, {btnNextPage, "btnNextPage"},
                  {cmbMultiY, "cmbMultiY"}, {btn3D, "btn3D"}, {btnMarks, "btnMarks"}, {btnPrint, "btnPrint"},
                  {btnExit, "btnExit"}, {crtGraph, "crtGraph"}});
    NameControlArray(btnKind, "btnKind");
    NameControlArray(mnuStatistics, "mnuStatistics");
}

TfrmTrafficGraph::~TfrmTrafficGraph() { qApp->removeEventFilter(this); }

template <class Dialog, class In, class Out> void TfrmTrafficGraph::runDialog(Dialog &dialog, In copyIn, Out copyOut)
{
    copyIn();
    dialog.PlaceByOwner();
    if (dialog.exec() != QDialog::Accepted)
        return;
    copyOut();
    refresh();
}

bool TfrmTrafficGraph::LoadFile(const QString &fileName)
{
    TfrmReportProgress progress(this);
    progress.ShowProgress(66, 67, true);
    const bool ok = m_view.LoadFile(fileName, &progress.Sink(), TrvlPar());
    progress.hide();
    if (!ok)
        return false;
    cmbMultiY->clear();
    for (int m = 1; m <= m_view.Data().MultiYItems().Count(); ++m)
        cmbMultiY->addItem(m_view.Data().MultiYItems().Title(m));
    return true;
}

void TfrmTrafficGraph::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_view.Activate();
        refresh();
    }
}

void TfrmTrafficGraph::showPage(int page)
{
    m_view.ShowPage(page);
    refresh();
}

void TfrmTrafficGraph::refresh()
{
    btnKind[m_view.Kind()]->setChecked(true);
    btn3D->setChecked(m_view.View3D());
    btnPrevPage->setEnabled(m_view.PreviousPageEnabled());
    btnNextPage->setEnabled(m_view.NextPageEnabled());
    cmbMultiY->setCurrentIndex(m_view.CurrentMultiY() - 1);
    crtGraph->update();
}

void TfrmTrafficGraph::PrintGraph() { crtGraph->Print(); }

bool TfrmTrafficGraph::eventFilter(QObject *watched, QEvent *event)
{
    if (!IsChartWindowKey(this, event))
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool ctrlOnly = key->modifiers() == Qt::ControlModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_Left:
        showPage(ctrlOnly ? 0 : m_view.CurrentPage() - 1);
        return true;
    case Qt::Key_Right:
        showPage(ctrlOnly ? m_view.Data().PageCount() - 1 : m_view.CurrentPage() + 1);
        return true;
    case Qt::Key_P:
        if (ctrlOnly)
            PrintGraph();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}
