#pragma once
// The workbook being written: rows go into the current sheet, typed cell by cell, and a
// new sheet starts under the titles again when one is full. Close() adds the styles, the
// shared texts and the package's own files.
#include "export/XlsxParts.h"
#include "export/XlsxSheet.h"
#include "export/ZipWriter.h"
#include "foundation/IntlSettings.h"

#include <QStringList>
#include <QVarLengthArray>
#include <memory>
#include <vector>

enum class TXlsxRowKind { Data, Titles, Totals, Header };

// One row as the CSV export made it, with the layout in force when it came. Its cells are
// one text, one after another: a row is made in one thread and written in another, and one
// allocation a row instead of one a cell spares both.
struct TXlsxRow {
    TXlsxRowKind kind = TXlsxRowKind::Data;
    QString text;
    QVarLengthArray<qsizetype, 24> ends; // where each cell ends in text
    qsizetype CellCount() const { return ends.size(); }
    QStringView Cell(qsizetype i) const
    {
        const qsizetype start = i == 0 ? 0 : ends[i - 1];
        return QStringView(text).sliced(start, ends[i] - start);
    }
    int frontColumns = 0; // columns in front of the report's own (report-header mark, title columns)
    bool rightToLeft = false;
    std::shared_ptr<const std::vector<double>> widths; // the report's columns, in characters
};

class TXlsxWorkbook
{
public:
    TXlsxWorkbook(QIODevice &target, const QString &title, const TFormatSettings &formats, int rowsPerSheet);
    ~TXlsxWorkbook();

    bool IsOpen() const { return m_zip.IsOpen(); }
    void WriteRow(const TXlsxRow &row);
    // Writes the rest of the workbook; false when it could not be written.
    bool Close();

private:
    void writeCells(const TXlsxRow &row, TXlsxRowKind kind);
    void newSheet();
    int numberStyle(int column, const QString &format, bool bold);

    TZipWriter m_zip;
    QString m_title;
    int m_rowsPerSheet;
    TFormatSettings m_formats;
    bool m_rightToLeft = false;
    int m_frontColumns = 0;
    std::shared_ptr<const std::vector<double>> m_widths;
    TXlsxStyles m_styles;
    TXlsxSharedStrings m_strings;
    std::unique_ptr<TXlsxSheet> m_sheet;
    QStringList m_sheetNames;
    int m_row = 0;
    TXlsxRow m_titles;
    std::vector<QString> m_lastFormats;
    std::vector<int> m_lastStyles;
};
