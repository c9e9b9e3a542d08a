#pragma once
// Reads a saved report (".srp") record by record: the header line (always scrambled), then
// one record per line, unscrambled when the header says so. Each pass over a file (report
// run, export, copy, graph) owns one reader; the file is never held in memory as a whole.
#include "foundation/TextFile.h"

#include <QByteArray>
#include <QString>

struct TReportHeader {
    bool Scrambled = false;
    QByteArray ReportAuthor;       // at most 7 characters
    int RequiredViewerVersion = 1; // empty or not a number gives 1
};

// The header line as stored (scrambled) to its values.
TReportHeader ParseHeaderLine(const QByteArray &storedLine);

class TSrpReader
{
public:
    explicit TSrpReader(const QString &fileName);

    // Opens at the first line; false when the file cannot be read.
    bool Open();
    void Close();
    bool IsOpen() const { return m_file.IsOpen(); }

    // Reads and parses the header line. False at the end of the file.
    bool ReadHeader();
    const TReportHeader &Header() const { return m_header; }
    const QByteArray &StoredHeaderLine() const { return m_storedHeader; }
    // The header's scrambling applies to the lines read from now on.
    void SetScrambled(bool scrambled) { m_header.Scrambled = scrambled; }

    // The next line as a record: code (0 when not a number) and the rest of the line.
    bool ReadRecord();
    int RecordCode() const { return m_code; }
    const QByteArray &RecordRest() const { return m_rest; }
    // The current line exactly as it is stored in the file.
    const QByteArray &StoredLine() const { return m_stored; }
    // A line longer than the reader's pieces comes as several records: whether this one has a
    // next piece, and whether it is itself the continuation of an earlier one.
    bool LineContinues() const { return m_file.LineContinues(); }
    bool ContinuesLine() const { return m_file.ContinuesLine(); }

    int PercentRead() const { return m_file.PercentRead(); }
    const QString &FileName() const { return m_file.FileName(); }

private:
    TVelaTextFile m_file;
    TReportHeader m_header;
    QByteArray m_storedHeader;
    QByteArray m_stored;
    QByteArray m_rest;
    int m_code = 0;
};
