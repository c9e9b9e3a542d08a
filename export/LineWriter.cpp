#include "export/LineWriter.h"

namespace {
// Written in blocks of this size, so memory stays flat whatever the length of the report.
constexpr qsizetype kBlockSize = 256 * 1024;
}

TLineWriter::TLineWriter(const QString &target)
    : m_target(target), m_file(target)
{
    // Never write into the target directly, even where a temporary file cannot be made.
    m_file.setDirectWriteFallback(false);
}

TLineWriter::~TLineWriter() { Discard(); }

bool TLineWriter::Open()
{
    m_failed = !m_file.open(QIODevice::WriteOnly);
    if (!m_failed)
        m_buffer.reserve(kBlockSize + 4096);
    return !m_failed;
}

void TLineWriter::WriteLine(QByteArrayView line)
{
    m_buffer.append(line);
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= kBlockSize)
        flush();
}

void TLineWriter::WriteRaw(const QByteArray &bytes)
{
    m_buffer += bytes;
    if (m_buffer.size() >= kBlockSize)
        flush();
}

void TLineWriter::flush()
{
    if (!m_failed && !m_buffer.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.resize(0); // keeps the block's capacity
}

bool TLineWriter::Commit()
{
    if (!m_file.isOpen())
        return false;
    flush();
    if (m_failed) {
        m_file.cancelWriting();
        m_file.commit(); // removes the temporary file
        return false;
    }
    m_failed = !m_file.commit();
    return !m_failed;
}

void TLineWriter::Discard()
{
    m_buffer.clear();
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit(); // with writing cancelled this only removes the temporary file
    }
}
