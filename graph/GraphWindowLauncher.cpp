#include "graph/GraphWindowLauncher.h"

bool RunGraphWindow(const QString &, const QIcon &)
{
    // The graph window is not part of the program yet.
    return false;
}
