#pragma once
// The parts of a workbook besides its sheets: the cell styles met while writing (bold, and
// the number formats the cells need), the table of repeated texts, and the package's fixed
// files that list the sheets.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <unordered_map>

// XML text with & < > escaped (and " in attributes); control characters a sheet cannot
// hold are written as _xHHHH_, as spreadsheets do.
void AppendXmlText(std::string &out, QByteArrayView utf8, bool attribute = false);
// The same for text, written as UTF-8.
void AppendXmlText(std::string &out, QStringView text);
void AppendXmlText(QByteArray &out, QByteArrayView utf8, bool attribute = false);

// Cell styles, numbered as the sheet's s="n" refers to them. 0 is plain, 1 bold.
class TXlsxStyles
{
public:
    static constexpr int kPlain = 0;
    static constexpr int kBold = 1;
    int NumberStyle(const QString &format, bool bold);
    QByteArray Xml() const;

private:
    struct TXf {
        int numFmt = 0;
        bool bold = false;
    };
    QList<TXf> m_xfs = {{0, false}, {0, true}};
    QStringList m_formats; // numFmtId 164 and up
    QHash<QString, int> m_formatIds;
    QHash<QPair<int, bool>, int> m_xfIds;
};

// Texts that come again and again (names, departments, call types) are written once and
// referred to by number. The table is bounded, so memory stays flat: once full, new texts
// are written into their cells.
class TXlsxSharedStrings
{
public:
    // The text's number in the table, or -1 when it goes into its cell; *added tells
    // whether the text was new.
    int IndexOf(QStringView text, bool *added = nullptr);
    bool IsEmpty() const { return m_order.isEmpty(); }
    qint64 References() const { return m_references; }
    QByteArray Xml() const;

private:
    // Looked up by views into the rows, so a text already in the table costs no copy.
    struct TTextHash {
        using is_transparent = void;
        size_t operator()(QStringView text) const { return qHash(text); }
    };
    std::unordered_map<QString, int, TTextHash, std::equal_to<>> m_index;
    QList<QByteArray> m_order; // UTF-8
    qint64 m_bytes = 0;
    qint64 m_references = 0;
};

// [Content_Types].xml, the relationships and xl/workbook.xml for sheets with these names.
QByteArray XlsxContentTypes(int sheets, bool sharedStrings);
QByteArray XlsxPackageRelationships();
QByteArray XlsxWorkbookRelationships(int sheets, bool sharedStrings);
QByteArray XlsxWorkbook(const QStringList &sheetNames);
