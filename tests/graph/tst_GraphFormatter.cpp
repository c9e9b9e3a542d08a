// Number, amount and time reading and writing of the graph formatter.
#include "graph/GraphFormatter.h"
#include "graph/GraphRecords.h"
#include "foundation/Codepages.h"
#include "graph/GraphFields.h"
#include "report/RecordStream.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(GraphFormatter, ParsesByKind)
{
    TIntlSettings f = TIntlSettings::Plain();
    f.SetSeparators(QLatin1Char(':'), QLatin1Char('.'), QStringLiteral(","), QStringLiteral("NIS"));
    struct Case { const char *text; double integer, number, amount, time; } cases[] = {
        {"1,234.56", 1234, 1234.56, 1234.56, 0},
        {"12", 12, 12, 12, 12},
        {"-7.9", -7, -7.9, -7.9, 0},
        {"NIS 15.5", 0, 0, 15.5, 0},
        {"1:02:03", 0, 0, 0, 3723},
        {"12:30", 0, 0, 0, 750},
        {"ab:5", 0, 0, 0, 5},
        {"", 0, 0, 0, 0},
        {"abc", 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const QString t = QString::fromUtf8(c.text);
        EXPECT_EQ(f.ParseInteger(t), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(f.ParseNumber(t), c.number) << c.text;
        EXPECT_DOUBLE_EQ(f.ParseAmount(t), c.amount) << c.text;
        EXPECT_EQ(f.ParseTime(t), c.time) << c.text;
    }
}

TEST(GraphFormatter, Formats)
{
    TIntlSettings plain = TIntlSettings::Plain();
    EXPECT_EQ(plain.FormatWhole(2.5), QStringLiteral("2"));
    EXPECT_EQ(plain.FormatWhole(3.5), QStringLiteral("4"));
    EXPECT_EQ(plain.FormatWhole(1234567), QStringLiteral("1234567"));
    EXPECT_EQ(plain.FormatDecimal(1234.567), QStringLiteral("1234.57"));
    EXPECT_EQ(plain.FormatDecimal(-0.001), QStringLiteral("0.00"));
    EXPECT_EQ(plain.FormatMinutes(125), QStringLiteral("02:05"));
    EXPECT_EQ(plain.FormatMinutes(6000), QStringLiteral("100:00"));
    EXPECT_EQ(plain.FormatMinutes(0), QStringLiteral("00:00"));
    EXPECT_EQ(plain.FormatMinutes(-30), QStringLiteral("00:-30"));
    EXPECT_EQ(plain.FormatMinutes(-125), QStringLiteral("-02:-05"));
}

TEST(GraphFormatter, NumbersPastLongLongsRangeAreWrittenNotConverted)
{
    // A time of many fields from a damaged file: each field multiplies by 60.
    TIntlSettings plain = TIntlSettings::Plain();
    const double huge = plain.ParseTime(QString(QStringLiteral("59:")).repeated(80) + QStringLiteral("59"));
    EXPECT_GT(huge, 1e140);
    EXPECT_TRUE(plain.FormatMinutes(huge).contains(QLatin1Char(':')));
    EXPECT_GT(plain.FormatMinutes(huge).size(), 140);
    EXPECT_EQ(plain.FormatWhole(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(plain.FormatWhole(-1e19), QStringLiteral("-10000000000000000000"));
    EXPECT_EQ(plain.FormatWhole(std::nan("")), QStringLiteral("0"));
    EXPECT_EQ(plain.FormatMinutes(std::numeric_limits<double>::infinity()), QStringLiteral("00:00"));

    TIntlSettings grouped = TIntlSettings::Plain();
    QByteArray record = "., ., \"'\", $";
    grouped.SetFromRecord(record);
    EXPECT_EQ(grouped.TimeSeparator(), QLatin1Char('.'));
    EXPECT_EQ(grouped.FormatWhole(1234567.5), QStringLiteral("1'234'568"));
    EXPECT_EQ(grouped.FormatWhole(-1234), QStringLiteral("-1'234"));
    EXPECT_EQ(grouped.FormatWhole(999), QStringLiteral("999"));
    EXPECT_EQ(grouped.FormatDecimal(1234567.891), QStringLiteral("1'234'567.89"));
    EXPECT_EQ(grouped.FormatMinutes(65), QStringLiteral("01.05"));
}

TEST(GraphFormatter, RecordDefaults)
{
    TIntlSettings f = TIntlSettings::Plain();
    f.SetFromRecord(QByteArray(",,,"));
    EXPECT_EQ(f.TimeSeparator(), QLatin1Char(':'));
    EXPECT_EQ(f.DecimalSeparator(), QLatin1Char('.'));
    EXPECT_TRUE(f.ThousandSeparator().isEmpty());
    EXPECT_TRUE(f.CurrencySymbol().isEmpty());
    EXPECT_TRUE(RecordBoolean("True", false));
    EXPECT_TRUE(RecordBoolean("-3", false));
    EXPECT_FALSE(RecordBoolean("0", true));
    EXPECT_TRUE(RecordBoolean("maybe", true));
    EXPECT_EQ(RecordInteger("$10").value_or(0), 16);
}

TEST(GraphFormatter, DecodeFieldMatchesTheCodePage)
{
    QByteArray all;
    for (int b = 32; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(DecodeField(all), FromWin1255(all));
}

TEST(GraphFormatter, QuotesAndTitles)
{
    EXPECT_EQ(QuoteCell(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
    EXPECT_EQ(JoinTitleParts(" one | two |three ", 40), QStringLiteral("one two three"));
    EXPECT_EQ(JoinTitleParts(QByteArray(50, 'x'), 40).size(), 40);
}

TEST(GraphFormatter, FieldParsingMatchesTheTextParsers)
{
    const char *texts[] = {"12", " 12 ", "+7", "-3", "1,234.56", "1.234,56", "12:30", "1:02:03", "ab", "",
                           "12.5.3", "1e3", "$ 12.5", "12,5", "00:00:59", ":5", "5:", "99999999999", "0.001"};
    struct Seps { char time, decimal; const char *thousands; const char *currency; } seps[] = {
        {':', '.', "", "$"}, {':', '.', ",", ""}, {'.', ',', ".", "$"}, {':', '.', "'", "NIS"}};
    for (const Seps &s : seps) {
        TIntlSettings f = TIntlSettings::Plain();
        f.SetSeparators(QLatin1Char(s.time), QLatin1Char(s.decimal), QString::fromLatin1(s.thousands),
                        QString::fromLatin1(s.currency));
        for (const char *t : texts) {
            const QString text = QString::fromLatin1(t);
            EXPECT_EQ(ParseFieldByKind(f, ykCalls, t), f.ParseInteger(text)) << t;
            EXPECT_EQ(ParseFieldByKind(f, ykCost, t), f.ParseAmount(text)) << t;
            EXPECT_EQ(ParseFieldByKind(f, ykDuration, t), f.ParseTime(text)) << t;
            EXPECT_EQ(ParseFieldByKind(f, ykDecimal, t), f.ParseNumber(text)) << t;
        }
    }
    TIntlSettings hebrew = TIntlSettings::Plain();
    hebrew.SetSeparators(QLatin1Char(':'), QLatin1Char('.'), QString(), QStringLiteral("₪"));
    EXPECT_DOUBLE_EQ(ParseFieldByKind(hebrew, ykCost, W1255("₪12.50")), 12.5);
}

TEST(GraphFormatter, FieldReaderSplitsLikeNextField)
{
    const QByteArray lines[] = {"a,b,c", " a , b ,c ", "12,\"a,\"\"b\"\"\" x,c", "\"open", ",,x,", "", "  ", "\"\",1",
                                "a,\"b\"", "x,\"y\"z"};
    for (const QByteArray &line : lines) {
        QByteArray rest = line;
        TFieldReader reader(line);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(reader.Next().toByteArray(), NextField(rest)) << line.constData() << " field " << i;
    }
}
