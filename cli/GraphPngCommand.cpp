// tarvel-report graph-png REPORT.srp OUT.png [--group N] [--kind 0-6] [--width W --height H]:
// the chart as the graph window shows it when opened, as a PNG file.
#include "cli/Commands.h"

#include "foundation/OutputFile.h"
#include "foundation/Paths.h"
#include "graph/ChartPainter.h"
#include "graph/GraphView.h"
#include "graph/TrafficGraphData.h"
#include "graph/TrafficView.h"

#include <QImage>
#include <QPainter>

namespace {

bool takeInt(const QStringList &args, int &i, int &value, int low, int high)
{
    if (i + 1 >= args.size())
        return false;
    bool ok = false;
    value = args[++i].toInt(&ok);
    return ok && value >= low && value <= high;
}

int graphPng(const QStringList &args)
{
    QStringList files;
    int group = 0, kind = -1, width = 1024, height = 640;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        bool ok = true;
        if (a == QLatin1String("--group"))
            ok = takeInt(args, i, group, 0, 1 << 30);
        else if (a == QLatin1String("--kind"))
            ok = takeInt(args, i, kind, 0, 6);
        else if (a == QLatin1String("--width"))
            ok = takeInt(args, i, width, 100, 10000);
        else if (a == QLatin1String("--height"))
            ok = takeInt(args, i, height, 100, 10000);
        else if (a.startsWith(QLatin1String("--")))
            ok = false;
        else
            files.append(a);
        if (!ok)
            return kExitUsage;
    }
    if (files.size() != 2)
        return kExitUsage;
    int status = kExitOk;
    if (!CliCheckNotSpecial(files[0], status) || !CliCheckOutput(files[0], files[1], status))
        return status;

    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    const QString settings = TrvlPar();
    QPainter painter;
    if (IsTrafficReport(files[0])) {
        TTrafficView view;
        if (!view.LoadFile(files[0], nullptr, settings))
            return kExitFailure;
        if (group >= view.Data().PageCount())
            return CliFail(QStringLiteral("the report has %1 traffic pages").arg(view.Data().PageCount()));
        view.Activate();
        if (kind >= 0)
            view.ChangeKind(kind);
        if (group > 0)
            view.ShowPage(group);
        painter.begin(&image);
        PaintChart(view.Model(), painter, QRectF(0, 0, width, height));
    } else {
        TGraphView view;
        if (!view.LoadFile(files[0], nullptr, settings))
            return kExitFailure;
        if (group >= view.Data().GroupCount())
            return CliFail(QStringLiteral("the report has %1 graph groups").arg(view.Data().GroupCount()));
        view.Activate();
        if (group > 0)
            view.ChangeGroup(group);
        if (kind == int(TChartKind::Pie) && view.PieEnabled())
            view.PieButton();
        else if (kind >= 0 && kind != int(TChartKind::Pie))
            view.KindButton(kind);
        painter.begin(&image);
        PaintChart(view.Model(), painter, QRectF(0, 0, width, height));
    }
    painter.end();
    TOutputFile out(files[1]);
    if (!out.Open() || !image.save(&out.Device(), "PNG") || !out.Commit())
        return CliFail(QStringLiteral("cannot write %1: %2").arg(files[1], out.ErrorString()));
    return kExitOk;
}

const TCliCommand command("graph-png", "REPORT.srp OUT.png [--group N] [--kind 0-6] [--width W --height H]", "the chart as the graph window first shows it", graphPng);

} // namespace
