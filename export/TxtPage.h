#pragma once
// Text pages: a report as a fixed-width plain-text file. Records arrive one by one; the
// page keeps a column model measured in characters, pads each cell to its column and
// assembles pages of a fixed number of lines with the report's header parts, the
// user-defined header and footer blocks and a page-number line. Right-to-left lines carry
// byte 253 between cells, or are written in visual DOS order when the options ask for it.
#include "export/ExportOptions.h"
#include "report/HeaderFooter.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <string>

class TLineWriter;

// No column, and no page, of text pages is wider than this many characters: a report's widths
// come from its file, and a page only as wide as the widest real report keeps the output in
// proportion to the input.
inline constexpr int kMaxTxtPageWidth = 4000;

class TTxtPage
{
public:
    TTxtPage(TLineWriter &target, const TExportOptions &options);

    void HandleRecord(int code, const QByteArray &fields);
    // Called after the last record: a report whose file ends without an end record still
    // gets its last page.
    void Finish();

    // The report has no data line; set before the first record.
    void SetReportEmpty(bool empty) { ReportEmpty = empty; }

    // Cell padding of column n (1-based) by its alignment letter.
    QByteArray PadCell(int column, const QByteArray &text) const;

private:
    struct TColumn {
        int Width = 0;
        char Align = 'L';
    };

    // What the records have set so far, and the page being filled.
    bool ReportEmpty = false;
    TExportOptions Options;
    int PageNumber = 1;
    int ColumnCount = 0;
    std::array<TColumn, kMaxExportColumns + 1> Columns{}; // numbered from 1
    int PageWidth = 0;
    bool RightToLeft = false;
    QByteArray TitleText;
    int TitleRowCount = 1;
    QList<QByteArray> ReportHeaderLines; // each with its alignment letter as last character
    QList<int> SubHeaderColumns;         // widths in characters
    QList<QList<QByteArray>> SubHeaderRows;
    QByteArray SubHeaderInfo;            // the last record 550
    THeaderFooter HeaderBlock;
    THeaderFooter FooterBlock;
    char UserDefRepeat = '9';
    char ReportStyle = '1';

    // Records.
    void columnWidths(QByteArray fields);
    void subHeaderWidths(QByteArray fields);
    void subHeaderCaption(QByteArray fields);
    void dataLine(QByteArray fields);
    void reportHeaderLine(const QByteArray &text, char letter);
    void sectionEnd();
    void reportEnd();
    void groupCaption(QByteArray fields);
    void ruleDefinition(QByteArray fields);
    void totalsLine(QByteArray fields);

    void appendPadded(std::string &out, int column, QByteArrayView text) const;

    // Layout.
    QByteArray visual(const QByteArray &text) const;
    void buildParts();
    void buildTitleBlock();
    void buildReportHeader();
    void buildSubHeaderTable();
    int widthSum(int first, int last) const;

    // Pages.
    void addLine(const QByteArray &line);
    int lineCount(bool withFooter) const;
    bool headerOn() const { return HeaderBlock.Active() && HeaderBlock.OnPage(); }
    void pageFilled();
    void writePage();
    void endPage();
    void startPage();
    void placeFooter();

    TLineWriter &m_target;
    bool m_columnCountSet = false;

    QList<QByteArray> m_titleBlock;
    QList<QByteArray> m_reportHeaderBlock;
    QList<QByteArray> m_subHeaderTable;
    bool m_partsStale = true;      // layout records arrived since the parts were built
    bool m_subHeaderStale = false; // sub-header records arrived since the table was built
    bool m_headerUsed = false;     // the header parts went onto a page

    QList<QByteArray> m_body;
    bool m_pageEmpty = true;
    bool m_footerOverflow = false;
    bool m_sectionEnded = false;
    bool m_endAtNextLine = false;
    bool m_leaveHeaderOut = false;
    bool m_reportEnded = false;

    // Reused by every data line.
    std::array<std::string, kMaxExportColumns + 1> m_scratch;
    std::array<QByteArray, kMaxExportColumns + 1> m_visualCells;
    std::string m_line;

    // Totals, groups and rules.
    QList<QByteArray> m_totalsCells;
    bool m_groupOpen = false;        // a group caption opened the next totals line
    bool m_hasSecondCaption = false;
    int m_groupFirst = 0, m_groupLast = 0;
    int m_lastCaptionFirst = -1, m_lastCaptionLast = -1;
    QByteArray m_ruleAbove, m_ruleBelow;
};
