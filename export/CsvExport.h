#pragma once
// The CSV writer: one line per data, totals, column-title or report-header record, in the
// report's code page (or visual DOS Hebrew), with the title columns of records 350-353 in
// front and the column formats of record 913 applied.
#include "export/ExportOptions.h"

#include <QByteArray>
#include <array>
#include <string>

inline constexpr int kMaxTitleColumns = 10;
inline constexpr int kMaxTitleColumnLength = 50;

class TCsvExport
{
public:
    explicit TCsvExport(const TExportOptions &options) : m_options(options) {}

    // Acts on one record; true when it gives a line to write (in line, without line end;
    // the view stays valid until the next call).
    bool HandleRecord(int code, const QByteArray &rest, QByteArrayView &line);

    // The fields of a record as one CSV line: title columns in front (values for data rows,
    // captions for other lines but totals), each field cleaned, formatted, converted and
    // quoted as the options say.
    QByteArray BuildCsvLine(const QByteArray &fields, int recordCode) const;
    // Column n's format from record 913: "L" cut or padded on the right, "R" on the left,
    // "Z" padded with zeros; columns above 30 and other kinds stay as they are.
    QByteArray FormatColumn(const QByteArray &text, int columnNumber) const;

    // Title columns in front of every line (record 350), 0 to kMaxTitleColumns.
    int TitleColumnCount() const { return m_titleColumnCount; }

private:
    bool totalsLine(QByteArray rest, QByteArrayView &line);
    void buildLine(QByteArrayView fields, int recordCode, std::string &line) const;
    void appendField(std::string &line, QByteArrayView field, int n, int recordCode) const;

    TExportOptions m_options;
    int m_titleColumnCount = 0;
    std::array<QByteArray, kMaxTitleColumns + 1> m_titleCaptions; // numbered from 1
    std::array<QByteArray, kMaxTitleColumns + 1> m_titleValues;
    QByteArray m_totalsCaption;

    // Reused between lines, so a long export does not allocate per field.
    mutable std::string m_line, m_field, m_scratch;
    QByteArray m_headerLine;
};

// Every double quote doubled, the whole in double quotes.
QByteArray QuoteCsvField(const QByteArray &text);
