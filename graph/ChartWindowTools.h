#pragma once
// What the graph window and the traffic window share around their chart: the two menus, the
// toolbar's paging, kind, 3D, marks, print and exit buttons, and the keys the window takes.
#include "graph/GraphToolbarIcons.h"

#include <QAction>
#include <functional>

class QEvent;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

struct TChartMenuHandlers {
    std::function<void()> copyPicture, copyData, print, exit;
    std::function<void()> gallery, gridlines, marks, colors, titles, fonts;
};

struct TChartMenus {
    QMenu *graph = nullptr, *options = nullptr;
    QAction *copyPicture = nullptr, *copyData = nullptr, *print = nullptr, *printSetup = nullptr, *exit = nullptr;
    QAction *gallery = nullptr, *gridlines = nullptr, *marks = nullptr, *colors = nullptr, *titles = nullptr,
            *fonts = nullptr;
};

// The "graph" menu (copy picture, copy data, print, exit) and the "options" menu (gallery,
// gridlines, marks, colours, titles, fonts).
TChartMenus BuildChartMenus(QMenuBar *bar, QObject *context, const TChartMenuHandlers &on);

// Builds a chart window's toolbar, button by button in the window's order.
class TChartToolbarBuilder
{
public:
    explicit TChartToolbarBuilder(QWidget *window);
    QToolBar *Toolbar() const { return m_bar; }

    QAction *Button(TGraphIcon icon, int text, std::function<void()> onClick);
    // The seven kind buttons, one checked at a time.
    void KindButtons(QAction *(&kinds)[7], std::function<void(int kind)> onKind);
    QAction *ThreeDButton(std::function<void(bool on)> on3D);
    QAction *Separator();

private:
    QWidget *m_window;
    QToolBar *m_bar;
};

// True for a key press the chart window itself acts on: the window is the active one and no
// menu or drop-down list is open (Escape there closes only the menu or the list).
bool IsChartWindowKey(const QWidget *window, const QEvent *event);
