// The zip archive under the Excel workbook, read back by unzip: entries small and large,
// empty, and a target that stops taking bytes.
#include "export/XlsxParts.h"
#include "export/ZipWriter.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

bool haveUnzip() { return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty(); }

QByteArray unzip(const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitCode();
    return process.readAllStandardOutput();
}

// Accepts a few bytes, then fails every write, as a full disk does.
class TFullDevice : public QIODevice
{
public:
    TFullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override
    {
        if (m_taken > 1000)
            return -1;
        m_taken += size;
        return size;
    }

private:
    qint64 m_taken = 0;
};

} // namespace

TEST(ZipWriter, EntriesOfAnySizeReadBackAsWritten)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed";
    TTestDir dir;
    // Random bytes do not compress: the compressed entry is larger than its pieces.
    QByteArray noise(3 * 1024 * 1024 + 17, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &c : noise)
        c = char(generator.bounded(256));
    QByteArray rows;
    for (int i = 0; i < 200000; ++i)
        rows += "<row r=\"" + QByteArray::number(i) + "\"/>";
    {
        QFile file(dir.path("out.zip"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        TZipWriter zip(file);
        ASSERT_TRUE(zip.IsOpen());
        zip.AddEntry("empty.txt", QByteArray());
        zip.BeginEntry("xl/rows.xml");
        for (qsizetype at = 0; at < rows.size(); at += 100000)
            zip.Write(rows.mid(at, 100000)); // in pieces, as a sheet is written
        zip.EndEntry();
        zip.AddEntry("noise.bin", noise);
        EXPECT_TRUE(zip.Finish());
    }
    int exitCode = -1;
    unzip({QStringLiteral("-t"), dir.path("out.zip")}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(unzip({QStringLiteral("-p"), dir.path("out.zip"), QStringLiteral("xl/rows.xml")}), rows);
    EXPECT_EQ(unzip({QStringLiteral("-p"), dir.path("out.zip"), QStringLiteral("noise.bin")}), noise);
    EXPECT_TRUE(unzip({QStringLiteral("-p"), dir.path("out.zip"), QStringLiteral("empty.txt")}, &exitCode).isEmpty());
    EXPECT_EQ(exitCode, 0);
    const QByteArray listing = unzip({QStringLiteral("-l"), dir.path("out.zip")});
    EXPECT_TRUE(listing.contains("3 files")) << listing.constData();
}

TEST(ZipWriter, ATargetThatStopsTakingBytesFailsTheArchive)
{
    TFullDevice device;
    TZipWriter zip(device);
    zip.BeginEntry("big.xml");
    for (int i = 0; i < 20; ++i)
        zip.Write(QByteArray(256 * 1024, char('a' + i)));
    zip.EndEntry();
    EXPECT_FALSE(zip.Finish());
}

TEST(XlsxParts, TextIsEscapedForXmlAndControlCharactersAreSpelledOut)
{
    std::string out;
    AppendXmlText(out, "a<b & \"c\">\x01\td");
    EXPECT_EQ(out, "a&lt;b &amp; \"c\"&gt;_x0001_\td");
    out.clear();
    AppendXmlText(out, "say \"hi\"", true);
    EXPECT_EQ(out, "say &quot;hi&quot;");
}

TEST(XlsxParts, RepeatedTextsShareOneEntryUntilTheTableIsFull)
{
    TXlsxSharedStrings strings;
    bool added = false;
    EXPECT_EQ(strings.IndexOf(QStringLiteral("בזק"), &added), 0);
    EXPECT_TRUE(added);
    EXPECT_EQ(strings.IndexOf(QStringLiteral("סלקום"), &added), 1);
    EXPECT_EQ(strings.IndexOf(QStringLiteral("בזק"), &added), 0);
    EXPECT_FALSE(added);
    EXPECT_TRUE(strings.Xml().contains("count=\"3\" uniqueCount=\"2\""));
    EXPECT_TRUE(strings.Xml().contains(QStringLiteral("<si><t>סלקום</t></si>").toUtf8()));
    // The table stops growing; texts already in it are still found.
    int first = 0;
    for (int i = 0; i < 200000 && first >= 0; ++i)
        first = strings.IndexOf(QString::number(i));
    EXPECT_EQ(first, -1);
    EXPECT_EQ(strings.IndexOf(QStringLiteral("בזק")), 0);
}

TEST(XlsxParts, NumberFormatsGetOneStyleEachPlainAndBold)
{
    TXlsxStyles styles;
    const int plain = styles.NumberStyle(QStringLiteral("#,##0.00"), false);
    const int bold = styles.NumberStyle(QStringLiteral("#,##0.00"), true);
    EXPECT_GE(plain, 2);
    EXPECT_NE(plain, bold);
    EXPECT_EQ(styles.NumberStyle(QStringLiteral("#,##0.00"), false), plain);
    const QByteArray xml = styles.Xml();
    EXPECT_EQ(xml.count("<numFmt "), 1);
    EXPECT_TRUE(xml.contains("<cellXfs count=\"4\">"));
    // A currency format's quotes survive as an attribute.
    styles.NumberStyle(QStringLiteral("\"₪\" 0.00"), false);
    EXPECT_TRUE(styles.Xml().contains(QStringLiteral("formatCode=\"&quot;₪&quot; 0.00\"").toUtf8()));
}
