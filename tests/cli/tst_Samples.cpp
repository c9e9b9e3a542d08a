// The bundled samples: what the viewer reads from each, that they are well-formed saved
// reports in the suite's code page, that the sample installation folder holds what the
// viewer needs, and that the generator still writes exactly the committed files.
#include "foundation/Codepages.h"
#include "foundation/IniFile.h"
#include "graph/GraphData.h"
#include "graph/GraphFormatter.h"
#include "graph/TrafficGraphData.h"
#include "ProgramRun.h"
#include "report/RecordCodes.h"
#include "report/RecordStream.h"
#include "report/SrpReader.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString examples(const QString &name = QString()) { return SourceDir() + QStringLiteral("/examples/") + name; }

struct TSampleInfo {
    const char *file;
    bool graphFile;
    bool scrambled;
    int requiredVersion;
    bool landscape;
};

const TSampleInfo kSamples[] = {
    {"calls-by-extension.srp", false, false, 1, false},
    {"calls-by-department.srp", false, true, 1, true},
    {"trunk-summary.srp", false, false, 1, false},
    {"graph-calls.srp", true, false, 1, true},
    {"traffic.srp", false, false, 1, true},
    {"needs-version-2.srp", false, false, 2, false},
    {"no-data.srp", false, false, 1, false},
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every record of a sample, as the viewer's reader delivers it.
struct TRecord {
    int code;
    QByteArray rest;
};
QList<TRecord> readRecords(const QString &path)
{
    TSrpReader reader(path);
    QList<TRecord> records;
    if (!reader.Open() || !reader.ReadHeader())
        return records;
    while (reader.ReadRecord())
        records.append({reader.RecordCode(), reader.RecordRest()});
    return records;
}

int countCode(const QList<TRecord> &records, int code)
{
    return int(std::count_if(records.begin(), records.end(), [code](const TRecord &r) { return r.code == code; }));
}

TEST(Samples, InfoOfEachBundledSample)
{
    for (const TSampleInfo &sample : kSamples) {
        SCOPED_TRACE(sample.file);
        const TProgramRun run = RunReportTool({"info", examples(QString::fromLatin1(sample.file))});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        auto yesNo = [](bool b) { return QByteArray(b ? "yes" : "no"); };
        EXPECT_TRUE(run.out.contains("graph-file: " + yesNo(sample.graphFile) + "\n")) << run.out.constData();
        EXPECT_TRUE(run.out.contains("scrambled: " + yesNo(sample.scrambled) + "\n")) << run.out.constData();
        EXPECT_TRUE(run.out.contains("required-version: " + QByteArray::number(sample.requiredVersion) + "\n"))
            << run.out.constData();
        EXPECT_TRUE(run.out.contains(QByteArray("orientation: ") + (sample.landscape ? "landscape" : "portrait") + "\n"))
            << run.out.constData();
    }
}

TEST(Samples, AreWindowsTextRecordsInHebrewCodePage)
{
    for (const TSampleInfo &sample : kSamples) {
        SCOPED_TRACE(sample.file);
        const QString path = examples(QString::fromLatin1(sample.file));
        const QByteArray bytes = readFile(path);
        ASSERT_FALSE(bytes.isEmpty());
        // Every line ends in CR LF, the last one too.
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
        // The second line is always the orientation record.
        const QList<TRecord> records = readRecords(path);
        ASSERT_FALSE(records.isEmpty());
        EXPECT_EQ(records.first().code, rcOrientation);
        for (const TRecord &record : records) {
            EXPECT_TRUE(IsKnownRecordCode(record.code)) << record.code;
            EXPECT_FALSE(FromWin1255(record.rest).contains(QChar::ReplacementCharacter)) << record.code;
        }
    }
}

TEST(Samples, CallListingHasDepartmentSectionsWithTotals)
{
    const QList<TRecord> records = readRecords(examples(QStringLiteral("calls-by-extension.srp")));
    EXPECT_GE(countCode(records, rcData), 300); // several pages
    EXPECT_EQ(countCode(records, rcSectionEnd), 4); // five departments
    EXPECT_EQ(countCode(records, rcTotals), 6); // one per department and the grand total
    EXPECT_EQ(countCode(records, rcRightToLeft), 1);
    for (const TRecord &record : records) {
        if (record.code == rcTitles) {
            EXPECT_TRUE(record.rest.contains('|')); // two title rows
        }
        if (record.code == rcData) {
            QByteArray rest = record.rest;
            int fields = 0;
            while (!rest.isEmpty()) {
                NextField(rest);
                ++fields;
            }
            EXPECT_EQ(fields, 8);
        }
    }
    EXPECT_TRUE(std::any_of(records.begin(), records.end(), [](const TRecord &r) {
        return r.code == rcData && FromWin1255(r.rest).contains(QStringLiteral("סלולרי"));
    }));
}

TEST(Samples, TrunkSummaryEmbedsTheLogoPicture)
{
    const QList<TRecord> records = readRecords(examples(QStringLiteral("trunk-summary.srp")));
    QByteArray picture;
    bool placed = false;
    for (const TRecord &record : records) {
        QByteArray rest = record.rest;
        if (record.code != rcPageHeaderItem)
            continue;
        const int kind = NextInt(rest);
        if (kind == 3) {
            const QByteArray hex = NextField(rest);
            EXPECT_LE(hex.size(), 200);
            picture += QByteArray::fromHex(hex);
        } else if (kind == 4) {
            placed = true;
        }
    }
    EXPECT_TRUE(placed);
    EXPECT_EQ(picture, readFile(examples(QStringLiteral("home/logo.jpg"))));
    EXPECT_FALSE(QImage::fromData(picture, "JPEG").isNull());
}

TEST(Samples, GraphFileHasOneGroupPerDepartmentWithEveryKindOfValue)
{
    TGraphData data{TIntlSettings::Plain()};
    ASSERT_TRUE(data.LoadFromFile(examples(QStringLiteral("graph-calls.srp"))));
    EXPECT_EQ(data.GroupCount(), 5);
    EXPECT_TRUE(data.RightToLeft());
    EXPECT_EQ(data.XFieldCount(), 1);
    ASSERT_EQ(data.YFieldCount(), 5);
    EXPECT_EQ(data.YColumnCount(1), 2); // calls out and in
    const int kinds[] = {0, 2, 3, 4, 6};
    for (int f = 1; f <= 5; ++f) {
        EXPECT_EQ(data.YFieldKind(f), kinds[f - 1]);
        EXPECT_GT(data.MaxValue(f), 0) << f; // every series reads as numbers
    }
    for (int g = 0; g < data.GroupCount(); ++g) {
        data.SetCurrentGroup(g);
        EXPECT_EQ(data.PointCount(), 6);
        QStringList header;
        data.HeaderLines(header);
        EXPECT_EQ(header.size(), 3) << g; // title, department, period
    }
    data.SetCurrentGroup(1);
    QStringList header;
    data.HeaderLines(header);
    EXPECT_EQ(header.value(1), QStringLiteral("מחלקה: מכירות"));
    EXPECT_FALSE(data.Label(1, 1, true).isEmpty());
}

TEST(Samples, TrafficReportHasAPagePerTrunkGroup)
{
    TTrafficGraphData data{TIntlSettings::Plain()};
    ASSERT_TRUE(data.LoadFromFile(examples(QStringLiteral("traffic.srp"))));
    EXPECT_EQ(data.KeyFieldCount(), 2);
    EXPECT_EQ(data.PageCount(), 3);
    EXPECT_EQ(data.YFields().Count(), 5);
    EXPECT_EQ(data.MultiYItems().Count(), 4);
    for (int page = 0; page < data.PageCount(); ++page) {
        EXPECT_EQ(data.Page(page)->RowCount(), 24);
        for (int m = 1; m <= data.MultiYItems().Count(); ++m)
            EXPECT_GT(data.MultiYMax(m, page), 0) << page << " " << m;
    }
}

TEST(Samples, HomeFolderHoldsTheInstallationSettings)
{
    const QString home = examples(QStringLiteral("home/"));
    const QString client = home + QStringLiteral("CLIENT.PAR");
    const QString trvl = home + QStringLiteral("TRVL.PAR");
    EXPECT_EQ(IniReadString(client, "general", "CS_SYSTEM"), QStringLiteral("S"));
    EXPECT_FALSE(IniReadYesNo(client, "intl", "USE_WIN", true));
    EXPECT_EQ(IniReadString(client, "intl", "sCurrency"), QStringLiteral("₪"));
    EXPECT_EQ(IniReadInteger(client, "intl", "iDate"), 1);
    EXPECT_EQ(IniReadInteger(client, "export", "DELIMITER"), 44);
    EXPECT_EQ(IniReadString(trvl, "sysconfig", "DB_LANGUAGE"), QStringLiteral("HEB"));
    EXPECT_TRUE(IniReadString(trvl, "PageInfo", "CompName").contains(QStringLiteral("גלבוע")));
    // A bare logo name is looked up in the data directory, which is this folder.
    const QString logo = IniReadString(trvl, "PageInfo", "LogoFile");
    EXPECT_FALSE(logo.contains(QLatin1Char('/')));
    EXPECT_FALSE(QImage(home + logo).isNull());
    QStringList fonts;
    EXPECT_TRUE(IniReadSectionValues(home + QStringLiteral("TRNSFONT.INI"), "HEB", fonts));
    EXPECT_TRUE(fonts.contains(QStringLiteral("Default=Arial")));
}

// The generator is built with the project; when it is there, it must reproduce the
// committed samples byte for byte (a changed generator means regenerating examples/).
QString generator()
{
    const QString build = qEnvironmentVariable("TARVEL_TEST_BUILD_DIR");
    const QString path = build + QStringLiteral("/tools/make-samples/tarvel-make-samples");
    return !build.isEmpty() && QFileInfo(path).isExecutable() ? path : QString();
}

TEST(Samples, GeneratorReproducesTheCommittedFiles)
{
    if (generator().isEmpty())
        GTEST_SKIP() << "tarvel-make-samples is not built";
    TTestDir out;
    const TProgramRun run = RunProgram(generator(), {out.path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    QStringList files;
    for (const TSampleInfo &sample : kSamples)
        files << QString::fromLatin1(sample.file);
    files << QStringLiteral("home/CLIENT.PAR") << QStringLiteral("home/TRVL.PAR") << QStringLiteral("home/TRNSFONT.INI")
          << QStringLiteral("home/logo.jpg");
    for (const QString &file : files)
        EXPECT_TRUE(out.read(file) == readFile(examples(file)))
            << file.toStdString() << " differs: regenerate with build/tools/make-samples/tarvel-make-samples examples";
}

TEST(Samples, GeneratorWritesListingsOfAnySize)
{
    if (generator().isEmpty())
        GTEST_SKIP() << "tarvel-make-samples is not built";
    TTestDir out;
    for (int rows : {0, 7, 5000}) {
        SCOPED_TRACE(rows);
        const QString path = out.path(QStringLiteral("l%1.srp").arg(rows));
        const TProgramRun run = RunProgram(generator(), {"--listing", QString::number(rows), path});
        ASSERT_EQ(run.exitCode, 0) << run.err.constData();
        const QList<TRecord> records = readRecords(path);
        EXPECT_EQ(countCode(records, rcData), rows);
        ASSERT_FALSE(records.isEmpty());
        EXPECT_EQ(records.last().code, rcEndOfReport);
        // The grand total names the number of calls.
        const TRecord &caption = records[records.size() - 3];
        EXPECT_EQ(caption.code, rcTotalCaption);
        EXPECT_TRUE(FromWin1255(caption.rest).contains(QStringLiteral("(%1 ").arg(rows)));
    }
    EXPECT_EQ(RunProgram(generator(), {"--listing", "many", out.path("x.srp")}).exitCode, 2);
    EXPECT_EQ(RunProgram(generator(), {}).exitCode, 2);
    EXPECT_EQ(RunProgram(generator(), {"--listing", "5", out.path("no/such/folder/x.srp")}).exitCode, 1);
}

} // namespace
