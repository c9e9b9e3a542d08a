// The page header's records: the text bands filled from records, the column-group
// sub-header, the user-defined header and footer blocks, page numbers and the header items
// and embedded logo a report brings.
#include "report/PageHeader.h"

#include "engine/ReportEngine.h"
#include "report/BodyLayout.h"
#include "report/LogoPicture.h"

#include "foundation/Codepages.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Numbers.h"
#include "foundation/Paths.h"
#include "report/FastText.h"
#include "report/RecordCodes.h"
#include "report/TextMeasurer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cmath>

namespace {

const QString kLineSlot = QStringLiteral("line");
const QString kSubHeaderCell = QStringLiteral("sub");

// The index-th line label of a text band, created when first needed.
TBandItem &lineSlot(TBand &band, int index)
{
    int seen = 0;
    for (auto &item : band.Items)
        if (item->Name == kLineSlot && seen++ == index)
            return *item;
    TBandItem &item = band.Add(TItemKind::Label, kLineSlot);
    item.Visible = false;
    return item;
}

TAlignment mirrored(TAlignment a)
{
    return a == TAlignment::Left ? TAlignment::Right : a == TAlignment::Right ? TAlignment::Left : a;
}

} // namespace

void TPageHeader::Reset()
{
    for (TBand *band : {&m_bndReportFooter, &m_bndSubHeaderInfo, &m_bndUserHeader, &m_bndReportHeader, &m_bndSubHeader,
                        &m_bndFooterInfo})
        band->Height = 0;
    m_bndSubHeader.Enabled = false;
    m_settings.BuildPageHeader = true;
    m_settings.LogoFileName.clear();
    m_settings.LogoExt = QStringLiteral(".bmp");
    m_settings.UserHeaderOn = m_settings.SubHeaderInfoOn = false;
    m_settings.UserHeaderRepeat = 0;
    m_settings.SubHeaderRepeat = '0';
    m_settings.ReportHeaderLines = m_settings.UserHeaderLines = m_settings.SubHeaderInfoLines = m_settings.ReportFooterLines = 0;
    for (TBand *band : {&m_bndReportHeader, &m_bndUserHeader, &m_bndSubHeaderInfo, &m_bndReportFooter})
        for (auto &item : band->Items)
            if (item->Name == kLineSlot)
                item->Visible = false;
    DoClearSubHeader();
    m_subHeaderWidths.fill(0);
    m_blocks = TUserDefinedBlocks();
    m_pageCounter = 0;
    m_settings.PageNumberFormat = QStringLiteral("%d");
    m_settings.FooterBandHeight = 0;
    m_bndHeaderInfo.RemoveUnnamed();
    m_bndHeaderInfo.Height = 0;
    m_bndFooterInfo2.RemoveUnnamed();
    m_bndFooterInfo2.Height = 0;
    m_bndFooterInfo2.Enabled = false;
    m_footerRule->Visible = false;
    m_lblPageNumber->Visible = false;
    m_lblPageNumber->Height = 0;
    m_headerRule = nullptr;
}

TBandItem &TPageHeader::AddHeaderLabel(TBand &band, const QString &caption, const TFontSpec &font, TAlignment alignment)
{
    TBandItem &label = band.Add(TItemKind::Label);
    label.Caption = caption;
    label.Font = font;
    label.Alignment = alignment;
    label.RightToLeft = m_page.RightToLeft;
    label.AutoSize = true;
    label.Width = CeilPixels(m_page.Measurer->TextWidth(caption, font));
    label.Height = m_page.Measurer->TextHeight(font);
    return label;
}

void TPageHeader::DoTextLine(TBand &band, int &counter, int maxLines, QByteArray rest)
{
    if (counter >= maxLines)
        return;
    const int style = NextInt(rest);
    const TAlignment alignment = AlignmentFromLetter(NextField(rest), m_page.RightToLeft);
    const int before = NextPixels(rest);
    const int after = NextPixels(rest);
    const QByteArray text = NextField(rest);
    TBandItem &label = lineSlot(band, counter++);
    if (style >= 1 && style <= 5)
        label.Font = m_body.Font(style);
    label.Caption = QLatin1Char(' ') + FastCaption(text);
    label.Alignment = alignment;
    label.RightToLeft = m_page.RightToLeft;
    label.AutoSize = true;
    label.AlignToBand = true;
    label.Visible = true;
    label.Height = m_page.Measurer->TextHeight(label.Font);
    label.Width = CeilPixels(m_page.Measurer->TextWidth(label.Caption, label.Font));
    label.Top = band.Height + before;
    band.Height = label.Bottom() + after;
}

void TPageHeader::DoReplaceReportHeaderLine(QByteArray rest)
{
    const int n = NextInt(rest);
    const QByteArray text = NextField(rest);
    int count = 0;
    for (auto &item : m_bndReportHeader.Items)
        if (item->Name == kLineSlot)
            ++count;
    if (n - 1 < 0 || n - 1 >= count || n - 1 > 255)
        return;
    lineSlot(m_bndReportHeader, n - 1).Caption = FastCaption(text);
}

void TPageHeader::ClearTextBand(TBand &band, int &counter)
{
    band.Height = 0;
    counter = 0;
    for (auto &item : band.Items)
        if (item->Name == kLineSlot)
            item->Visible = false;
}

void TPageHeader::DoSubHeaderInfoLine(QByteArray rest)
{
    if (m_settings.SubHeaderInfoLines >= 9)
        return;
    m_settings.SubHeaderInfoOn = true;
    const int quote = rest.indexOf('"');
    const int style = rest.isEmpty() ? 0 : rest[0] - '0';
    const TFontSpec font = style >= 1 && style <= 5 ? m_body.Font(style) : TFontSpec();
    if (quote < 0) {
        DoTextLine(m_bndSubHeaderInfo, m_settings.SubHeaderInfoLines, 9, rest);
        return;
    }
    const QByteArray prefix = rest.left(quote + 1);
    QByteArray body = rest.mid(quote + 1);
    if (m_page.Measurer->TextWidth(FastCaption(body), font) < m_page.PrintableWidth) {
        DoTextLine(m_bndSubHeaderInfo, m_settings.SubHeaderInfoLines, 9, rest);
        return;
    }
    if (body.endsWith('"'))
        body.chop(1);
    // Nine lines of a page hold far less than this: the rest is never split into items.
    body.truncate(kMaxCaptionBytes);
    const int colon = body.indexOf(':');
    const int indentLength = colon < 0 ? 0 : qMin(colon + 2, int(body.size()));
    const QString indentSource = FastWin1255(body.left(indentLength));
    QList<QByteArray> items;
    for (const QByteArray &item : body.mid(indentLength).split(','))
        items.append(item.trimmed());
    QString indent = indentSource;
    int next = 0;
    while (next < items.size() && m_settings.SubHeaderInfoLines < 9) {
        QString line = indent + FastWin1255(items[next++]);
        while (next < items.size()) {
            const QString longer = line + QStringLiteral(", ") + FastWin1255(items[next]);
            if (m_page.Measurer->TextWidth(longer, font) >= m_page.PrintableWidth)
                break;
            line = longer;
            ++next;
        }
        if (next < items.size())
            line += QLatin1Char(',');
        QByteArray record = prefix + ToWin1255(line).replace('"', "\"\"") + '"';
        DoTextLine(m_bndSubHeaderInfo, m_settings.SubHeaderInfoLines, 9, record);
        // Later lines are indented by spaces as wide as the label.
        const double indentWidth = m_page.Measurer->TextWidth(indentSource, font);
        indent.clear();
        while (m_page.Measurer->TextWidth(indent, font) < indentWidth && indent.size() < 400)
            indent += QChar(0x00A0); // a space that line layout keeps at the line's start
    }
}

void TPageHeader::DoSubHeaderWidths(QByteArray rest)
{
    m_subHeaderWidths.fill(0);
    for (int k = 1; k <= kMaxSubHeaderItems && !rest.isEmpty(); ++k)
        m_subHeaderWidths[k] = NextPixels(rest);
}

void TPageHeader::DoSubHeaderCell(QByteArray rest)
{
    if (m_subHeaderItems.size() >= kMaxSubHeaderItems)
        return;
    TSubHeaderItem entry;
    entry.Row = NextInt(rest);
    entry.Column = NextInt(rest);
    if (entry.Row == 0 || entry.Column == 0 || entry.Column < 1 || entry.Column > kMaxSubHeaderItems)
        return;
    entry.Style = NextInt(rest, 2);
    const TAlignment alignment = AlignmentFromLetter(NextField(rest), m_page.RightToLeft);
    const int before = NextPixels(rest);
    const int after = NextPixels(rest);
    const QByteArray caption = NextField(rest);
    if (m_subHeaderItems.isEmpty())
        m_bndSubHeader.Enabled = true;
    TBandItem &label = m_bndSubHeader.Add(TItemKind::Label, kSubHeaderCell);
    label.Caption = FastCaption(caption);
    label.Alignment = alignment;
    label.RightToLeft = m_page.RightToLeft;
    label.SpaceBefore = before;
    label.SpaceAfter = after;
    label.Visible = true;
    entry.Label = &label;
    m_subHeaderItems.append(entry);
    LayoutSubHeader();
}

void TPageHeader::LayoutSubHeader()
{
    std::stable_sort(m_subHeaderItems.begin(), m_subHeaderItems.end(), [](const TSubHeaderItem &a, const TSubHeaderItem &b) {
        return a.Row != b.Row ? a.Row < b.Row : a.Column < b.Column;
    });
    std::array<int, kMaxSubHeaderItems + 1> x{};
    for (int k = 2; k <= kMaxSubHeaderItems; ++k)
        x[k] = x[k - 1] + m_subHeaderWidths[k - 1] + kColumnGap;
    int rowTop = 0;
    int tallest = 0;
    int row = m_subHeaderItems.isEmpty() ? 0 : m_subHeaderItems.first().Row;
    for (const TSubHeaderItem &entry : m_subHeaderItems) {
        if (entry.Row != row) {
            rowTop += tallest;
            tallest = 0;
            row = entry.Row;
        }
        TBandItem &label = *entry.Label;
        if (entry.Style >= 1 && entry.Style <= 5)
            label.Font = m_body.Font(entry.Style);
        const int height = FontHeight(label.Font) + label.SpaceBefore + label.SpaceAfter + 3;
        tallest = qMax(tallest, height);
        label.Top = rowTop + label.SpaceBefore;
        label.Left = x[entry.Column];
        label.Width = m_subHeaderWidths[entry.Column];
        // Where the record puts it, from the left, in right-to-left reports too: stored
        // reports were made for that placement.
        label.Height = FontHeight(label.Font) + 3;
    }
    m_bndSubHeader.Height = rowTop + tallest;
}

void TPageHeader::DoClearSubHeader()
{
    std::erase_if(m_bndSubHeader.Items, [](const std::unique_ptr<TBandItem> &i) { return i->Name == kSubHeaderCell; });
    m_subHeaderItems.clear();
    m_bndSubHeader.Height = 0;
}

void TPageHeader::ApplyBlockStyle(TBandItem &memo, const THeaderFooter &block)
{
    memo.Top = 0;
    memo.Font = block.Font();
    memo.Font.size = qBound(1, memo.Font.size, 500);
    memo.RightToLeft = m_page.RightToLeft;
    memo.Alignment = m_page.RightToLeft ? mirrored(block.TextAlignment()) : block.TextAlignment();
}

void TPageHeader::DoUserDefRecord(int code, const QByteArray &rest)
{
    if (code == rcUserDefFooterLine) {
        DoFooterLine(rest);
        return;
    }
    m_blocks.HandleRecord(code, rest, m_page.RightToLeft);
    switch (code) {
    case rcHeaderFooterRepeat:
        if (UserDefRepeat() != '0')
            m_bndFooterInfo.Enabled = false;
        break;
    case rcUserDefHeaderStyle:
        ApplyBlockStyle(*m_mmoHeader, m_blocks.Header());
        break;
    case rcUserDefFooterStyle:
        ApplyBlockStyle(*m_mmoFooter, m_blocks.Footer());
        ApplyBlockStyle(*m_mmoFooter1, m_blocks.Footer());
        m_mmoFooter1->Top = 24;
        break;
    default:
        break;
    }
}

void TPageHeader::DoFooterLine(QByteArray rest)
{
    if (m_bndFooterInfo.Height > m_page.PageSetup.PageLength() / 2)
        return;
    m_blocks.HandleRecord(rcUserDefFooterLine, rest, m_page.RightToLeft);
    const int lineHeight = m_page.Measurer->TextHeight(m_mmoFooter->Font);
    m_bndFooterInfo.Height += lineHeight;
    m_mmoFooter->Top = 0;
    m_mmoFooter->Height = m_bndFooterInfo.Height;
    m_settings.FooterBandHeight = m_bndFooterInfo.Height;
    m_mmoFooter1->Height = m_mmoFooter->Height;
    m_mmoFooter1->Top = 24;
    // The report footer holds the block below its 24-pixel gap.
    m_bndReportFooter.Height = qMax(m_bndReportFooter.Height, m_settings.FooterBandHeight + 24);
    FooterChanged();
}

void TPageHeader::PlaceBlock(TBandItem &memo, THeaderFooter &block)
{
    QList<QByteArray> lines;
    block.GetLines(lines);
    memo.Lines.clear();
    double widest = 0;
    for (const QByteArray &line : lines) {
        memo.Lines.append(FastCaption(line));
        widest = qMax(widest, m_page.Measurer->TextWidth(memo.Lines.last(), memo.Font));
    }
    const int w = CeilPixels(widest) + 1;
    const int bandWidth = m_page.PageSetup.ColumnWidth();
    int left = 0;
    if (block.BlockAlign() == haRight)
        left = bandWidth - w + 1;
    else if (block.BlockAlign() == haCenter)
        left = (bandWidth - w) / 2 + 1;
    memo.Left = left;
    memo.Width = w;
    memo.Height = qMax(memo.Height, int(memo.Lines.size()) * m_page.Measurer->TextHeight(memo.Font));
}

void TPageHeader::DoPageNumberOn(QByteArray rest)
{
    const int style = NextInt(rest);
    if (style < 1 || style > 5)
        return;
    m_lblPageNumber->Font = m_body.Font(style);
    m_lblPageNumber->Alignment = AlignmentFromLetter(
        IniReadString(TrvlPar(), QStringLiteral("PageInfo"), QStringLiteral("PageNumberAlignment"), QStringLiteral("N")).toLatin1(),
        m_page.RightToLeft);
    m_lblPageNumber->RightToLeft = m_page.RightToLeft;
    m_settings.PageNumberFormat = LookupText(112);
    if (m_settings.PageNumberFormat.isEmpty())
        m_settings.PageNumberFormat = QStringLiteral("%d");
    m_lblPageNumber->Top = 0;
    m_lblPageNumber->Height = m_lblPageNumber->Font.size + 3;
    m_lblPageNumber->Visible = true;
    m_bndFooterInfo2.Height = RoundHalfEven(1.5 * m_lblPageNumber->Height);
    m_bndFooterInfo2.Enabled = true;
    FooterChanged();
}

std::optional<THeaderRecord> TPageHeader::DoPageHeaderItem(QByteArray rest, const TReadNextRecord &next)
{
    m_settings.BuildPageHeader = false;
    const int kind = NextInt(rest);
    switch (kind) {
    case 1:
    case 5: {
        TBand &band = kind == 1 ? m_bndHeaderInfo : m_bndFooterInfo2;
        const int left = NextPixels(rest);
        const int top = NextPixels(rest);
        const int width = NextPixels(rest);
        const TAlignment alignment = AlignmentFromLetter(NextField(rest), m_page.RightToLeft);
        TFontSpec font;
        font.name = FastWin1255(NextField(rest));
        font.size = NextFontSize(rest, 9);
        font.color = NextInt(rest);
        font.bold = NextFlag(rest);
        font.italic = NextFlag(rest);
        TBandItem &label = AddHeaderLabel(band, FastCaption(NextField(rest)), font, alignment);
        label.AutoSize = false;
        label.Left = left;
        label.Top = top;
        label.Width = width;
        // The band it lies on grows to hold it.
        band.Height = qMax(band.Height, label.Bottom());
        if (kind == 5)
            m_bndFooterInfo2.Enabled = true;
        break;
    }
    case 2:
    case 6: {
        TBand &band = kind == 2 ? m_bndHeaderInfo : m_bndFooterInfo2;
        TBandItem &line = band.Add(TItemKind::Shape);
        line.Shape = TShapeKind::HorizontalLine;
        line.Left = 1;
        line.Width = m_page.PrintableWidth;
        line.Height = 1;
        line.Top = NextPixels(rest);
        band.Height = qMax(band.Height, line.Bottom());
        if (kind == 6)
            m_bndFooterInfo2.Enabled = true;
        break;
    }
    case 3:
        return ReadEmbeddedLogo(rest, next);
    default:
        break;
    }
    return std::nullopt;
}

namespace {

QByteArray decodeHex(const QByteArray &hex)
{
    QByteArray bytes;
    bytes.reserve(hex.size() / 2);
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int hi = digit(hex[i]), lo = digit(hex[i + 1]);
        bytes.append(hi < 0 || lo < 0 ? char(0) : char(hi * 16 + lo));
    }
    return bytes;
}

} // namespace

std::optional<THeaderRecord> TPageHeader::ReadEmbeddedLogo(QByteArray rest, const TReadNextRecord &next)
{
    QByteArray data = decodeHex(NextField(rest));
    bool placed = false;
    std::optional<THeaderRecord> endedBy;
    int left = 0, top = 0, width = 0, height = 0;
    // The picture's data and place follow in records of their own, read here and now.
    THeaderRecord record;
    while (next(record)) {
        if (record.Code != rcPageHeaderItem) {
            endedBy = std::move(record);
            break;
        }
        QByteArray fields = record.Rest;
        const int kind = NextInt(fields);
        if (kind == 4) {
            placed = true;
            left = NextPixels(fields);
            top = NextPixels(fields);
            width = NextPixels(fields);
            height = NextPixels(fields);
            break;
        }
        if (kind == 3)
            data += decodeHex(NextField(fields));
    }
    // The picture goes through a file of its own, named unpredictably and always removed.
    QImage picture;
    {
        QString dir = DataDir();
        if (dir.isEmpty() || !QFileInfo(dir).isWritable())
            dir = (m_temporaryFolder.isEmpty() ? QDir::tempPath() : m_temporaryFolder) + QLatin1Char('/');
        QTemporaryFile file(dir + QStringLiteral("LOGOXXXXXX") + QString(m_settings.LogoExt).remove(QLatin1Char('/')));
        if (file.open()) {
            file.write(data);
            file.close();
            picture = LoadLogoPicture(file.fileName());
        }
    }
    if (!picture.isNull()) {
        TBandItem &image = m_bndHeaderInfo.Add(TItemKind::Image);
        image.Picture = picture;
        image.AutoSize = !placed || width <= 0 || height <= 0;
        image.Left = left;
        image.Top = top;
        image.Width = image.AutoSize ? picture.width() : width;
        image.Height = image.AutoSize ? picture.height() : height;
        m_bndHeaderInfo.Height = qMax(m_bndHeaderInfo.Height, image.Bottom());
    }
    // A record that ended the picture data without placing it is acted on, not lost.
    return endedBy;
}
