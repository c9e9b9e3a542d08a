#include "graph/TrafficGraphWindow.h"

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

    QMenu *graph = menus->addMenu(DisplayText(55));
    graph->addAction(DisplayText(56), this, [this] { crtGraph->CopyPicture(); });
    graph->addAction(DisplayText(57), this, [this] { m_view.Data().CopyDataToClipboard(m_view.CurrentPage()); });
    graph->addSeparator();
    graph->addAction(DisplayText(58), this, [this] { PrintGraph(); });
    graph->addSeparator();
    graph->addAction(DisplayText(59), this, &QDialog::close);
    QMenu *options = menus->addMenu(DisplayText(60));
    options->addAction(DisplayText(61), this, [this] {
        TfrmGraphGallery d(this, true);
        runDialog(d, [&] { d.CopyIn(m_view.Kind(), m_view.View3D(), m_view.Percent3D(), false, true); }, [&] {
            int kind = m_view.Kind(), percent = m_view.Percent3D();
            bool view3D = m_view.View3D();
            d.CopyOut(kind, view3D, percent);
            m_view.SetGallery(kind, view3D, percent);
        });
    });
    options->addAction(DisplayText(64), this, [this] {
        TfrmGraphGridlines d(this);
        runDialog(d, [&] { d.CopyIn(m_view.Settings().verticalGrid, m_view.Settings().horizontalGrid); }, [&] {
            TGraphSettings s = m_view.Settings();
            d.CopyOut(s.verticalGrid, s.horizontalGrid);
            m_view.SetSettings(s);
            m_view.SaveSettings();
            m_view.ApplyAll();
        });
    });
    options->addAction(DisplayText(121), this, [this] {
        TfrmGraphMarks d(this);
        runDialog(d, [&] { d.CopyIn(m_view.MarksStyle()); }, [&] {
            int style = m_view.MarksStyle();
            d.CopyOut(style);
            m_view.SetMarksStyle(style);
        });
    });
    options->addAction(DisplayText(62), this, [this] {
        TfrmGraphColors d(this, true);
        runDialog(d, [&] { d.CopyIn(m_view.Settings().colors); }, [&] {
            TGraphSettings s = m_view.Settings();
            d.CopyOut(s.colors);
            m_view.SetSettings(s);
            m_view.SaveSettings();
            m_view.ApplyAll();
        });
    });
    options->addAction(DisplayText(63), this, [this] {
        TfrmGraphTitles d(this);
        runDialog(d, [&] { d.CopyIn(m_view.Titles()); }, [&] {
            TGraphTitles t = m_view.Titles();
            d.CopyOut(t);
            m_view.SetTitles(t);
            m_view.ApplyAll();
        });
    });
    options->addAction(DisplayText(114), this, [this] {
        TfrmGraphFonts d(this);
        runDialog(d, [&] { d.CopyIn(m_view.Settings().fonts); }, [&] {
            TGraphSettings s = m_view.Settings();
            d.CopyOut(s.fonts);
            m_view.SetSettings(s);
            m_view.SaveSettings();
            m_view.ApplyAll();
        });
    });
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

    tlbGraph = new QToolBar(this);
    tlbGraph->setIconSize(QSize(22, 22));
    btnPrevPage = tlbGraph->addAction(GraphToolIcon(TGraphIcon::PreviousPage), DisplayText(103), this,
                                      [this] { showPage(m_view.CurrentPage() - 1); });
    btnNextPage = tlbGraph->addAction(GraphToolIcon(TGraphIcon::NextPage), DisplayText(104), this,
                                      [this] { showPage(m_view.CurrentPage() + 1); });
    tlbGraph->addSeparator();
    cmbMultiY = new QComboBox(tlbGraph);
    cmbMultiY->setMinimumContentsLength(18);
    tlbGraph->addWidget(cmbMultiY);
    connect(cmbMultiY, &QComboBox::activated, this, [this](int index) {
        m_view.SelectMultiY(index + 1);
        refresh();
    });
    tlbGraph->addSeparator();
    auto *kinds = new QActionGroup(this);
    for (int k = 0; k < 7; ++k) {
        btnKind[k] = tlbGraph->addAction(GraphKindIcon(k), DisplayText(82 + k).remove(QLatin1Char('&')));
        btnKind[k]->setCheckable(true);
        btnKind[k]->setVisible(k < 4);
        kinds->addAction(btnKind[k]);
        connect(btnKind[k], &QAction::triggered, this, [this, k] {
            m_view.ChangeKind(k);
            refresh();
        });
    }
    tlbGraph->addSeparator();
    btn3D = tlbGraph->addAction(GraphToolIcon(TGraphIcon::ThreeD), DisplayText(90).remove(QLatin1Char('&')));
    btn3D->setCheckable(true);
    connect(btn3D, &QAction::triggered, this, [this](bool on) {
        m_view.Set3D(on);
        refresh();
    });
    btnMarks = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Marks), DisplayText(107), this, [this] {
        m_view.NextMarksStyle();
        refresh();
    });
    btnPrint = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Print), DisplayText(105), this, [this] { PrintGraph(); });
    btnExit = tlbGraph->addAction(GraphToolIcon(TGraphIcon::Exit), DisplayText(106), this, &QDialog::close);
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
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget() != this)
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
