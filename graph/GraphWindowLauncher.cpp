#include "graph/GraphWindowLauncher.h"

#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "graph/GraphWindow.h"
#include "graph/TrafficGraphWindow.h"

#include <QFileInfo>

namespace {

template <class Window> bool showFor(QWidget *owner, const QString &fileName, const QIcon &icon)
{
    if (!QFileInfo::exists(fileName)) {
        WarnOk(DisplayText(5237));
        return false;
    }
    Window window(owner, icon);
    if (!window.LoadFile(fileName))
        return false;
    window.exec();
    return true;
}

} // namespace

bool ShowGraphForFile(QWidget *owner, const QString &fileName, const QIcon &icon)
{
    return showFor<TfrmGraph>(owner, fileName, icon);
}

bool ShowTrafficGraphForFile(QWidget *owner, const QString &fileName, const QIcon &icon)
{
    return showFor<TfrmTrafficGraph>(owner, fileName, icon);
}

bool RunGraphWindow(const QString &fileName, const QIcon &icon)
{
    TfrmGraph window(nullptr, icon);
    if (!window.LoadFile(fileName))
        return false;
    window.exec();
    return true;
}

void ShowReportGraph(QWidget *parent, const QString &reportFile, bool isTraffic, const QIcon &icon)
{
    if (isTraffic)
        ShowTrafficGraphForFile(parent, reportFile, icon);
    else
        ShowGraphForFile(parent, reportFile, icon);
}
