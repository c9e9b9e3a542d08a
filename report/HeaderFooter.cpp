#include "report/HeaderFooter.h"

#include "foundation/Codepages.h"
#include "foundation/Numbers.h"
#include "foundation/VisualHebrew.h"
#include "report/RecordCodes.h"
#include "report/ReportLimits.h"

#include <algorithm>

namespace {

bool sameIgnoringCase(const char *a, const char *b, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = char(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

// Every occurrence of name (letter case ignored) replaced by value, scanning left to right;
// a value is never searched again. The result stops at limit bytes.
QByteArray replaceIgnoringCase(const QByteArray &line, const QByteArray &name, const QByteArray &value,
                               qsizetype limit)
{
    if (name.isEmpty() || line.size() < name.size())
        return line.left(limit);
    QByteArray out;
    qsizetype i = 0;
    const qsizetype last = line.size() - name.size();
    while (i <= last && out.size() < limit) {
        if (sameIgnoringCase(line.constData() + i, name.constData(), name.size())) {
            out += value.left(limit - out.size());
            i += name.size();
        } else {
            out += line[i++];
        }
    }
    if (out.size() < limit)
        out += line.mid(i, limit - out.size());
    return out;
}

int half(int n) { return RoundHalfEven(n / 2.0); }

} // namespace

THeaderFooterAlign HeaderFooterAlign(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Right: return haRight;
    case TAlignment::Center: return haCenter;
    default: return haLeft;
    }
}

void THeaderFooter::AddLine(const QByteArray &text)
{
    if (RawLines.size() < kMaxBlockLines)
        RawLines.append(text.left(kMaxExpandedLine));
}

void THeaderFooter::SetMacro(const QByteArray &name, const QByteArray &value)
{
    const QByteArray stored = value.isEmpty() ? QByteArray(" ") : value.left(kMaxExpandedLine);
    for (auto &macro : Macros) {
        if (macro.first.size() == name.size() && sameIgnoringCase(macro.first.constData(), name.constData(), name.size())) {
            macro.second = stored;
            return;
        }
    }
    if (Macros.size() < kMaxBlockMacros)
        Macros.append({name.left(kMaxExpandedLine), stored});
}

void THeaderFooter::Expand()
{
    Lines = RawLines;
    qsizetype left = kMaxExpandedBlock;
    for (QByteArray &line : Lines) {
        const qsizetype limit = std::min(kMaxExpandedLine, left);
        line.truncate(limit);
        for (const auto &macro : Macros)
            line = replaceIgnoringCase(line, macro.first, macro.second, limit);
        left -= line.size();
    }
}

void THeaderFooter::GetLines(QList<QByteArray> &target)
{
    Expand();
    target = Lines;
}

QList<QByteArray> THeaderFooter::RenderText(bool asciiDos)
{
    TRendered &r = m_rendered;
    if (r.AsciiDos == asciiDos && r.PageWidth == PageWidth && r.BlockAlign == BlockAlign && r.LineAlign == LineAlign
        && r.RawLines == RawLines && r.Macros == Macros) {
        MaxLength = r.MaxLength;
        return r.Out;
    }
    Expand();
    QList<QByteArray> pieces;
    for (const QByteArray &line : std::as_const(Lines)) {
        if (PageWidth <= 0 || line.size() <= PageWidth) {
            pieces.append(line);
            continue;
        }
        for (qsizetype at = 0; at < line.size(); at += PageWidth)
            pieces.append(line.mid(at, PageWidth));
    }
    MaxLength = 0;
    for (const QByteArray &piece : std::as_const(pieces))
        MaxLength = std::max(MaxLength, int(piece.size()));

    QList<QByteArray> out;
    out.reserve(pieces.size());
    for (const QByteArray &raw : std::as_const(pieces)) {
        const QByteArray piece = asciiDos ? StripSeparators(ToVisual(raw)) : raw;
        const int length = int(piece.size());
        const int f = PageWidth - length;
        const int s = MaxLength - length;
        const int m = half(PageWidth - MaxLength);
        int indent = 0;
        switch (BlockAlign) {
        case haRight:
            indent = LineAlign == haRight ? f : LineAlign == haCenter ? half(s) + f - s : f - s;
            break;
        case haCenter:
            indent = LineAlign == haRight ? m + s : LineAlign == haCenter ? half(f) : m;
            break;
        default:
            indent = LineAlign == haRight ? s : LineAlign == haCenter ? half(s) : 0;
            break;
        }
        out.append(QByteArray(std::max(indent, 0), ' ') + piece);
    }
    r = {RawLines, Macros, BlockAlign, LineAlign, PageWidth, asciiDos, out, MaxLength};
    return out;
}

void THeaderFooter::ApplyStyleRecord(QByteArray rest, bool withReplaceFlag, bool rightToLeft)
{
    Active = true;
    if (withReplaceFlag)
        ReplacesReportHeader = NextField(rest).toUpper() == "Y";
    BlockAlign = HeaderFooterAlign(AlignmentFromLetter(NextField(rest), rightToLeft));
    TextAlignment = AlignmentFromLetter(NextField(rest), rightToLeft);
    LineAlign = HeaderFooterAlign(TextAlignment);
    TFontSpec font;
    font.name = FromWin1255(NextField(rest));
    font.size = NextFontSize(rest, 10);
    font.bold = NextFlag(rest);
    font.italic = NextFlag(rest);
    font.underline = NextFlag(rest);
    font.color = ParseColor(QString::fromLatin1(NextField(rest)), 0);
    Font = font;
}

bool TUserDefinedBlocks::HandleRecord(int code, const QByteArray &rest, bool rightToLeft)
{
    QByteArray fields = rest;
    switch (code) {
    case rcHeaderFooterRepeat: {
        const QByteArray letter = NextField(fields);
        Repeat = letter.isEmpty() ? ' ' : letter[0];
        return true;
    }
    case rcHeaderFooterMacro: {
        const QByteArray name = NextField(fields);
        const QByteArray value = NextField(fields);
        Header.SetMacro(name, value);
        Footer.SetMacro(name, value);
        return true;
    }
    case rcUserDefHeaderStyle:
        Header.ApplyStyleRecord(fields, true, rightToLeft);
        return true;
    case rcUserDefHeaderLine:
        Header.ApplyLineRecord(fields);
        return true;
    case rcUserDefFooterStyle:
        Footer.ApplyStyleRecord(fields, false, rightToLeft);
        return true;
    case rcUserDefFooterLine:
        Footer.ApplyLineRecord(fields);
        return true;
    default:
        return false;
    }
}
