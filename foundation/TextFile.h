#pragma once
// Reads a text file line by line and knows how far through the file it is, so that long
// report files are read one record at a time under a percentage.
#include <QByteArray>
#include <QFile>
#include <QString>

class TVelaTextFile
{
public:
    // Lines longer than this are returned in pieces, so a file without line ends never has
    // to fit in memory as one line.
    static constexpr qsizetype kMaxLineLength = 16 * 1024 * 1024;

    explicit TVelaTextFile(const QString &fileName);
    ~TVelaTextFile();
    TVelaTextFile(const TVelaTextFile &) = delete;
    TVelaTextFile &operator=(const TVelaTextFile &) = delete;

    // Opens read-only when not yet open; always resets the byte count. Returns whether open.
    bool Open();
    // The next line without its line end (CR LF, LF or CR); false when closed or at the end.
    bool ReadLine(QByteArray &line);
    void Close();
    // The line just read is a piece of a longer line whose next piece follows; it continues
    // the piece before it.
    bool LineContinues() const { return m_continues; }
    bool ContinuesLine() const { return m_continued; }
    // Bytes read as a percentage of the size measured at creation, counting two bytes for
    // every line end; rounded to the nearest integer, halves to even. 0 for an empty size.
    int PercentRead() const;

    bool IsOpen() const { return m_open; }
    const QString &FileName() const { return m_fileName; }
    qint64 FileSize() const { return m_fileSize; }
    qint64 BytesRead() const { return m_bytesRead; }

private:
    bool fill();

    QString m_fileName;
    QFile m_file;
    bool m_open = false;
    qint64 m_fileSize = 0;
    qint64 m_bytesRead = 0;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    bool m_continues = false;
    bool m_continued = false;
};
