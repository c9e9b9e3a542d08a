#pragma once
// Writes an export or copy as Windows text lines (CR LF after every line) into a temporary
// file beside the target. Only Commit() puts it in the target's place: a pass that is
// cancelled or fails leaves the target exactly as it was and no temporary file behind.
// A device or FIFO as target is written into directly (see TOutputFile).
#include "foundation/OutputFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TLineWriter
{
public:
    explicit TLineWriter(const QString &target);
    ~TLineWriter(); // discards whatever was not committed

    // Creates the temporary file; false when the target's folder cannot be written.
    bool Open();
    void WriteLine(QByteArrayView line);
    // Bytes as they stand, no line end added.
    void WriteRaw(const QByteArray &bytes);
    // Replaces the target with what was written; false (target untouched) on any write error.
    bool Commit();
    void Discard();
    bool Failed() const { return m_failed; }
    const QString &Target() const { return m_target; }

private:
    void flush();

    QString m_target;
    TOutputFile m_file;
    QByteArray m_buffer;
    bool m_failed = false;
};
