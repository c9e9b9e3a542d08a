#pragma once
// Writes an output file without ever destroying what was there. A regular file (or a name not
// yet taken) is written into a temporary file beside it that only Commit() puts in its place,
// keeping its permissions; a symbolic link is written through, so the link stays. A target that
// exists and is no regular file (a device such as /dev/stdout or /dev/null, a FIFO) is written
// into directly: replacing it would destroy the node.
#include <QFile>
#include <QSaveFile>
#include <QString>

class TOutputFile
{
public:
    explicit TOutputFile(const QString &target);
    ~TOutputFile(); // discards whatever was not committed
    TOutputFile(const TOutputFile &) = delete;
    TOutputFile &operator=(const TOutputFile &) = delete;

    // False when the target cannot be written (its folder, or the node itself).
    bool Open();
    QIODevice &Device();
    bool WritesDirectly() const { return m_direct; }
    // Puts what was written in the target's place; false (target untouched) on any error.
    bool Commit();
    void Discard();
    QString ErrorString() const;

private:
    QString m_target;
    bool m_direct = false;
    bool m_failed = false;
    QSaveFile m_save;
    QFile m_file;
    // A target written under a short name in its folder and renamed to these bytes: an
    // existing name that leaves no room for a temporary name beside it, or a name that is
    // not UTF-8 (see LocalFileName).
    QByteArray m_renameTo;
};

// Whether the name leads to an existing node that is no regular file (following links).
bool IsNonRegularNode(const QString &fileName);
