#include "export/ZipWriter.h"

#include <QtEndian>
#include <limits>
#include <zlib.h>

namespace {

// Pieces waiting for the compressing thread before Write waits: a few MB at most.
constexpr size_t kMaxWaitingPieces = 4;
// Level 1: a workbook's XML repeats itself so much that more effort buys little size and
// costs several times the time.
constexpr int kCompressionLevel = 1;
constexpr qint64 kMaxZipSize = std::numeric_limits<uint32_t>::max() - 1;
constexpr uint16_t kVersionNeeded = 20;
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kSizesAfterData = 1 << 3;
constexpr uint16_t kDosDate1980 = (0 << 9) | (1 << 5) | 1; // 1 January 1980, as Excel writes it

class TLittleEndian
{
public:
    void u16(uint16_t v) { append(v); }
    void u32(uint32_t v) { append(v); }
    void bytes(const QByteArray &b) { m_data += b; }
    const QByteArray &data() const { return m_data; }

private:
    template<typename T> void append(T v)
    {
        const T le = qToLittleEndian(v);
        m_data.append(reinterpret_cast<const char *>(&le), sizeof le);
    }
    QByteArray m_data;
};

} // namespace

TZipWriter::TZipWriter(QIODevice &target)
    : m_target(target)
{
    m_stream = new z_stream{};
    if (deflateInit2(m_stream, kCompressionLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        delete m_stream;
        m_stream = nullptr;
        return;
    }
    m_thread = std::thread([this] { compressLoop(); });
}

TZipWriter::~TZipWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (m_stream) {
        deflateEnd(m_stream);
        delete m_stream;
    }
}

void TZipWriter::fail()
{
    std::lock_guard lock(m_mutex);
    m_failed = true;
}

void TZipWriter::writeRaw(const char *data, qint64 size)
{
    if (m_target.write(data, size) != size)
        fail();
    m_written += size;
}

void TZipWriter::BeginEntry(const QByteArray &name)
{
    if (!IsOpen() || m_inEntry)
        return;
    TEntry entry;
    entry.name = name;
    entry.offset = m_written;
    m_entries.append(entry);
    m_inEntry = true;
    // The sizes and the checksum follow the data (flag 3).
    TLittleEndian header;
    header.u32(0x04034b50);
    header.u16(kVersionNeeded);
    header.u16(kSizesAfterData);
    header.u16(kDeflated);
    header.u16(0); // time
    header.u16(kDosDate1980);
    header.u32(0); // crc
    header.u32(0); // compressed size
    header.u32(0); // size
    header.u16(uint16_t(name.size()));
    header.u16(0); // extra field
    header.bytes(name);
    writeRaw(header.data().constData(), header.data().size());
    deflateReset(m_stream);
}

void TZipWriter::Write(QByteArray data)
{
    if (!m_inEntry || data.isEmpty())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_pieces.size() < kMaxWaitingPieces; });
    m_pieces.push_back({std::move(data), false});
    m_changed.notify_all();
}

void TZipWriter::EndEntry()
{
    if (!m_inEntry)
        return;
    {
        std::unique_lock lock(m_mutex);
        m_pieces.push_back({QByteArray(), true});
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_pieces.empty() && !m_busy; });
    }
    m_inEntry = false;
    const TEntry &entry = m_entries.last();
    if (entry.size > kMaxZipSize || entry.compressedSize > kMaxZipSize) {
        fail();
        return;
    }
    TLittleEndian descriptor;
    descriptor.u32(0x08074b50);
    descriptor.u32(entry.crc);
    descriptor.u32(uint32_t(entry.compressedSize));
    descriptor.u32(uint32_t(entry.size));
    writeRaw(descriptor.data().constData(), descriptor.data().size());
}

void TZipWriter::AddEntry(const QByteArray &name, const QByteArray &data)
{
    BeginEntry(name);
    Write(data);
    EndEntry();
}

void TZipWriter::compressLoop()
{
    while (true) {
        TPiece piece;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_pieces.empty(); });
            if (m_stop)
                return;
            piece = std::move(m_pieces.front());
            m_pieces.pop_front();
            m_busy = true;
        }
        m_changed.notify_all(); // room for another piece
        compress(piece);
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_changed.notify_all();
    }
}

void TZipWriter::compress(const TPiece &piece)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_failed)
            return; // the target cannot take more: do not work for nothing
    }
    TEntry &entry = m_entries.last();
    // zlib counts in unsigned int: feed a piece in parts it can count.
    constexpr qsizetype kPart = 1 << 30;
    const char *in = piece.data.constData();
    qsizetype left = piece.data.size();
    QByteArray out(256 * 1024, Qt::Uninitialized);
    do {
        const qsizetype part = qMin(left, kPart);
        entry.crc = uint32_t(crc32_z(entry.crc, reinterpret_cast<const Bytef *>(in), size_t(part)));
        entry.size += part;
        m_stream->next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in));
        m_stream->avail_in = uInt(part);
        in += part;
        left -= part;
        const int flush = piece.last && left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int result = Z_OK;
        do {
            m_stream->next_out = reinterpret_cast<Bytef *>(out.data());
            m_stream->avail_out = uInt(out.size());
            result = deflate(m_stream, flush);
            const qint64 made = out.size() - qint64(m_stream->avail_out);
            entry.compressedSize += made;
            writeRaw(out.constData(), made);
        } while (m_stream->avail_out == 0 || (flush == Z_FINISH && result == Z_OK));
        if (result == Z_STREAM_ERROR)
            fail();
    } while (left > 0);
}

bool TZipWriter::Finish()
{
    if (!IsOpen())
        return false;
    EndEntry();
    const qint64 directoryStart = m_written;
    TLittleEndian directory;
    for (const TEntry &entry : std::as_const(m_entries)) {
        directory.u32(0x02014b50);
        directory.u16(kVersionNeeded); // made by
        directory.u16(kVersionNeeded);
        directory.u16(kSizesAfterData);
        directory.u16(kDeflated);
        directory.u16(0); // time
        directory.u16(kDosDate1980);
        directory.u32(entry.crc);
        directory.u32(uint32_t(entry.compressedSize));
        directory.u32(uint32_t(entry.size));
        directory.u16(uint16_t(entry.name.size()));
        directory.u16(0); // extra field
        directory.u16(0); // comment
        directory.u16(0); // disk
        directory.u16(0); // internal attributes
        directory.u32(0); // external attributes
        directory.u32(uint32_t(entry.offset));
        directory.bytes(entry.name);
    }
    writeRaw(directory.data().constData(), directory.data().size());
    TLittleEndian end;
    end.u32(0x06054b50);
    end.u16(0);
    end.u16(0);
    end.u16(uint16_t(m_entries.size()));
    end.u16(uint16_t(m_entries.size()));
    end.u32(uint32_t(directory.data().size()));
    end.u32(uint32_t(directoryStart));
    end.u16(0); // comment
    writeRaw(end.data().constData(), end.data().size());
    const bool fits = directoryStart <= kMaxZipSize && m_entries.size() < 0xffff;
    std::lock_guard lock(m_mutex);
    return fits && !m_failed;
}
