// The line reader and its percentage.
#include "foundation/TextFile.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QList<int> percentsAfterEachLine(const QString &file, QList<QByteArray> *lines = nullptr)
{
    TVelaTextFile reader(file);
    EXPECT_TRUE(reader.Open());
    QList<int> percents;
    QByteArray line;
    while (reader.ReadLine(line)) {
        percents.append(reader.PercentRead());
        if (lines)
            lines->append(line);
    }
    EXPECT_FALSE(reader.ReadLine(line));
    return percents;
}

TEST(TextFile, PercentagesCountTwoBytesPerLineEnd)
{
    TTestDir dir;
    EXPECT_EQ(percentsAfterEachLine(dir.write("a", "12345678\r\n12345678\r\n")), QList<int>({50, 100}));
    QList<QByteArray> lines;
    EXPECT_EQ(percentsAfterEachLine(dir.write("b", "1234567890\r\n1234567890\r\n1234567890"), &lines),
              QList<int>({35, 71, 100}));
    EXPECT_EQ(lines.last(), "1234567890");
    // One-byte line ends make the count run ahead of the position.
    EXPECT_EQ(percentsAfterEachLine(dir.write("c", "1234\n1234\n")), QList<int>({60, 120}));
}

TEST(TextFile, LineEndsAndOddContent)
{
    TTestDir dir;
    QList<QByteArray> lines;
    percentsAfterEachLine(dir.write("ends", "a\r\nb\nc\rd\r\n\r\ne"), &lines);
    EXPECT_EQ(lines, QList<QByteArray>({"a", "b", "c", "d", "", "e"}));

    lines.clear();
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        if (i != '\r' && i != '\n')
            binary += char(i);
    percentsAfterEachLine(dir.write("bin", binary + "\r\n" + binary), &lines);
    EXPECT_EQ(lines, QList<QByteArray>({binary, binary}));

    // A megabyte line, and a CR LF that falls across the reader's internal chunks.
    lines.clear();
    const QByteArray big(1024 * 1024, 'x');
    QByteArray across(256 * 1024 - 1, 'y');
    percentsAfterEachLine(dir.write("big", big + "\r\n" + across + "\r\nz"), &lines);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], big);
    EXPECT_EQ(lines[1], across);
    EXPECT_EQ(lines[2], "z");
}

TEST(TextFile, OpenCloseAndMissingFiles)
{
    TTestDir dir;
    TVelaTextFile empty(dir.write("empty", ""));
    EXPECT_TRUE(empty.Open());
    QByteArray line;
    EXPECT_FALSE(empty.ReadLine(line));
    EXPECT_EQ(empty.PercentRead(), 0);

    TVelaTextFile missing(dir.path("nothing.srp"));
    EXPECT_EQ(missing.FileSize(), 0);
    EXPECT_FALSE(missing.Open());
    EXPECT_FALSE(missing.ReadLine(line));
    EXPECT_EQ(missing.PercentRead(), 0);

    TVelaTextFile unnamed{QString()};
    EXPECT_FALSE(unnamed.Open());

    TVelaTextFile reader(dir.write("two", "one\r\ntwo\r\n"));
    ASSERT_TRUE(reader.Open());
    ASSERT_TRUE(reader.ReadLine(line));
    // Open on an open reader only resets the count; after Close it starts again.
    EXPECT_TRUE(reader.Open());
    EXPECT_EQ(reader.BytesRead(), 0);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "two");
    reader.Close();
    EXPECT_FALSE(reader.ReadLine(line));
    ASSERT_TRUE(reader.Open());
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "one");
}

TEST(TextFile, AFifoADeviceOrAFolderIsNeverOpened)
{
    TTestDir dir;
    const QString fifo = dir.path("report.srp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString &name : {fifo, QStringLiteral("/dev/zero"), dir.path()}) {
        TVelaTextFile file(name);
        EXPECT_FALSE(file.Open()) << name.toStdString();
        QByteArray line;
        EXPECT_FALSE(file.ReadLine(line));
    }
}

TEST(TextFile, FileWithoutLineEndsComesInBoundedPieces)
{
    TTestDir dir;
    const qsizetype size = TVelaTextFile::kMaxLineLength + 10;
    TVelaTextFile reader(dir.write("flat", QByteArray(size, 'a')));
    ASSERT_TRUE(reader.Open());
    QByteArray line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.size(), TVelaTextFile::kMaxLineLength);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line.size(), 10);
    EXPECT_EQ(reader.PercentRead(), 100);
    EXPECT_FALSE(reader.ReadLine(line));
}

} // namespace
