#include "foundation/TextFile.h"

#include "foundation/InputFile.h"
#include "foundation/Numbers.h"

#include <QFileInfo>
#include <cstring>

namespace {
constexpr qint64 kChunk = 256 * 1024;
}

TVelaTextFile::TVelaTextFile(const QString &fileName)
    : m_fileName(fileName)
{
    if (fileName.isEmpty())
        return;
    // The size from the folder entry: opening a FIFO to measure it would block for ever.
    const QFileInfo info(fileName);
    if (info.isFile() && info.isReadable()) {
        const qint64 size = info.size();
        m_fileSize = size > 0 ? size : 0;
    }
}

TVelaTextFile::~TVelaTextFile() { Close(); }

bool TVelaTextFile::Open()
{
    // A FIFO would block the open for ever and a device never end: reports, settings and
    // every other text the programs read are regular files (the viewer reports it as unreadable).
    if (!m_open && !m_fileName.isEmpty() && CheckInputFile(m_fileName) != TInputCheck::NotRegular) {
        m_file.setFileName(m_fileName);
        m_open = m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        m_buffer.clear();
        m_pos = 0;
        m_eof = false;
    }
    m_bytesRead = 0;
    return m_open;
}

void TVelaTextFile::Close()
{
    if (m_open)
        m_file.close();
    m_open = false;
    m_buffer.clear();
    m_pos = 0;
    m_eof = false;
}

// Moves the unread rest to the front and appends the next chunk; false when nothing came.
bool TVelaTextFile::fill()
{
    if (m_eof)
        return false;
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const qint64 got = m_file.read(m_buffer.data() + old, kChunk);
    m_buffer.resize(old + qMax<qint64>(got, 0));
    if (got <= 0) {
        m_eof = true;
        return false;
    }
    return true;
}

bool TVelaTextFile::ReadLine(QByteArray &line)
{
    line.clear();
    m_continued = m_continues;
    m_continues = false;
    if (!m_open)
        return false;
    if (m_pos >= m_buffer.size() && !fill())
        return false;

    qsizetype scanFrom = m_pos;
    for (;;) {
        const char *data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        const char *lf = static_cast<const char *>(std::memchr(data + scanFrom, '\n', size - scanFrom));
        const char *cr = static_cast<const char *>(std::memchr(data + scanFrom, '\r', (lf ? lf - data : size) - scanFrom));
        const char *end = cr ? cr : lf;
        if (end) {
            const qsizetype endIndex = end - data;
            if (*end == '\r' && endIndex + 1 >= size) {
                // A CR at the end of the buffer: look at the next byte before deciding.
                const qsizetype offset = endIndex - m_pos;
                if (fill()) {
                    scanFrom = offset; // the rest now starts at 0
                    continue;
                }
            }
            line = m_buffer.mid(m_pos, endIndex - m_pos);
            qsizetype next = endIndex + 1;
            if (*end == '\r' && next < m_buffer.size() && m_buffer[next] == '\n')
                ++next;
            m_pos = next;
            m_bytesRead += line.size() + 2;
            return true;
        }
        if (size - m_pos >= kMaxLineLength) {
            line = m_buffer.mid(m_pos, kMaxLineLength);
            m_pos += kMaxLineLength;
            m_continues = true;
            m_bytesRead += line.size();
            return true;
        }
        const qsizetype pending = size - m_pos;
        if (!fill()) {
            line = m_buffer.mid(m_pos);
            m_pos = m_buffer.size();
            m_bytesRead += line.size();
            return true;
        }
        scanFrom = pending; // m_pos is 0 after fill()
    }
}

int TVelaTextFile::PercentRead() const
{
    if (m_fileSize <= 0)
        return 0;
    return RoundHalfEven(double(m_bytesRead) * 100.0 / double(m_fileSize));
}
