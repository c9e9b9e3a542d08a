#pragma once
// TfrmGraph: the graph window. A toolbar and menus around the chart panel; what the chart
// shows and how each control changes it lives in TGraphView.
#include "graph/GraphView.h"

#include <QDialog>
#include <QIcon>

class QAction;
class QComboBox;
class QMenuBar;
class QSpinBox;
class QToolBar;
class TChartPanel;

class TfrmGraph : public QDialog
{
    Q_OBJECT
public:
    TfrmGraph(QWidget *owner, const QIcon &icon);
    ~TfrmGraph() override;

    // Reads the file under the progress window; false when there is nothing to show.
    bool LoadFile(const QString &fileName);
    void PrepareToolbar();
    void Activate();
    void PrintGraph();

    TGraphView &View() { return m_view; }

    // Option dialogs, each run modally on a copy of the window's values.
    void ShowGallery();
    void ShowColors();
    void ShowTitles();
    void ShowGridlines();
    void ShowFonts();
    void ShowMarks();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus(QMenuBar *menus);
    void buildToolbar();
    void nameControls();
    // Controls follow the view after every change.
    void refresh();
    void pointsPerPageEdited(int value);

    // The window's controls (tests find them by these object names).
    QToolBar *tlbGraph = nullptr;
    QAction *btnPrevGroup = nullptr, *btnNextGroup = nullptr, *sepGroups = nullptr;
    QAction *btnPrevPage = nullptr, *btnNextPage = nullptr;
    QSpinBox *sedPointsPerPage = nullptr;
    QAction *actPointsPerPage = nullptr;
    QAction *btnField[5] = {};
    QAction *sepFields = nullptr;
    QComboBox *cmbFields = nullptr;
    QAction *actFields = nullptr, *sepFieldList = nullptr;
    QAction *btnKind[7] = {};
    QAction *btn3D = nullptr, *btnMarks = nullptr, *btnLegend = nullptr, *btnPrint = nullptr, *btnExit = nullptr;
    QAction *mnuCopyPicture = nullptr, *mnuCopyData = nullptr, *mnuPrint = nullptr, *mnuPrintSetup = nullptr, *mnuExit = nullptr;
    QAction *mnuGallery = nullptr, *mnuGridlines = nullptr, *mnuMarks = nullptr, *mnuColors = nullptr, *mnuTitles = nullptr,
            *mnuFonts = nullptr;
    TChartPanel *crtGraph = nullptr;

    TGraphView m_view;
    bool m_shown = false;
    bool m_refreshing = false;
};
