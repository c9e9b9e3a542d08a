// tarvel-report graph-data REPORT.srp [--group N]: the text that "copy data" of the graph
// window puts on the clipboard, for group N (for a traffic report, page N).
#include "cli/Commands.h"

#include "graph/GraphData.h"
#include "graph/TrafficGraphData.h"

namespace {

int graphData(const QStringList &args)
{
    QString file;
    int group = 0;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--group") && i + 1 < args.size()) {
            bool ok = false;
            group = args[++i].toInt(&ok);
            if (!ok || group < 0)
                return kExitUsage;
        } else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            file = args[i];
        } else {
            return kExitUsage;
        }
    }
    if (file.isEmpty())
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckNotSpecial(file, status))
        return status;
    TClipboardStrings strings;
    if (IsTrafficReport(file)) {
        TTrafficGraphData data;
        if (!data.LoadFromFile(file))
            return kExitFailure; // the reader has written its message
        if (group >= data.PageCount())
            return CliFail(QStringLiteral("the report has %1 traffic pages").arg(data.PageCount()));
        data.FillClipboard(group, strings);
    } else {
        TGraphData data;
        if (!data.LoadFromFile(file))
            return kExitFailure;
        if (group >= data.GroupCount())
            return CliFail(QStringLiteral("the report has %1 graph groups").arg(data.GroupCount()));
        data.SetCurrentGroup(group);
        data.FillClipboard(strings);
    }
    CliPrint(strings.Text());
    return kExitOk;
}

const TCliCommand command("graph-data", "REPORT.srp [--group N]", "the graph's \"copy data\" text, UTF-8 with CR LF", graphData);

} // namespace
