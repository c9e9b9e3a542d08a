#include "graph/ChartWindowTools.h"

#include "foundation/DisplayText.h"

#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

QAction *addItem(QMenu *menu, int text, QObject *context, const std::function<void()> &onClick)
{
    QAction *action = menu->addAction(DisplayText(text));
    if (onClick)
        QObject::connect(action, &QAction::triggered, context, onClick);
    return action;
}

QString withoutAmpersand(int text) { return DisplayText(text).remove(QLatin1Char('&')); }

} // namespace

TChartMenus BuildChartMenus(QMenuBar *bar, QObject *context, const TChartMenuHandlers &on)
{
    TChartMenus m;
    m.graph = bar->addMenu(DisplayText(55));
    m.copyPicture = addItem(m.graph, 56, context, on.copyPicture);
    m.copyData = addItem(m.graph, 57, context, on.copyData);
    m.graph->addSeparator();
    m.print = addItem(m.graph, 58, context, on.print);
    m.printSetup = addItem(m.graph, 58, context, {});
    m.printSetup->setVisible(false);
    m.graph->addSeparator();
    m.exit = addItem(m.graph, 59, context, on.exit);
    m.options = bar->addMenu(DisplayText(60));
    m.gallery = addItem(m.options, 61, context, on.gallery);
    m.gridlines = addItem(m.options, 64, context, on.gridlines);
    m.marks = addItem(m.options, 121, context, on.marks);
    m.colors = addItem(m.options, 62, context, on.colors);
    m.titles = addItem(m.options, 63, context, on.titles);
    m.fonts = addItem(m.options, 114, context, on.fonts);
    return m;
}

TChartToolbarBuilder::TChartToolbarBuilder(QWidget *window)
    : m_window(window)
    , m_bar(new QToolBar(window))
{
    m_bar->setIconSize(QSize(22, 22));
}

QAction *TChartToolbarBuilder::Button(TGraphIcon icon, int text, std::function<void()> onClick)
{
    return m_bar->addAction(GraphToolIcon(icon), DisplayText(text), m_window, std::move(onClick));
}

void TChartToolbarBuilder::KindButtons(QAction *(&kinds)[7], std::function<void(int)> onKind)
{
    auto *group = new QActionGroup(m_window);
    for (int k = 0; k < 7; ++k) {
        kinds[k] = m_bar->addAction(GraphKindIcon(k), withoutAmpersand(82 + k));
        kinds[k]->setCheckable(true);
        group->addAction(kinds[k]);
        QObject::connect(kinds[k], &QAction::triggered, m_window, [onKind, k] { onKind(k); });
    }
}

QAction *TChartToolbarBuilder::ThreeDButton(std::function<void(bool)> on3D)
{
    QAction *button = m_bar->addAction(GraphToolIcon(TGraphIcon::ThreeD), withoutAmpersand(90));
    button->setCheckable(true);
    QObject::connect(button, &QAction::triggered, m_window, std::move(on3D));
    return button;
}

QAction *TChartToolbarBuilder::Separator() { return m_bar->addSeparator(); }

bool IsChartWindowKey(const QWidget *window, const QEvent *event)
{
    return event->type() == QEvent::KeyPress && QApplication::activeModalWidget() == window
        && !QApplication::activePopupWidget();
}
