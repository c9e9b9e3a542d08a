#pragma once
// The user-defined header and footer text blocks of a report (records 560-581): lines with
// macro substitution, where the block sits and how its lines are aligned. The report form
// draws them on pages; text pages render them as fixed-width lines. Widget-free; text stays
// in the report's code page (Windows-1255).
#include "foundation/Colors.h"
#include "foundation/FontSpec.h"
#include "report/RecordStream.h"

#include <QByteArray>
#include <QList>
#include <QPair>

// Limits of a block, far above any real report's: a block's lines and macros come from the
// file, and a macro may expand to copies of another, so without them a few hundred bytes
// could expand to gigabytes. What goes past a limit is cut, never multiplied.
inline constexpr int kMaxBlockLines = 250;          // lines of one block (a page holds fewer)
inline constexpr int kMaxBlockMacros = 100;         // macro names of one block
inline constexpr qsizetype kMaxExpandedLine = 4096; // bytes of one line, raw or expanded
inline constexpr qsizetype kMaxExpandedBlock = 32768; // bytes of all expanded lines together

// Block and line alignment of a user-defined block.
enum THeaderFooterAlign : int { haLeft = 0, haRight = 1, haCenter = 2 };
THeaderFooterAlign HeaderFooterAlign(TAlignment alignment);

class THeaderFooter
{
public:
    bool Active() const { return m_active; }                             // declared by its style record (570 or 580)
    bool ReplacesReportHeader() const { return m_replacesReportHeader; } // header block only: the report header is not printed
    const QList<QByteArray> &RawLines() const { return m_rawLines; }     // as received (571 / 581)
    const QList<QPair<QByteArray, QByteArray>> &Macros() const { return m_macros; } // name, value; in the order first set
    const QList<QByteArray> &Lines() const { return m_lines; }           // RawLines after macro substitution
    int BlockAlign() const { return m_blockAlign; }                      // where the whole block sits
    int LineAlign() const { return m_lineAlign; }                        // how each line sits inside the block
    int PageWidth() const { return m_pageWidth; }                        // text pages: line width limit in characters
    int MaxLength() const { return m_maxLength; }                        // text pages: longest rendered line
    // Text pages: print the block on the page being built.
    bool OnPage() const { return m_onPage; }
    void SetOnPage(bool onPage) { m_onPage = onPage; }

    // The style fields of records 570 / 580 (drawn reports use them).
    const TFontSpec &Font() const { return m_font; }
    TAlignment TextAlignment() const { return m_textAlignment; } // decoded text alignment letter

    // Up to kMaxBlockLines lines, each cut at kMaxExpandedLine bytes.
    void AddLine(const QByteArray &text);
    // An empty value becomes one space; an existing name (any letter case) gets the new value.
    // Names past kMaxBlockMacros are ignored.
    void SetMacro(const QByteArray &name, const QByteArray &value);
    void SetBlockAlign(int align) { m_blockAlign = align; }
    void SetLineAlign(int align) { m_lineAlign = align; }
    void SetPageWidth(int width) { m_pageWidth = width; }

    // Lines := RawLines with every macro name replaced by its value, letter case ignored,
    // wherever it occurs (inside words too), macros applied in their order. A line stops at
    // kMaxExpandedLine bytes and the block at kMaxExpandedBlock.
    void Expand();
    void GetLines(QList<QByteArray> &target);
    // Expansion keeps the number of lines.
    int LineCount() const { return int(m_rawLines.size()); }

    // The block as fixed-width text lines: expanded, lines longer than PageWidth cut into
    // pieces, each piece indented by the block and line alignment. With asciiDos the pieces
    // are in visual DOS order (code page 862) without segment separators.
    QList<QByteArray> RenderText(bool asciiDos);

    // Record 570 (header style: replace flag first) or 580 (footer style): marks the block
    // active and takes its alignments and font. Alignment letters read with rightToLeft.
    void ApplyStyleRecord(QByteArray rest, bool withReplaceFlag, bool rightToLeft);
    // Record 571 / 581: field 1 is appended.
    void ApplyLineRecord(QByteArray rest) { AddLine(NextField(rest)); }

private:
    bool m_active = false;
    bool m_replacesReportHeader = false;
    QList<QByteArray> m_rawLines;
    QList<QPair<QByteArray, QByteArray>> m_macros;
    QList<QByteArray> m_lines;
    int m_blockAlign = haLeft;
    int m_lineAlign = haLeft;
    int m_pageWidth = 0;
    int m_maxLength = 0;
    bool m_onPage = false;
    TFontSpec m_font;
    TAlignment m_textAlignment = TAlignment::Left;

    // What RenderText last made, and from what: every page asks for the same block again.
    struct TRendered {
        QList<QByteArray> RawLines;
        QList<QPair<QByteArray, QByteArray>> Macros;
        int BlockAlign = -1, LineAlign = -1, PageWidth = -1;
        bool AsciiDos = false;
        QList<QByteArray> Out;
        int MaxLength = 0;
    } m_rendered;
};

// Both blocks and the records that feed them. Record 561 sets a macro on both blocks.
class TUserDefinedBlocks
{
public:
    // Handles 560, 561, 570, 571, 580, 581; false for any other code.
    bool HandleRecord(int code, const QByteArray &rest, bool rightToLeft);

    THeaderFooter &Header() { return m_header; }
    const THeaderFooter &Header() const { return m_header; }
    THeaderFooter &Footer() { return m_footer; }
    const THeaderFooter &Footer() const { return m_footer; }
    // Repeat letter of record 560; 0 until one arrives.
    char Repeat() const { return m_repeat; }

private:
    THeaderFooter m_header;
    THeaderFooter m_footer;
    char m_repeat = 0;
};
