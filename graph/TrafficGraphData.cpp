#include "graph/TrafficGraphData.h"

#include "foundation/DisplayText.h"
#include "foundation/Messages.h"
#include "foundation/Progress.h"
#include "graph/GraphFields.h"
#include "graph/GraphRecords.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"
#include "report/SrpReader.h"

namespace {

// Pages and rows are found without regard to letter case.
QString folded(const QString &key) { return key.toCaseFolded(); }

constexpr int kLinearSearchRows = 64;

} // namespace

namespace TrafficPages {

int TPageData::IndexOf(const QString &rowKey) const
{
    if (!m_index.isEmpty())
        return m_index.value(folded(rowKey), -1);
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i].compare(rowKey, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int TPageData::FindOrAddRow(const QString &rowKey)
{
    const int found = IndexOf(rowKey);
    if (found >= 0)
        return found;
    m_keys.push_back(rowKey);
    m_values.emplace_back();
    const int row = int(m_keys.size()) - 1;
    if (!m_index.isEmpty()) {
        m_index.insert(folded(rowKey), row);
    } else if (m_keys.size() > size_t(kLinearSearchRows)) {
        for (size_t i = 0; i < m_keys.size(); ++i)
            m_index.insert(folded(m_keys[i]), int(i));
    }
    return row;
}

void TPageData::SetRowValue(int row, int y, double x)
{
    m_values[size_t(row)].Set(y, x);
    if (y >= 1 && y <= 5 && x > m_maxima.Get(y))
        m_maxima.Set(y, x);
}

void TPageData::SetValue(const QString &rowKey, int y, double x) { SetRowValue(FindOrAddRow(rowKey), y, x); }

double TPageData::Value(const QString &rowKey, int y) const
{
    const int row = IndexOf(rowKey);
    return row < 0 ? 0 : m_values[size_t(row)].Get(y);
}

} // namespace TrafficPages

using TrafficPages::TPageData;

bool TXFieldsList::Add(const TXFieldItem &item)
{
    if (Count() >= kMax)
        return false;
    m_items.push_back(item);
    return true;
}

int TXFieldsList::UsedColumnCount() const
{
    int n = 0;
    for (const TXFieldItem &item : m_items)
        n += (item.LabelColumn1 != -1) + (item.LabelColumn2 != -1);
    return n;
}

bool TYFieldsList::Add(const TYFieldItem &item)
{
    if (Count() >= kMax)
        return false;
    m_items.push_back(item);
    return true;
}

int TYFieldsList::IndexOfColumn(int c) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].Column == c)
            return int(i) + 1;
    return -1;
}

bool TMultiYList::Add(const TMultiYItem &item)
{
    if (Count() >= kMax)
        return false;
    m_items.push_back(item);
    return true;
}

TCustomGraphData::TCustomGraphData() = default;
TCustomGraphData::TCustomGraphData(const TIntlSettings &formatter) : m_formatter(formatter) {}
TCustomGraphData::~TCustomGraphData() = default;

bool TCustomGraphData::LoadFromFile(const QString &, TProgressSink *) { return false; }

TPageData &TCustomGraphData::FindOrAddPage(const QString &key)
{
    const QString k = folded(key);
    const auto it = m_pageIndex.constFind(k);
    if (it != m_pageIndex.constEnd())
        return *m_pages[size_t(*it)];
    m_pages.push_back(std::make_unique<TPageData>());
    m_pageIndex.insert(k, int(m_pages.size()) - 1);
    return *m_pages.back();
}

TPageData *TCustomGraphData::Page(int i) { return i >= 0 && i < PageCount() ? m_pages[size_t(i)].get() : nullptr; }
const TPageData *TCustomGraphData::Page(int i) const
{
    return i >= 0 && i < PageCount() ? m_pages[size_t(i)].get() : nullptr;
}

QString TCustomGraphData::PageLabel(int page, int x, bool withTitle, bool both) const
{
    const TPageData *p = Page(page);
    const TXFieldItem *item = m_xItems.Item(x);
    if (!p || !item)
        return QString();
    auto part = [&](int column) {
        return column >= 0 && column < p->KeyParts().size() ? p->KeyParts()[column] : QString();
    };
    QString label = item->LabelColumn1 == -1 ? QString() : part(item->LabelColumn1);
    if (both && item->LabelColumn2 != -1)
        label += QLatin1Char(' ') + part(item->LabelColumn2);
    label = label.trimmed();
    if (withTitle)
        label = label.isEmpty() ? item->Title : item->Title + QStringLiteral(" : ") + label;
    return label;
}

QString TCustomGraphData::PageCaption(int page) const
{
    QStringList parts;
    for (int x = 1; x <= m_xItems.Count(); ++x) {
        const TXFieldItem *item = m_xItems.Item(x);
        if (item->LabelColumn1 < m_keyFieldCount && item->LabelColumn2 < m_keyFieldCount)
            parts.append(PageLabel(page, x, true, true));
    }
    return parts.join(QStringLiteral(", "));
}

double TCustomGraphData::MultiYMax(int m, int page) const
{
    const TMultiYItem *item = m_multiY.Item(m);
    const TPageData *p = Page(page);
    if (!item || !p)
        return 0;
    double max = 0;
    for (int y : item->YFields)
        max = std::max(max, p->Maxima().Get(y));
    return max;
}

QString TCustomGraphData::FormatValue(int y, double x) const { return FormatByKind(m_formatter, YFieldKind(y), x); }

void TCustomGraphData::FillClipboard(int page, TClipboardStrings &strings) const
{
    const TPageData *p = Page(page);
    const int xCount = m_xItems.Count();
    QString line = xCount > 0 ? QuoteCell(m_xItems.Item(1)->Title) : QString();
    for (int x = 2; x <= xCount; ++x)
        line += QLatin1Char('\t') + QuoteCell(m_xItems.Item(x)->Title);
    for (int y = 1; y <= m_yFields.Count(); ++y)
        line += QLatin1Char('\t') + QuoteCell(m_yFields.Item(y)->Title);
    if (!strings.Add(line) || !p)
        return;
    QString prefix;
    if (xCount >= 2) {
        prefix = QuoteCell(PageLabel(page, 1, false, true));
        for (int x = 2; x <= xCount - 1; ++x)
            prefix += QLatin1Char('\t') + QuoteCell(PageLabel(page, x, false, true));
        prefix += QLatin1Char('\t');
    }
    for (int r = 0; r < p->RowCount(); ++r) {
        line = prefix + QuoteCell(p->RowKey(r));
        for (int y = 1; y <= m_yFields.Count(); ++y)
            line += QLatin1Char('\t') + FormatValue(y, p->Row(r).Get(y));
        if (!strings.Add(line))
            return;
    }
}

void TCustomGraphData::CopyDataToClipboard(int page) const
{
    TClipboardStrings strings;
    FillClipboard(page, strings);
    strings.CopyToClipboard();
}

void TTrafficGraphData::handleDefinition(int code, QByteArray rest)
{
    switch (code) {
    case rcReportHeaderLine:
    case rcSubHeaderInfoLine: {
        for (int i = 0; i < 4; ++i)
            NextField(rest);
        const QString text = DecodeField(NextField(rest));
        if (!text.isEmpty())
            m_headerLines.append(text);
        break;
    }
    case grXField: {
        TXFieldItem item;
        item.LabelColumn1 = NextInt(rest, -1);
        item.LabelColumn2 = NextInt(rest, -1);
        item.Title = DecodeField(NextField(rest)).left(80);
        m_xItems.Add(item);
        break;
    }
    case grYColumn: {
        TYFieldItem item;
        item.Column = NextInt(rest, -1);
        item.Kind = NextInt(rest, ykDecimal);
        item.Title = JoinTitleParts(NextField(rest), 80);
        m_yFields.Add(item);
        break;
    }
    case grMultiY: {
        TMultiYItem item;
        item.Title = JoinTitleParts(NextField(rest), 80);
        while (!rest.isEmpty()) {
            const int y = NextInt(rest, 0);
            if (item.YFields.size() < 5)
                item.YFields.push_back(y);
        }
        m_multiY.Add(item);
        break;
    }
    case grIntlFormats:
        m_formatter.SetFromRecord(rest);
        break;
    default:
        break;
    }
}

QString TTrafficGraphData::rowKeyText(const QByteArray &bytes)
{
    const auto it = m_rowKeys.constFind(bytes);
    if (it != m_rowKeys.constEnd())
        return *it;
    const QString text = DecodeField(bytes);
    if (m_rowKeys.size() < 4096)
        m_rowKeys.insert(bytes, text);
    return text;
}

void TTrafficGraphData::addRecord(QByteArrayView line)
{
    const int n = m_keyFieldCount;
    TFieldReader fields(line);
    // The raw key fields; records of one page follow each other, so the page of the previous
    // record is tried first without decoding or folding anything.
    m_rawKey.clear();
    for (int i = 1; i <= n - 1; ++i) {
        m_rawKey += fields.Next();
        m_rawKey += char(0x1F);
    }
    if (!m_lastPage || m_rawKey != m_lastRawKey) {
        QStringList parts;
        parts.reserve(n);
        parts.append(QString());
        QString pageKey;
        const QList<QByteArray> raw = m_rawKey.split(char(0x1F));
        for (int i = 1; i <= n - 1; ++i) {
            const QString part = DecodeField(raw.at(i - 1));
            parts.append(part);
            // The parts are kept apart in the key, so "1"+"12" and "11"+"2" stay two pages.
            if (i > 1)
                pageKey += QChar(0x1F);
            pageKey += part;
        }
        m_lastPage = &FindOrAddPage(pageKey);
        m_lastRawKey = m_rawKey;
        m_lastParts = parts;
    }
    TPageData &page = *m_lastPage;
    const QByteArray rowBytes = n >= 1 ? fields.Next().toByteArray() : QByteArray();
    if (rowBytes.isEmpty())
        return;
    page.SetKeyPartsOnce(m_lastParts);
    const int row = page.FindOrAddRow(rowKeyText(rowBytes));
    for (int c = n + 1; !fields.AtEnd(); ++c) {
        const QByteArrayView bytes = fields.Next();
        const int y = m_yFields.IndexOfColumn(c);
        if (y < 0)
            continue;
        const int kind = m_yFields.Item(y)->Kind;
        if (kind > ykDecimal)
            continue;
        page.SetRowValue(row, y, ParseFieldByKind(m_formatter, kind, bytes));
    }
}

bool TTrafficGraphData::LoadFromFile(const QString &fileName, TProgressSink *progress)
{
    auto info = [](const QString &text) { ShowMessageBox(text, QString(), mkInformation, mbOK); };

    TSrpReader reader(fileName);
    if (!reader.Open()) {
        info(DisplayText(65));
        return false;
    }
    TRecordWalk walk = TRecordWalk::End;
    if (reader.ReadHeader()) {
        walk = WalkRecords(reader, progress, [&](int code, const QByteArray &rest) {
            if (code == rcData)
                return false;
            handleDefinition(code, rest);
            return true;
        });
    }
    if (walk == TRecordWalk::Cancelled) {
        reader.Close();
        return false;
    }
    if (walk != TRecordWalk::Stopped || m_xItems.Count() == 0 || m_yFields.Count() == 0) {
        reader.Close();
        info(DisplayFormat(16, {fileName}));
        return false;
    }
    m_keyFieldCount = m_xItems.UsedColumnCount();
    auto handleRecord = [&](int code, const QByteArray &rest) {
        if (code == rcData && !rest.trimmed().isEmpty())
            addRecord(rest);
    };
    // The first data record is the reader's current one.
    handleRecord(reader.RecordCode(), reader.RecordRest());
    if (WalkRecords(reader, progress, handleRecord) == TRecordWalk::Cancelled) {
        reader.Close();
        return false;
    }
    reader.Close();
    return true;
}

bool IsTrafficReport(const QString &fileName)
{
    TSrpReader reader(fileName);
    if (!reader.Open() || !reader.ReadHeader())
        return false;
    while (reader.ReadRecord()) {
        if (reader.RecordCode() == rcTrafficGraph)
            return true;
        if (reader.RecordCode() == rcData)
            return false;
    }
    return false;
}
