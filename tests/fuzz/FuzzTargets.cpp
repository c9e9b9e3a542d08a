#include "FuzzTargets.h"

#include "engine/PageFile.h"
#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "export/ExportToFile.h"
#include "foundation/AppState.h"
#include "foundation/FontSpec.h"
#include "foundation/IniFile.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"
#include "foundation/Progress.h"
#include "graph/GraphData.h"
#include "graph/TrafficGraphData.h"
#include "report/BatchRun.h"
#include "report/LogoPicture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString workFile(const char *name) { return workDir().path() + QLatin1Char('/') + QLatin1String(name); }

// The readers take file names: the bytes go into a file of the work folder.
QString asFile(const char *name, const QByteArray &bytes)
{
    const QString path = workFile(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

// A report run to pages, as the preview and pdf make them.
void reportToPages(const QByteArray &bytes)
{
    TPageStore store;
    RunReportIntoStore(asFile("report.srp", bytes), store);
    if (store.PageCount() > 0)
        RenderPageImage(store, 0, 12);
}

// The export's options come from the first byte, the report is the rest.
void exportReport(const QByteArray &bytes, const char *target)
{
    const quint8 bits = bytes.isEmpty() ? 0 : quint8(bytes[0]);
    TExportOptions options;
    options.Delimiter = (bits & 1) ? ';' : ',';
    options.ForceQuote = bits & 2;
    options.AsciiDos = bits & 4;
    options.DataOnly = bits & 8;
    options.IncludeSummaryLine = bits & 16;
    options.IncludeHeader = bits & 32;
    options.HeaderType = (bits >> 6) & 1;
    options.LinesInPage = (bits & 128) ? -1 : 20;
    TSilentProgress progress;
    ExportReport(asFile("export.srp", bytes.mid(1)), workFile(target), options, progress);
}

void csvExport(const QByteArray &bytes) { exportReport(bytes, "out.csv"); }
void textExport(const QByteArray &bytes) { exportReport(bytes, "out.txt"); }

void graphData(const QByteArray &bytes)
{
    TGraphData data;
    if (!data.LoadFromFile(asFile("graph.srp", bytes)))
        return;
    TClipboardStrings strings;
    for (int group = 0; group < std::min(data.GroupCount(), 3); ++group) {
        data.SetCurrentGroup(group);
        data.FillClipboard(strings);
    }
}

void trafficData(const QByteArray &bytes)
{
    TTrafficGraphData data;
    if (!data.LoadFromFile(asFile("traffic.srp", bytes)))
        return;
    TClipboardStrings strings;
    for (int page = 0; page < std::min(data.PageCount(), 3); ++page)
        data.FillClipboard(page, strings);
}

void settingsReader(const QByteArray &bytes)
{
    const QString file = asFile("SETTINGS.PAR", bytes);
    TVelaIniFile ini(file);
    ini.ReadSectionValues(QStringLiteral("PageInfo"));
    ini.ReadString(QStringLiteral("PageInfo"), QStringLiteral("CompName"), QStringLiteral("x"));
    ini.ReadInteger(QStringLiteral("export"), QStringLiteral("LINES_IN_PAGE"), 60);
    TFontSpec font;
    ReadFontKeys(file, QStringLiteral("Styles"), QStringLiteral("Title"), 0, 0, 9, QStringLiteral("Arial"), font);
    font.toQFont();
    ini.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"));
}

void pageFile(const QByteArray &bytes)
{
    TPageStore store;
    if (LoadPagesFromFile(store, asFile("pages.qrp", bytes)) && store.PageCount() > 0)
        RenderPageImage(store, 0, 12);
}

// The first byte chooses the format, the rest is the picture.
void logoPicture(const QByteArray &bytes)
{
    static const char *const suffixes[] = {"jpg", "png", "bmp", "gif"};
    const int kind = bytes.isEmpty() ? 0 : quint8(bytes[0]) % 4;
    DecodeLogoPicture(bytes.mid(1), QLatin1String(suffixes[kind]));
}

} // namespace

const QList<TFuzzTarget> &FuzzTargets()
{
    static const QList<TFuzzTarget> targets = {
        {"report", reportToPages}, {"csv", csvExport},           {"text", textExport},
        {"graph", graphData},      {"traffic", trafficData},     {"settings", settingsReader},
        {"pagefile", pageFile},    {"logo", logoPicture},
    };
    return targets;
}

const TFuzzTarget *FindFuzzTarget(const QString &name)
{
    for (const TFuzzTarget &target : FuzzTargets())
        if (name == QLatin1String(target.name))
            return &target;
    return nullptr;
}

void PrepareFuzzing()
{
    // The installation folder is an empty one of our own: nothing of the machine's is read.
    qputenv("TARVEL_HOME", QFile::encodeName(workDir().path()));
    AdminMode = true;
    ResolvePaths();
    SetMessageHandler([](const QString &, const QString &, int, int) { return 0; });
}
