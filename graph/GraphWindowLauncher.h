#pragma once
// Opens a graph file in the graph window and returns when the window is closed.
#include <QIcon>
#include <QString>

// False when the file could not be loaded (the window reports its own errors).
bool RunGraphWindow(const QString &fileName, const QIcon &icon);
