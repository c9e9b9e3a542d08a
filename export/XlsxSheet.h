#pragma once
// One worksheet's XML, made row by row and handed to the archive in pieces of about a MB.
// What comes before the rows (right to left, the frozen title row, the column widths) is
// held back until the title row has been seen, or until the rows held grow to a piece:
// then it goes out as it stands and later changes no longer reach this sheet.
#include <QByteArray>
#include <QString>
#include <string>
#include <vector>

class TZipWriter;
class TXlsxSharedStrings;

struct TXlsxSheetView {
    bool rightToLeft = false;
    bool selected = false;      // the sheet shown when the workbook opens
    int frozenRows = 0;         // rows kept above the scrolling part
    std::vector<double> widths; // in characters, from the first column; 0 leaves a column as it is
};

class TXlsxSheet
{
public:
    TXlsxSheet(TZipWriter &zip, int number, TXlsxSharedStrings &strings);

    TXlsxSheetView &View() { return m_view; }
    // The head can no longer change: write it and the rows held.
    void ReleaseHead();

    // Rows from 0 and columns from 0, each row's columns in increasing order.
    void BeginRow(int row);
    void Number(int column, double value, int style);
    // A text, from the shared table unless the column's texts seldom come again.
    void Text(int column, QStringView text, int style);
    void Blank(int column, int style);
    void EndRow();

    // Closes the sheet's XML and its entry in the archive.
    void Finish();

private:
    void startCell(int column, int style);
    void flushIfFull();

    TZipWriter &m_zip;
    TXlsxSharedStrings &m_strings;
    TXlsxSheetView m_view;
    std::string m_rows; // appends inline, which a million rows of cells notice
    bool m_headWritten = false;
    int m_row = 0;
    int m_nextColumn = 0;
    struct TColumnTexts {
        int seen = 0;
        int added = 0;
    };
    std::vector<TColumnTexts> m_columnTexts;
};
