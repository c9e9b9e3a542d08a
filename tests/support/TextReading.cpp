#include "support/TextReading.h"

#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <vector>

namespace {

bool isDirectionalMark(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x2066 && u <= 0x2069) || (u >= 0x202A && u <= 0x202E) || u == 0x200E || u == 0x200F;
}

QString withoutMnemonics(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

struct TPlacedChar {
    int index; // among the visible characters, in logical order
    QChar c;
    double x;
};

// The characters of one line with the left edge of each one's glyph, laid out right to left.
std::vector<TPlacedChar> placeLine(const QString &line, const QFont &font)
{
    QTextLayout layout(line, font);
    QTextOption option;
    option.setTextDirection(Qt::RightToLeft);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    textLine.setLineWidth(100000);
    layout.endLayout();
    std::vector<TPlacedChar> placed;
    for (int i = 0; i < line.size(); ++i) {
        if (isDirectionalMark(line[i]))
            continue;
        double x = 0;
        for (const QGlyphRun &run : textLine.glyphRuns(i, 1))
            if (!run.positions().isEmpty())
                x = run.positions().first().x();
        placed.push_back({int(placed.size()), line[i], x});
    }
    return placed;
}

QString readLine(const QString &line, const QFont &font)
{
    std::vector<TPlacedChar> placed = placeLine(line, font);
    std::stable_sort(placed.begin(), placed.end(), [](const TPlacedChar &a, const TPlacedChar &b) { return a.x > b.x; });
    // From the right: a right-to-left stretch shows logical neighbours in rising order, a
    // left-to-right stretch in falling order; each stretch is read in its logical order.
    QString out;
    size_t start = 0;
    while (start < placed.size()) {
        size_t end = start + 1;
        int step = 0;
        while (end < placed.size()) {
            const int d = placed[end].index - placed[end - 1].index;
            if ((d != 1 && d != -1) || (step != 0 && d != step))
                break;
            step = d;
            ++end;
        }
        std::vector<TPlacedChar> stretch(placed.begin() + qsizetype(start), placed.begin() + qsizetype(end));
        std::sort(stretch.begin(), stretch.end(), [](const TPlacedChar &a, const TPlacedChar &b) { return a.index < b.index; });
        for (const TPlacedChar &p : stretch)
            out += p.c;
        start = end;
    }
    return out;
}

} // namespace

QString ReadFromTheRight(const QString &text, const QFont &font)
{
    QStringList lines = withoutMnemonics(text).split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = readLine(line, font);
    return lines.join(QLatin1Char('\n'));
}

bool ShowsLeftToRight(const QString &text, const QString &value, const QFont &font)
{
    QString visible;
    for (QChar c : text)
        if (!isDirectionalMark(c))
            visible += c;
    const qsizetype at = visible.indexOf(value);
    if (at < 0 || value.isEmpty())
        return false;
    std::vector<TPlacedChar> placed = placeLine(text, font);
    // Left to right and unbroken: the value's characters rise in x in their own order, and no
    // other character sits between its first and its last.
    const double first = placed[size_t(at)].x;
    const double last = placed[size_t(at + value.size() - 1)].x;
    for (qsizetype i = at + 1; i < at + value.size(); ++i)
        if (placed[size_t(i)].x <= placed[size_t(i - 1)].x)
            return false;
    for (const TPlacedChar &p : placed)
        if ((p.index < at || p.index >= at + value.size()) && p.x > first && p.x < last)
            return false;
    return true;
}
