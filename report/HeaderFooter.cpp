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
    if (m_rawLines.size() < kMaxBlockLines)
        m_rawLines.append(text.left(kMaxExpandedLine));
}

void THeaderFooter::SetMacro(const QByteArray &name, const QByteArray &value)
{
    const QByteArray stored = value.isEmpty() ? QByteArray(" ") : value.left(kMaxExpandedLine);
    for (auto &macro : m_macros) {
        if (macro.first.size() == name.size() && sameIgnoringCase(macro.first.constData(), name.constData(), name.size())) {
            macro.second = stored;
            return;
        }
    }
    if (m_macros.size() < kMaxBlockMacros)
        m_macros.append({name.left(kMaxExpandedLine), stored});
}

void THeaderFooter::Expand()
{
    m_lines = m_rawLines;
    qsizetype left = kMaxExpandedBlock;
    for (QByteArray &line : m_lines) {
        const qsizetype limit = std::min(kMaxExpandedLine, left);
        line.truncate(limit);
        for (const auto &macro : m_macros)
            line = replaceIgnoringCase(line, macro.first, macro.second, limit);
        left -= line.size();
    }
}

void THeaderFooter::GetLines(QList<QByteArray> &target)
{
    Expand();
    target = m_lines;
}

QList<QByteArray> THeaderFooter::RenderText(bool asciiDos)
{
    TRendered &r = m_rendered;
    if (r.AsciiDos == asciiDos && r.PageWidth == m_pageWidth && r.BlockAlign == m_blockAlign && r.LineAlign == m_lineAlign
        && r.RawLines == m_rawLines && r.Macros == m_macros) {
        m_maxLength = r.MaxLength;
        return r.Out;
    }
    Expand();
    QList<QByteArray> pieces;
    for (const QByteArray &line : std::as_const(m_lines)) {
        if (m_pageWidth <= 0 || line.size() <= m_pageWidth) {
            pieces.append(line);
            continue;
        }
        for (qsizetype at = 0; at < line.size(); at += m_pageWidth)
            pieces.append(line.mid(at, m_pageWidth));
    }
    m_maxLength = 0;
    for (const QByteArray &piece : std::as_const(pieces))
        m_maxLength = std::max(m_maxLength, int(piece.size()));

    QList<QByteArray> out;
    out.reserve(pieces.size());
    for (const QByteArray &raw : std::as_const(pieces)) {
        const QByteArray piece = asciiDos ? StripSeparators(ToVisual(raw)) : raw;
        const int length = int(piece.size());
        const int f = m_pageWidth - length;
        const int s = m_maxLength - length;
        const int m = half(m_pageWidth - m_maxLength);
        int indent = 0;
        switch (m_blockAlign) {
        case haRight:
            indent = m_lineAlign == haRight ? f : m_lineAlign == haCenter ? half(s) + f - s : f - s;
            break;
        case haCenter:
            indent = m_lineAlign == haRight ? m + s : m_lineAlign == haCenter ? half(f) : m;
            break;
        default:
            indent = m_lineAlign == haRight ? s : m_lineAlign == haCenter ? half(s) : 0;
            break;
        }
        out.append(QByteArray(std::max(indent, 0), ' ') + piece);
    }
    r = {m_rawLines, m_macros, m_blockAlign, m_lineAlign, m_pageWidth, asciiDos, out, m_maxLength};
    return out;
}

void THeaderFooter::ApplyStyleRecord(QByteArray rest, bool withReplaceFlag, bool rightToLeft)
{
    m_active = true;
    if (withReplaceFlag)
        m_replacesReportHeader = NextField(rest).toUpper() == "Y";
    m_blockAlign = HeaderFooterAlign(AlignmentFromLetter(NextField(rest), rightToLeft));
    m_textAlignment = AlignmentFromLetter(NextField(rest), rightToLeft);
    m_lineAlign = HeaderFooterAlign(m_textAlignment);
    TFontSpec font;
    font.name = FromWin1255(NextField(rest));
    font.size = NextFontSize(rest, 10);
    font.bold = NextFlag(rest);
    font.italic = NextFlag(rest);
    font.underline = NextFlag(rest);
    font.color = ParseColor(QString::fromLatin1(NextField(rest)), 0);
    m_font = font;
}

bool TUserDefinedBlocks::HandleRecord(int code, const QByteArray &rest, bool rightToLeft)
{
    QByteArray fields = rest;
    switch (code) {
    case rcHeaderFooterRepeat: {
        const QByteArray letter = NextField(fields);
        m_repeat = letter.isEmpty() ? ' ' : letter[0];
        return true;
    }
    case rcHeaderFooterMacro: {
        const QByteArray name = NextField(fields);
        const QByteArray value = NextField(fields);
        m_header.SetMacro(name, value);
        m_footer.SetMacro(name, value);
        return true;
    }
    case rcUserDefHeaderStyle:
        m_header.ApplyStyleRecord(fields, true, rightToLeft);
        return true;
    case rcUserDefHeaderLine:
        m_header.ApplyLineRecord(fields);
        return true;
    case rcUserDefFooterStyle:
        m_footer.ApplyStyleRecord(fields, false, rightToLeft);
        return true;
    case rcUserDefFooterLine:
        m_footer.ApplyLineRecord(fields);
        return true;
    default:
        return false;
    }
}
