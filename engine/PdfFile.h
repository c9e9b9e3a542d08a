#pragma once
// The object layer of a PDF file: numbered objects written one after the other, streams
// compressed, and the cross-reference table and trailer at the end. Objects may refer to
// objects written later (their numbers are reserved first), so a long document is written
// page by page without being held in memory.
#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;

class TPdfFile
{
public:
    explicit TPdfFile(QIODevice *out);

    // A number for an object to be written later.
    int Reserve();
    // Writes object id with the given body ("<< ... >>", "[...]", ...).
    void WriteObject(int id, const QByteArray &body);
    // Writes object id as a stream: dictionary entries without the Length, which is added.
    void WriteStream(int id, const QByteArray &entries, const QByteArray &data, bool compress);
    // Cross-reference table and trailer; false when anything failed to be written.
    bool Finish(int catalog, int info);
    bool Failed() const { return m_failed; }

    // A text string of the document information: UTF-16 with its byte order mark, in hex.
    static QByteArray TextString(const QString &text);
    // Deflate at the fastest level: report pages compress well even so, and the best level
    // takes four times as long for a few per cent.
    static QByteArray Deflate(const QByteArray &data);

private:
    void write(const QByteArray &bytes);

    QIODevice *m_out;
    qint64 m_position = 0;
    std::vector<qint64> m_offsets{0}; // object 0 is the free list's head
    bool m_failed = false;
};

// A number as PDF content writes it: at most three decimals, no trailing zeros.
void AppendPdfNumber(QByteArray &out, double value);
