#include "engine/PdfFile.h"

#include <QIODevice>
#include <charconv>
#include <cmath>
#include <cstdio>

TPdfFile::TPdfFile(QIODevice *out)
    : m_out(out)
{
    // The binary comment tells transfer programs that the file is not text.
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

int TPdfFile::Reserve()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size() - 1);
}

void TPdfFile::WriteObject(int id, const QByteArray &body)
{
    if (id <= 0 || id >= int(m_offsets.size())) {
        m_failed = true;
        return;
    }
    m_offsets[size_t(id)] = m_position;
    write(QByteArray::number(id) + " 0 obj\n" + body + "\nendobj\n");
}

void TPdfFile::WriteStream(int id, const QByteArray &entries, const QByteArray &data, bool compress)
{
    const QByteArray bytes = compress ? Deflate(data) : data;
    WriteObject(id, "<< " + entries + (compress ? " /Filter /FlateDecode" : "") + " /Length "
                        + QByteArray::number(bytes.size()) + " >>\nstream\n" + bytes + "\nendstream");
}

bool TPdfFile::Finish(int catalog, int info)
{
    const qint64 xref = m_position;
    QByteArray table = "xref\n0 " + QByteArray::number(qulonglong(m_offsets.size())) + "\n0000000000 65535 f \n";
    char line[32];
    for (size_t i = 1; i < m_offsets.size(); ++i) {
        if (m_offsets[i] < 0) {
            m_failed = true; // a reserved object was never written
            break;
        }
        std::snprintf(line, sizeof line, "%010lld 00000 n \n", static_cast<long long>(m_offsets[i]));
        table += line;
    }
    table += "trailer\n<< /Size " + QByteArray::number(qulonglong(m_offsets.size())) + " /Root "
             + QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info) + " 0 R >>\nstartxref\n"
             + QByteArray::number(xref) + "\n%%EOF\n";
    write(table);
    return !m_failed;
}

QByteArray TPdfFile::TextString(const QString &text)
{
    QByteArray out = "<FEFF";
    for (QChar c : text) {
        char digits[5];
        std::snprintf(digits, sizeof digits, "%04X", unsigned(c.unicode()));
        out += digits;
    }
    return out + '>';
}

QByteArray TPdfFile::Deflate(const QByteArray &data)
{
    // qCompress puts the length in front of a zlib stream: FlateDecode wants the stream alone.
    const QByteArray compressed = qCompress(data, 1);
    return compressed.size() > 4 ? compressed.mid(4) : QByteArray();
}

void TPdfFile::write(const QByteArray &bytes)
{
    if (m_failed)
        return;
    if (m_out->write(bytes) != bytes.size()) {
        m_failed = true;
        return;
    }
    m_position += bytes.size();
}

void AppendPdfNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        value = 0;
    value = std::round(value * 1000) / 1000;
    if (value == 0)
        value = 0; // no "-0"
    char buffer[40];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    char *p = end;
    while (p > buffer && p[-1] == '0')
        --p;
    if (p > buffer && p[-1] == '.')
        --p;
    out.append(buffer, p - buffer);
}
