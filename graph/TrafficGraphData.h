#pragma once
// The figures of a traffic report (record 950): data rows grouped into pages by their
// leading fields, each row named by the next field (a time of day) and holding up to five
// values; named combinations of values (multi-Y items) are what the window draws.
#include "graph/GraphFormatter.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TProgressSink;
class TClipboardStrings;

// Five values, indexes 1..5; outside reads 0 and writes nothing.
class TYValues
{
public:
    double Get(int y) const { return y >= 1 && y <= 5 ? m_values[y - 1] : 0; }
    void Set(int y, double x)
    {
        if (y >= 1 && y <= 5)
            m_values[y - 1] = x;
    }

private:
    double m_values[5] = {0, 0, 0, 0, 0};
};

namespace TrafficPages {

// One page: rows by key (letter case ignored), in order of first appearance.
class TPageData
{
public:
    void SetValue(const QString &rowKey, int y, double x);
    double Value(const QString &rowKey, int y) const;
    int RowCount() const { return int(m_keys.size()); }
    const QString &RowKey(int i) const { return m_keys[size_t(i)]; }
    const TYValues &Row(int i) const { return m_values[size_t(i)]; }
    // The row of that key, or -1.
    int IndexOf(const QString &rowKey) const;
    // Entry 0 empty, 1..N-1 the leading fields of the page's first data record.
    const QStringList &KeyParts() const { return m_keyParts; }
    // Kept from the first record that sets them.
    void SetKeyPartsOnce(const QStringList &parts)
    {
        if (m_keyParts.isEmpty())
            m_keyParts = parts;
    }
    // The largest value of each Y field on the page (0 when all are below).
    const TYValues &Maxima() const { return m_maxima; }

    // Finds or appends the row; for readers that set several values of one row.
    int FindOrAddRow(const QString &rowKey);
    void SetRowValue(int row, int y, double x);

private:
    std::vector<QString> m_keys;
    std::vector<TYValues> m_values;
    QHash<QString, int> m_index; // folded key -> row, built once a page grows past a few rows
    QStringList m_keyParts;
    TYValues m_maxima;
};

} // namespace TrafficPages

struct TXFieldItem {
    int LabelColumn1 = -1;
    int LabelColumn2 = -1;
    QString Title;
};

struct TYFieldItem {
    int Column = -1;
    int Kind = ykDecimal;
    QString Title;
};

struct TMultiYItem {
    QString Title;
    std::vector<int> YFields; // at most 5 Y field numbers
};

class TXFieldsList
{
public:
    static constexpr int kMax = 7;
    int Count() const { return int(m_items.size()); }
    const TXFieldItem *Item(int i) const { return i >= 1 && i <= Count() ? &m_items[size_t(i - 1)] : nullptr; }
    bool Add(const TXFieldItem &item);
    int UsedColumnCount() const;

private:
    std::vector<TXFieldItem> m_items;
};

class TYFieldsList
{
public:
    static constexpr int kMax = 5;
    int Count() const { return int(m_items.size()); }
    const TYFieldItem *Item(int i) const { return i >= 1 && i <= Count() ? &m_items[size_t(i - 1)] : nullptr; }
    bool Add(const TYFieldItem &item);
    // The first Y field (from 1) whose column is c, or -1.
    int IndexOfColumn(int c) const;

private:
    std::vector<TYFieldItem> m_items;
};

class TMultiYList
{
public:
    static constexpr int kMax = 7;
    int Count() const { return int(m_items.size()); }
    const TMultiYItem *Item(int i) const { return i >= 1 && i <= Count() ? &m_items[size_t(i - 1)] : nullptr; }
    QString Title(int i) const { return Item(i) ? Item(i)->Title : QString(); }
    bool Add(const TMultiYItem &item);

private:
    std::vector<TMultiYItem> m_items;
};

class TCustomGraphData
{
public:
    TCustomGraphData();
    explicit TCustomGraphData(const TIntlSettings &formatter);
    virtual ~TCustomGraphData();

    virtual bool LoadFromFile(const QString &fileName, TProgressSink *progress = nullptr);

    TrafficPages::TPageData &FindOrAddPage(const QString &key);
    TrafficPages::TPageData *Page(int i);
    const TrafficPages::TPageData *Page(int i) const;
    int PageCount() const { return int(m_pages.size()); }

    QString PageLabel(int page, int x, bool withTitle, bool both) const;
    QString PageCaption(int page) const;
    double MultiYMax(int m, int page) const;
    QString FormatValue(int y, double x) const;
    int YFieldKind(int y) const { return m_yFields.Item(y) ? m_yFields.Item(y)->Kind : -1; }

    void FillClipboard(int page, TClipboardStrings &strings) const;
    void CopyDataToClipboard(int page) const;

    const TMultiYList &MultiYItems() const { return m_multiY; }
    const TXFieldsList &XItems() const { return m_xItems; }
    const TYFieldsList &YFields() const { return m_yFields; }
    const QStringList &HeaderLines() const { return m_headerLines; }
    const TIntlSettings &Formatter() const { return m_formatter; }
    int KeyFieldCount() const { return m_keyFieldCount; }

protected:
    std::vector<std::unique_ptr<TrafficPages::TPageData>> m_pages;
    QHash<QString, int> m_pageIndex; // folded page key -> page
    TMultiYList m_multiY;
    TXFieldsList m_xItems;
    TYFieldsList m_yFields;
    TIntlSettings m_formatter;
    QStringList m_headerLines;
    int m_keyFieldCount = 0;
};

class TTrafficGraphData : public TCustomGraphData
{
public:
    using TCustomGraphData::TCustomGraphData;
    bool LoadFromFile(const QString &fileName, TProgressSink *progress = nullptr) override;

private:
    void handleDefinition(int code, QByteArray rest);
    void addRecord(QByteArrayView line);
    QString rowKeyText(const QByteArray &bytes);

    QHash<QByteArray, QString> m_rowKeys; // shares the text of row keys that repeat on every page
    TrafficPages::TPageData *m_lastPage = nullptr;
    QByteArray m_lastRawKey;
    QByteArray m_rawKey;
    QStringList m_lastParts;
};

// Whether the report declares a traffic graph (record 950 before its first data record).
bool IsTrafficReport(const QString &fileName);
