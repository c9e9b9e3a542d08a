#pragma once
// Writes a zip archive entry by entry, the data of an entry handed over in pieces as it is
// made, sequentially, so that the target may be any device (each entry's sizes follow its
// data). A thread of its own compresses the pieces (deflate, fast level) while the caller
// makes the next ones, so a workbook of a million rows is written in about the time its
// XML takes to make; at most a few pieces wait, so memory stays flat. An entry or the
// archive past 4 GiB is refused (Finish fails) rather than written with wrong sizes.
#include <QByteArray>
#include <QIODevice>
#include <QList>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

class TZipWriter
{
public:
    explicit TZipWriter(QIODevice &target);
    ~TZipWriter();
    TZipWriter(const TZipWriter &) = delete;
    TZipWriter &operator=(const TZipWriter &) = delete;

    // False when compression could not start.
    bool IsOpen() const { return m_stream != nullptr; }

    // Starts an entry; the previous one must have been ended.
    void BeginEntry(const QByteArray &name);
    // Adds to the current entry; waits while the compressing thread is behind.
    void Write(QByteArray data);
    void EndEntry();
    // Whole small entry at once.
    void AddEntry(const QByteArray &name, const QByteArray &data);

    // Writes the central directory; false when anything could not be written or did not fit.
    bool Finish();

private:
    struct TEntry {
        QByteArray name;
        qint64 offset = 0;
        uint32_t crc = 0;
        qint64 compressedSize = 0;
        qint64 size = 0;
    };
    struct TPiece {
        QByteArray data;
        bool last = false;
    };

    void compressLoop();
    void compress(const TPiece &piece);
    void writeRaw(const char *data, qint64 size);
    void fail();

    QIODevice &m_target;
    qint64 m_written = 0;
    QList<TEntry> m_entries;
    bool m_inEntry = false;
    bool m_failed = false;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<TPiece> m_pieces; // waiting for the compressing thread
    bool m_busy = false;         // the thread is working on a piece
    bool m_stop = false;
    struct z_stream_s *m_stream = nullptr;
    std::thread m_thread;
};
