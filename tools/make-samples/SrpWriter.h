#pragma once
// Writes a saved report the way the suite's report generator does: Windows-1255 text, one
// record per line ending in CR LF, the header line always scrambled and the other lines
// scrambled when the report asks for it. The file is written under a temporary name and
// only replaces the target when Commit() succeeds.
#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <initializer_list>

// Field values. Text is converted to Windows-1255 and quoted when the record splitter would
// otherwise cut or trim it (a comma, a double quote, spaces at either end).
QByteArray Fld(const QString &text);
QByteArray Fld(const char *utf8);
QByteArray Fld(qint64 number);
// Always quoted, each inner double quote doubled.
QByteArray Quoted(const QString &text);
// Quotes bytes that are already in the file's code page when they need it.
QByteArray QuoteIfNeeded(const QByteArray &bytes);

struct TReportHeaderFields {
    bool scrambled = false;
    QByteArray author = "ADMIN";
    QByteArray created = "01/12/2026 07:30";
    int requiredVersion = 1;
};

class TSrpWriter
{
public:
    explicit TSrpWriter(const QString &fileName);

    bool Open(const TReportHeaderFields &header);
    // One record: the code, then the fields as given (already converted with Fld/Quoted).
    void Record(int code, std::initializer_list<QByteArray> fields = {});
    // One record whose fields are joined by the caller.
    void RecordLine(int code, const QByteArray &fields);
    // Renames the finished file over the target. False (with the reason in Error()) when
    // anything failed along the way; the target is then left as it was.
    bool Commit();
    QString Error() const { return m_file.errorString(); }

private:
    void writeLine(const QByteArray &line);

    QSaveFile m_file;
    bool m_scrambled = false;
    QByteArray m_buffer;
};
