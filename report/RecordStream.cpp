#include "report/RecordStream.h"

#include "foundation/Numbers.h"

namespace {

bool isBlank(char c) { return uchar(c) <= 32; }

void trim(QByteArray &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin > 0 || end < text.size())
        text = text.mid(begin, end - begin);
}

} // namespace

QByteArray ScrambleLine(const QByteArray &text)
{
    QByteArray out = text;
    for (char &ch : out) {
        const uchar c = uchar(ch);
        if (c >= 32 && c <= 223)
            ch = char(c ^ kScrambleKey);
    }
    return out;
}

QByteArray NextField(QByteArray &rest, char separator)
{
    trim(rest);
    if (rest.isEmpty())
        return {};
    if (rest[0] == '"') {
        QByteArray value;
        qsizetype i = 1;
        for (; i < rest.size(); ++i) {
            if (rest[i] != '"') {
                value += rest[i];
            } else if (i + 1 < rest.size() && rest[i + 1] == '"') {
                value += '"';
                ++i;
            } else {
                break; // the closing quote
            }
        }
        if (i >= rest.size()) {
            rest.clear(); // no closing quote: the field takes the whole rest
            return value;
        }
        const qsizetype sep = rest.indexOf(separator, i + 1);
        rest = sep < 0 ? QByteArray() : rest.mid(sep + 1);
        return value;
    }
    const qsizetype sep = rest.indexOf(separator);
    QByteArray value;
    if (sep < 0) {
        value = rest;
        rest.clear();
    } else {
        value = rest.left(sep);
        rest = rest.mid(sep + 1);
    }
    trim(value);
    return value;
}

int FieldToInt(QByteArrayView field, int defaultValue)
{
    return ParseIntegerOr(field, defaultValue);
}

TAlignment AlignmentFromLetter(QByteArrayView field, bool rightToLeft)
{
    if (field.isEmpty())
        return TAlignment::Left;
    switch (field[0]) {
    case 'R': return TAlignment::Right;
    case 'C': return TAlignment::Center;
    case 'D': return rightToLeft ? TAlignment::Right : TAlignment::Left;
    case 'N': return rightToLeft ? TAlignment::Left : TAlignment::Right;
    default: return TAlignment::Left;
    }
}

char AlignmentLetter(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Right: return 'R';
    case TAlignment::Center: return 'C';
    default: return 'L';
    }
}
