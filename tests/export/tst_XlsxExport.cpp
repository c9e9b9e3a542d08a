// The Excel workbook: cells typed by what they hold, read back from the sheet XML of the
// written file and compared cell by cell with the CSV export of the same report.
#include "ExportTestSupport.h"
#include "export/XlsxCells.h"
#include "export/XlsxExport.h"
#include "foundation/Codepages.h"
#include "foundation/IntlSettings.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

TFormatSettings hebrewFormats()
{
    TFormatSettings f;
    f.currencyString = QStringLiteral(u"₪");
    f.thousandSeparator = u',';
    f.decimalSeparator = u'.';
    f.dateSeparator = u'/';
    f.shortDateFormat = QStringLiteral("dd/mm/yy");
    f.timeSeparator = u':';
    return f;
}

struct TSheetCell {
    QString type;  // "n", "inlineStr", "s", ...
    QString value; // the number, or the text
    int style = 0;
};

struct TSheet {
    QMap<QPair<int, int>, TSheetCell> cells; // (row, column), from 0
    QString xml;
    int rows = 0;
};

QByteArray unzip(const QString &archive, const QString &member)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

// "C12" -> (11, 2)
QPair<int, int> cellIndex(const QString &ref)
{
    int col = 0, i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i)
        col = col * 26 + (ref[i].unicode() - 'A' + 1);
    return {ref.mid(i).toInt() - 1, col - 1};
}

TSheet readSheet(const QString &archive, int number)
{
    TSheet sheet;
    const QByteArray xml = unzip(archive, QStringLiteral("xl/worksheets/sheet%1.xml").arg(number));
    sheet.xml = QString::fromUtf8(xml);
    QStringList shared;
    {
        QXmlStreamReader strings(unzip(archive, QStringLiteral("xl/sharedStrings.xml")));
        while (!strings.atEnd())
            if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == QLatin1String("t"))
                shared.append(strings.readElementText());
    }
    QXmlStreamReader reader(xml);
    QPair<int, int> at(-1, -1);
    TSheetCell cell;
    while (!reader.atEnd()) {
        reader.readNext();
        // A row or cell without its place follows the one before, as spreadsheets read them.
        if (reader.isStartElement() && reader.name() == QLatin1String("row")) {
            const auto r = reader.attributes().value(QLatin1String("r"));
            at = {r.isEmpty() ? at.first + 1 : r.toInt() - 1, -1};
        } else if (reader.isStartElement() && reader.name() == QLatin1String("c")) {
            const auto r = reader.attributes().value(QLatin1String("r"));
            at = r.isEmpty() ? QPair<int, int>(at.first, at.second + 1) : cellIndex(r.toString());
            cell = TSheetCell();
            cell.type = reader.attributes().value(QLatin1String("t")).toString();
            cell.style = reader.attributes().value(QLatin1String("s")).toInt();
        } else if (reader.isStartElement() && (reader.name() == QLatin1String("v") || reader.name() == QLatin1String("t"))) {
            cell.value = reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == QLatin1String("c")) {
            if (cell.type == QLatin1String("s"))
                cell.value = shared.value(cell.value.toInt());
            sheet.cells.insert(at, cell);
            sheet.rows = qMax(sheet.rows, at.first + 1);
        }
    }
    return sheet;
}

// Whether style s of the workbook is bold, and its number format code.
QPair<bool, QString> style(const QString &archive, int s)
{
    QXmlStreamReader reader(unzip(archive, QStringLiteral("xl/styles.xml")));
    QMap<int, QString> numFmts;
    QList<bool> fontBold;
    QList<QPair<int, int>> xfs; // (numFmtId, fontId)
    QString section;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const auto name = reader.name();
        if (name == QLatin1String("numFmt"))
            numFmts[reader.attributes().value(QLatin1String("numFmtId")).toInt()]
                = reader.attributes().value(QLatin1String("formatCode")).toString();
        else if (name == QLatin1String("fonts") || name == QLatin1String("cellXfs") || name == QLatin1String("cellStyleXfs"))
            section = name.toString();
        else if (name == QLatin1String("font") && section == QLatin1String("fonts"))
            fontBold.append(false);
        else if (name == QLatin1String("b") && section == QLatin1String("fonts") && !fontBold.isEmpty())
            fontBold.last() = true;
        else if (name == QLatin1String("xf") && section == QLatin1String("cellXfs"))
            xfs.append({reader.attributes().value(QLatin1String("numFmtId")).toInt(),
                        reader.attributes().value(QLatin1String("fontId")).toInt()});
    }
    if (s < 0 || s >= xfs.size())
        return {false, QString()};
    return {fontBold.value(xfs[s].second), numFmts.value(xfs[s].first)};
}

bool haveUnzip() { return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty(); }

const QList<QByteArray> report = {
    "906",
    "101,5",
    "102,D5,C14,D10,D8,D8",
    W1255("200,שלוחה,שם,תאריך,משך,עלות"),
    W1255("100,0201,גלעד שפירא,05/11/2026,36:58:14,\"1,234.50\""),
    W1255("100,  202,עמית מזרחי,11/11/2026,00:03:26,0.56"),
    W1255("100,203,אסף גבאי,31/02/2026,11:33,4.9%"),
    W1255("301,,,,,,סה\"כ"),
    W1255("300,Y,,,,216:23:46,\"2,923.91\""),
};

} // namespace

TEST(XlsxCells, NumbersDatesDurationsAndPercentagesAreTypedByTheSuitesFormats)
{
    const TFormatSettings f = hebrewFormats();
    // Numbers hold no view into their text: the text may go at once.
    auto number = [&](const char *text) { return ClassifyXlsxCell(QString::fromUtf8(text), f); };
    EXPECT_EQ(number("201").kind, TXlsxCell::Number);
    EXPECT_EQ(number("201").format, QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(number("1,234.50").number, 1234.5);
    EXPECT_EQ(number("1,234.50").format, QStringLiteral("#,##0.00"));
    EXPECT_DOUBLE_EQ(number("-0.56").number, -0.56);
    EXPECT_DOUBLE_EQ(number("36:58:14").number, (36 * 3600 + 58 * 60 + 14) / 86400.0);
    EXPECT_EQ(number("36:58:14").format, QStringLiteral("[hh]:mm:ss"));
    EXPECT_EQ(number("4:57:06").format, QStringLiteral("[h]:mm:ss"));
    EXPECT_EQ(number("11:33").format, QStringLiteral("[hh]:mm"));
    EXPECT_DOUBLE_EQ(number("05/11/2026").number, 46331); // 5 November 2026
    EXPECT_EQ(number("05/11/2026").format, QStringLiteral("dd\\/mm\\/yyyy"));
    EXPECT_DOUBLE_EQ(number("4.9%").number, 0.049);
    EXPECT_EQ(number("4.9%").format, QStringLiteral("0.0%"));
    EXPECT_DOUBLE_EQ(number("₪ 2.70").number, 2.7);
    EXPECT_EQ(number("₪ 2.70").format, QStringLiteral("\"₪\" 0.00"));
    EXPECT_EQ(number("2.70₪").format, QStringLiteral("0.00\"₪\""));
}

TEST(XlsxCells, CodesAndMalformedValuesStayText)
{
    const TFormatSettings f = hebrewFormats();
    for (const char *text : {"0201", "03-9206081", "052-8446365", "1-800-143484", "31/02/2026", "12:75", "1,23",
                             "1,2345.00", "גלעד", "2.7.1", "1234567890123456", "ISDN PRI", "$5", "12:", ":12",
                             "1:22:33:44", "12:5", "01/02/03/04", "1//2026", ",123", "1,,234", "-", "%", "₪"}) {
        const QString field = QString::fromUtf8(text);
        const TXlsxCell cell = ClassifyXlsxCell(field, f);
        EXPECT_EQ(cell.kind, TXlsxCell::Text) << text;
        EXPECT_EQ(cell.text, QString::fromUtf8(text));
    }
    EXPECT_EQ(ClassifyXlsxCell(QStringLiteral("   "), f).kind, TXlsxCell::Empty);
    EXPECT_EQ(ClassifyXlsxCell(QStringLiteral("  12 "), f).number, 12);
    const QString padded = QStringLiteral(" שלוחה ");
    EXPECT_EQ(ClassifyXlsxCell(padded, f).text, QStringLiteral("שלוחה"));
    // Month first when the suite says so.
    TFormatSettings american = f;
    american.shortDateFormat = QStringLiteral("mm/dd/yy");
    EXPECT_DOUBLE_EQ(ClassifyXlsxCell(QStringLiteral("11/05/26"), american).number, 46331);
    EXPECT_EQ(ClassifyXlsxCell(QStringLiteral("11/05/26"), american).format, QStringLiteral("mm\\/dd\\/yy"));
}

TEST(XlsxCells, SheetNamesLoseForbiddenCharactersAndStayShort)
{
    EXPECT_EQ(XlsxSheetName(QStringLiteral("calls [11/2026]: all?")), QStringLiteral("calls 112026 all"));
    EXPECT_EQ(XlsxSheetName(QString(40, u'א')).size(), 31);
    EXPECT_EQ(XlsxSheetName(QStringLiteral("'*'")), QStringLiteral("Report"));
}

TEST(XlsxExport, TheWorkbookHoldsTheCsvCellsTypedRightToLeftWithBoldFrozenTitles)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TTestDir dir;
    const TFormatSettings formats = hebrewFormats();
    const TExportOptions options = DefaultExportOptions();
    const QString source = dir.write(QStringLiteral("calls.srp"), MakeReport(report));
    TSilentProgress progress;
    ASSERT_EQ(ExportReportToXlsx(source, dir.path("out.xlsx"), options, progress, &formats), TExportStatus::Done);
    ASSERT_EQ(ExportReport(source, dir.path("out.csv"), options, progress), TExportStatus::Done);

    const TSheet sheet = readSheet(dir.path("out.xlsx"), 1);
    EXPECT_TRUE(sheet.xml.contains(QStringLiteral("rightToLeft=\"1\""))) << sheet.xml.left(600).toStdString();
    EXPECT_TRUE(sheet.xml.contains(QStringLiteral("<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>")))
        << sheet.xml.left(800).toStdString();
    EXPECT_TRUE(sheet.xml.contains(QStringLiteral("<col min=\"2\" max=\"2\" width=\"15.7109375\""))) // C14: 15 characters
        << sheet.xml.left(900).toStdString();
    const QString workbook = QString::fromUtf8(unzip(dir.path("out.xlsx"), QStringLiteral("xl/workbook.xml")));
    EXPECT_TRUE(workbook.contains(QStringLiteral("<sheet name=\"calls\""))) << workbook.toStdString();

    // Cell by cell as the CSV has them.
    const QList<QByteArray> lines = dir.read(QStringLiteral("out.csv")).split('\n');
    int row = 0;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        QStringList fields;
        QString field;
        bool quoted = false;
        const QString text = FromWin1255(line);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == u'"' && quoted && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i]; // a doubled quote inside quotes
            else if (c == u'"' && (quoted || field.isEmpty()))
                quoted = !quoted; // quotes count at a field's start only, as spreadsheets read them
            else if (c == u',' && !quoted) {
                fields.append(field);
                field.clear();
            } else
                field += c;
        }
        fields.append(field);
        for (int col = 0; col < fields.size(); ++col) {
            const TXlsxCell expected = ClassifyXlsxCell(fields[col], formats);
            const TSheetCell actual = sheet.cells.value({row, col});
            if (expected.kind == TXlsxCell::Empty) {
                EXPECT_TRUE(actual.value.isEmpty()) << row << ',' << col;
            } else if (expected.kind == TXlsxCell::Text) {
                EXPECT_EQ(actual.value, expected.text) << row << ',' << col;
                EXPECT_NE(actual.type, QStringLiteral("n"));
            } else {
                EXPECT_NEAR(actual.value.toDouble(), expected.number, 1e-9) << row << ',' << col;
                EXPECT_EQ(style(dir.path("out.xlsx"), actual.style).second, expected.format) << row << ',' << col;
            }
        }
        ++row;
    }
    EXPECT_EQ(row, 5);
    EXPECT_EQ(sheet.rows, 5);

    // The cells as a person reads them.
    EXPECT_EQ(sheet.cells.value({1, 0}).value, QStringLiteral("0201")); // an extension stays text
    EXPECT_EQ(sheet.cells.value({2, 0}).value, QStringLiteral("202"));
    EXPECT_EQ(sheet.cells.value({3, 2}).value, QStringLiteral("31/02/2026")); // no such day
    EXPECT_TRUE(style(dir.path("out.xlsx"), sheet.cells.value({0, 0}).style).first);  // titles bold
    EXPECT_FALSE(style(dir.path("out.xlsx"), sheet.cells.value({1, 1}).style).first); // data not
    EXPECT_TRUE(style(dir.path("out.xlsx"), sheet.cells.value({4, 3}).style).first);  // totals bold
    EXPECT_EQ(style(dir.path("out.xlsx"), sheet.cells.value({4, 3}).style).second, QStringLiteral("[hh]:mm:ss"));
}

TEST(XlsxExport, RowsPastASheetGoOnInTheNextUnderTheTitlesAgain)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TTestDir dir;
    const TFormatSettings formats = hebrewFormats();
    QList<QByteArray> records = {"101,2", "200,Ext,Calls"};
    for (int i = 0; i < 7; ++i)
        records.append("100," + QByteArray::number(300 + i) + "," + QByteArray::number(i));
    const QString source = dir.write(QStringLiteral("long.srp"), MakeReport(records));
    TSilentProgress progress;
    ASSERT_EQ(ExportReportToXlsx(source, dir.path("out.xlsx"), DefaultExportOptions(), progress, &formats, 4),
              TExportStatus::Done);
    const TSheet first = readSheet(dir.path("out.xlsx"), 1);
    const TSheet second = readSheet(dir.path("out.xlsx"), 2);
    const TSheet third = readSheet(dir.path("out.xlsx"), 3);
    EXPECT_EQ(first.rows, 4);
    EXPECT_EQ(first.cells.value({3, 0}).value, QStringLiteral("302"));
    EXPECT_EQ(second.cells.value({0, 0}).value, QStringLiteral("Ext"));
    EXPECT_EQ(second.cells.value({1, 0}).value, QStringLiteral("303"));
    EXPECT_TRUE(second.xml.contains(QStringLiteral("state=\"frozen\"")));
    EXPECT_EQ(third.cells.value({0, 0}).value, QStringLiteral("Ext"));
    EXPECT_EQ(third.cells.value({1, 0}).value, QStringLiteral("306"));
    const QString workbook = QString::fromUtf8(unzip(dir.path("out.xlsx"), QStringLiteral("xl/workbook.xml")));
    EXPECT_TRUE(workbook.contains(QStringLiteral("<sheet name=\"long (2)\""))) << workbook.toStdString();
}

TEST(XlsxExport, ATextLongerThanACellHoldsIsCutNotLost)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TTestDir dir;
    const TFormatSettings formats = hebrewFormats();
    const QString source = dir.write(QStringLiteral("wide.srp"), MakeReport({"101,2", "100,x" + QByteArray(40000, 'a') + ",7"}));
    TSilentProgress progress;
    ASSERT_EQ(ExportReportToXlsx(source, dir.path("out.xlsx"), DefaultExportOptions(), progress, &formats),
              TExportStatus::Done);
    const TSheet sheet = readSheet(dir.path("out.xlsx"), 1);
    EXPECT_EQ(sheet.cells.value({0, 0}).value.size(), 32767);
    EXPECT_EQ(sheet.cells.value({0, 1}).value, QStringLiteral("7"));
}

TEST(XlsxExport, ACancelledExportLeavesTheTargetAsItWas)
{
    TTestDir dir;
    QList<QByteArray> records = {"101,1"};
    for (int i = 0; i < 2000; ++i)
        records.append("100," + QByteArray::number(i));
    const QString source = dir.write(QStringLiteral("r.srp"), MakeReport(records));
    dir.write(QStringLiteral("out.xlsx"), "old");
    struct : TProgressSink {
        void Progress(int) override {}
        bool Cancelled() const override { return true; } // the user cancels at once
    } progress;
    EXPECT_EQ(ExportReportToXlsx(source, dir.path("out.xlsx"), DefaultExportOptions(), progress),
              TExportStatus::Cancelled);
    EXPECT_EQ(dir.read(QStringLiteral("out.xlsx")), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left
    // The batch path chooses the workbook by the extension.
    TSilentProgress silent;
    EXPECT_EQ(ExportReport(source, dir.path("OUT.XLSX"), DefaultExportOptions(), silent), TExportStatus::Done);
    EXPECT_TRUE(dir.read(QStringLiteral("OUT.XLSX")).startsWith("PK"));
}

TEST(XlsxExport, NamesAreSharedAndPhoneNumbersGoIntoTheirCells)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TTestDir dir;
    const TFormatSettings formats = hebrewFormats();
    QList<QByteArray> records = {"101,2", W1255("200,שם,מספר")};
    for (int i = 0; i < 3000; ++i)
        records.append(W1255("100,עובד ") + QByteArray::number(i % 7) + ",03-" + QByteArray::number(5000000 + i));
    const QString source = dir.write(QStringLiteral("calls.srp"), MakeReport(records));
    TSilentProgress progress;
    ASSERT_EQ(ExportReportToXlsx(source, dir.path("out.xlsx"), DefaultExportOptions(), progress, &formats),
              TExportStatus::Done);
    const TSheet sheet = readSheet(dir.path("out.xlsx"), 1);
    EXPECT_EQ(sheet.rows, 3001);
    for (int row : {1, 1500, 3000}) {
        EXPECT_EQ(sheet.cells.value({row, 0}).type, QStringLiteral("s")) << row;
        EXPECT_EQ(sheet.cells.value({row, 0}).value, QStringLiteral("עובד %1").arg((row - 1) % 7));
        EXPECT_EQ(sheet.cells.value({row, 1}).value, QStringLiteral("03-%1").arg(5000000 + row - 1));
    }
    // After a trial the numbers, new in every row, are no longer put in the shared table.
    EXPECT_EQ(sheet.cells.value({3000, 1}).type, QStringLiteral("inlineStr"));
    const QByteArray shared = unzip(dir.path("out.xlsx"), QStringLiteral("xl/sharedStrings.xml"));
    EXPECT_LT(shared.count("<si>"), 1100);
}
