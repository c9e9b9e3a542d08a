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
    bool Active = false;               // declared by its style record (570 or 580)
    bool ReplacesReportHeader = false; // header block only: the report header is not printed
    QList<QByteArray> RawLines;        // as received (571 / 581)
    QList<QPair<QByteArray, QByteArray>> Macros; // name, value; in the order first set
    QList<QByteArray> Lines;           // RawLines after macro substitution
    int BlockAlign = haLeft;           // where the whole block sits
    int LineAlign = haLeft;            // how each line sits inside the block (the text alignment)
    int PageWidth = 0;                 // text pages: line width limit in characters
    int MaxLength = 0;                 // text pages: longest rendered line
    bool OnPage = false;               // text pages: print the block on the page being built

    // The style fields of records 570 / 580 (drawn reports use them).
    TFontSpec Font;
    TAlignment TextAlignment = TAlignment::Left; // decoded text alignment letter

    // Up to kMaxBlockLines lines, each cut at kMaxExpandedLine bytes.
    void AddLine(const QByteArray &text);
    // An empty value becomes one space; an existing name (any letter case) gets the new value.
    // Names past kMaxBlockMacros are ignored.
    void SetMacro(const QByteArray &name, const QByteArray &value);
    void SetBlockAlign(int align) { BlockAlign = align; }
    void SetLineAlign(int align) { LineAlign = align; }
    void SetPageWidth(int width) { PageWidth = width; }

    // Lines := RawLines with every macro name replaced by its value, letter case ignored,
    // wherever it occurs (inside words too), macros applied in their order. A line stops at
    // kMaxExpandedLine bytes and the block at kMaxExpandedBlock.
    void Expand();
    void GetLines(QList<QByteArray> &target);
    // Expansion keeps the number of lines.
    int LineCount() const { return int(RawLines.size()); }

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
struct TUserDefinedBlocks {
    THeaderFooter Header;
    THeaderFooter Footer;
    // Repeat letter of record 560; 0 until one arrives.
    char Repeat = 0;

    // Handles 560, 561, 570, 571, 580, 581; false for any other code.
    bool HandleRecord(int code, const QByteArray &rest, bool rightToLeft);
};
