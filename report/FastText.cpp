#include "report/FastText.h"

#include "foundation/Codepages.h"

#include <array>

namespace {

std::array<char16_t, 256> buildTable()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString s = FromWin1255(QByteArrayView(&byte, 1));
        table[size_t(b)] = s.size() == 1 ? char16_t(s.at(0).unicode()) : char16_t(0xFFFD);
    }
    return table;
}

} // namespace

QString FastWin1255(QByteArrayView bytes)
{
    static const std::array<char16_t, 256> table = buildTable();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = table[static_cast<unsigned char>(bytes[i])];
    return text;
}

QString FastCaption(QByteArrayView bytes)
{
    if (bytes.size() <= kMaxCaptionBytes)
        return FastWin1255(bytes);
    const qsizetype half = kMaxCaptionBytes / 2;
    return FastWin1255(bytes.first(half)) + FastWin1255(bytes.last(half));
}
