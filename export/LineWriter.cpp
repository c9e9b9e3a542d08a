#include "export/LineWriter.h"

namespace {
// Written in blocks of this size, so memory stays flat whatever the length of the report.
constexpr qsizetype kBlockSize = 256 * 1024;
}

TLineWriter::TLineWriter(const QString &target)
    : m_target(target), m_file(target)
{
}

TLineWriter::~TLineWriter() { Discard(); }

bool TLineWriter::Open()
{
    m_failed = !m_file.Open();
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
    if (!m_failed && !m_buffer.isEmpty() && m_file.Device().write(m_buffer) != m_buffer.size())
        m_failed = true;
    m_buffer.resize(0); // keeps the block's capacity
}

bool TLineWriter::Commit()
{
    if (!m_file.Device().isOpen())
        return false;
    flush();
    if (m_failed) {
        m_file.Discard();
        return false;
    }
    m_failed = !m_file.Commit();
    return !m_failed;
}

void TLineWriter::Discard()
{
    m_buffer.clear();
    m_file.Discard();
}
