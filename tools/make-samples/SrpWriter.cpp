#include "SrpWriter.h"

#include "foundation/Codepages.h"
#include "report/RecordStream.h"

namespace {

constexpr qsizetype kFlushSize = 1 << 16;

bool needsQuotes(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return false;
    if (uchar(bytes.front()) <= 32 || uchar(bytes.back()) <= 32)
        return true;
    return bytes.contains(',') || bytes.contains('"');
}

QByteArray quote(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size() + 2);
    out += '"';
    for (char c : bytes) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace

QByteArray QuoteIfNeeded(const QByteArray &bytes) { return needsQuotes(bytes) ? quote(bytes) : bytes; }
QByteArray Fld(const QString &text) { return QuoteIfNeeded(ToWin1255(text)); }
QByteArray Fld(const char *utf8) { return Fld(QString::fromUtf8(utf8)); }
QByteArray Fld(qint64 number) { return QByteArray::number(number); }
QByteArray Quoted(const QString &text) { return quote(ToWin1255(text)); }

TSrpWriter::TSrpWriter(const QString &fileName) : m_file(fileName) {}

bool TSrpWriter::Open(const TReportHeaderFields &header)
{
    if (!m_file.open(QIODevice::WriteOnly))
        return false;
    m_scrambled = header.scrambled;
    // Report name, options (the third letter says whether the body is scrambled), author,
    // creation time, the lowest viewer version that may show the report.
    const QByteArray line = "TRVL," + QByteArray(header.scrambled ? "NNYNN" : "NNNNN") + ',' + header.author.left(7)
                            + ',' + header.created + ',' + QByteArray::number(header.requiredVersion);
    m_buffer += ScrambleLine(line);
    m_buffer += "\r\n";
    return true;
}

void TSrpWriter::Record(int code, std::initializer_list<QByteArray> fields)
{
    QByteArray line = QByteArray::number(code);
    for (const QByteArray &field : fields) {
        line += ',';
        line += field;
    }
    writeLine(line);
}

void TSrpWriter::RecordLine(int code, const QByteArray &fields)
{
    QByteArray line = QByteArray::number(code);
    if (!fields.isEmpty()) {
        line += ',';
        line += fields;
    }
    writeLine(line);
}

void TSrpWriter::writeLine(const QByteArray &line)
{
    m_buffer += m_scrambled ? ScrambleLine(line) : line;
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushSize) {
        m_file.write(m_buffer);
        m_buffer.clear();
    }
}

bool TSrpWriter::Commit()
{
    if (!m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size()) {
        m_file.cancelWriting();
        return false;
    }
    m_buffer.clear();
    return m_file.commit();
}
