#pragma once
// TfrmTrafficGraph: the traffic graph window. A toolbar and menus around the chart panel;
// what the chart shows lives in TTrafficView.
#include "graph/TrafficView.h"

#include <QDialog>
#include <QIcon>

class QAction;
class QComboBox;
class QToolBar;
class TChartPanel;

class TfrmTrafficGraph : public QDialog
{
    Q_OBJECT
public:
    TfrmTrafficGraph(QWidget *owner, const QIcon &icon);
    ~TfrmTrafficGraph() override;

    bool LoadFile(const QString &fileName);
    TTrafficView &View() { return m_view; }
    void PrintGraph();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void showPage(int page);
    void nameControls();
    template <class Dialog, class In, class Out> void runDialog(Dialog &dialog, In copyIn, Out copyOut);

    // The window's controls (tests find them by these object names).
    QToolBar *tlbGraph = nullptr;
    QAction *btnPrevPage = nullptr, *btnNextPage = nullptr;
    QComboBox *cmbMultiY = nullptr;
    QAction *btnKind[7] = {};
    QAction *btn3D = nullptr, *btnMarks = nullptr, *btnPrint = nullptr, *btnExit = nullptr;
    QAction *mnuStatistics[3] = {};
    TChartPanel *crtGraph = nullptr;

    TTrafficView m_view;
    bool m_shown = false;
};
