#pragma once
// Entry points that open the graph windows. Each window is modal and returns when closed.
#include <QIcon>
#include <QString>

class QWidget;

// A graph file (record 916) opened from the command line. False when the file could not be
// loaded (the loader has shown its message).
bool RunGraphWindow(const QString &fileName, const QIcon &icon);

// The graph window for a file: text 5237 when the file is missing; otherwise the window is
// shown modally when its data loads.
bool ShowGraphForFile(QWidget *owner, const QString &fileName, const QIcon &icon);
// The traffic graph window for a report that declares record 950; as above.
bool ShowTrafficGraphForFile(QWidget *owner, const QString &fileName, const QIcon &icon);

// The preview's Graph command: the traffic window when isTraffic (the report declared record
// 950), else the graph window, for the report file being previewed.
void ShowReportGraph(QWidget *parent, const QString &reportFile, bool isTraffic, const QIcon &icon);
