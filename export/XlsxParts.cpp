#include "export/XlsxParts.h"

#include <cstdio>

namespace {

constexpr char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kMainNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char kRelationshipTypes[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr int kFirstCustomFormat = 164;
// Far above the names, departments and call types of any report; a listing's unique phone
// numbers fill it and the rest are written into their cells.
constexpr qsizetype kMaxSharedStrings = 100000;
constexpr qint64 kMaxSharedBytes = 8 * 1024 * 1024;

QByteArray number(qint64 n) { return QByteArray::number(n); }

} // namespace

void AppendXmlText(std::string &out, QByteArrayView utf8, bool attribute)
{
    const char *plain = utf8.data(); // start of the characters that need no escape
    const char *end = utf8.data() + utf8.size();
    for (const char *p = plain; p != end; ++p) {
        const char c = *p;
        const bool control = uchar(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
        if (c != '&' && c != '<' && c != '>' && !(attribute && c == '"') && !control)
            continue;
        out.append(plain, size_t(p - plain));
        plain = p + 1;
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else {
            char code[8];
            std::snprintf(code, sizeof code, "_x%04X_", uchar(c));
            out += code;
        }
    }
    out.append(plain, size_t(end - plain));
}

void AppendXmlText(std::string &out, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            if (c == '&' || c == '<' || c == '>' || (c < 0x20 && c != '\t' && c != '\n' && c != '\r')) {
                const char ascii = char(c);
                AppendXmlText(out, QByteArrayView(&ascii, 1));
            } else {
                out += char(c);
            }
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            const char32_t u = QChar::surrogateToUcs4(c, text[++i].unicode());
            out += char(0xF0 | (u >> 18));
            out += char(0x80 | ((u >> 12) & 0x3F));
            out += char(0x80 | ((u >> 6) & 0x3F));
            out += char(0x80 | (u & 0x3F));
        } else {
            const char16_t u = QChar::isSurrogate(c) ? char16_t(0xFFFD) : c; // a lone half of a pair
            out += char(0xE0 | (u >> 12));
            out += char(0x80 | ((u >> 6) & 0x3F));
            out += char(0x80 | (u & 0x3F));
        }
    }
}

void AppendXmlText(QByteArray &out, QByteArrayView utf8, bool attribute)
{
    std::string escaped;
    AppendXmlText(escaped, utf8, attribute);
    out.append(escaped.data(), qsizetype(escaped.size()));
}

int TXlsxStyles::NumberStyle(const QString &format, bool bold)
{
    int formatId = m_formatIds.value(format, -1);
    if (formatId < 0) {
        formatId = kFirstCustomFormat + int(m_formats.size());
        m_formats.append(format);
        m_formatIds.insert(format, formatId);
    }
    const QPair<int, bool> key(formatId, bold);
    int xf = m_xfIds.value(key, -1);
    if (xf < 0) {
        xf = int(m_xfs.size());
        m_xfs.append({formatId, bold});
        m_xfIds.insert(key, xf);
    }
    return xf;
}

QByteArray TXlsxStyles::Xml() const
{
    QByteArray xml = kXmlDeclaration;
    xml += QByteArray("<styleSheet xmlns=\"") + kMainNamespace + "\">";
    if (!m_formats.isEmpty()) {
        xml += "<numFmts count=\"" + number(m_formats.size()) + "\">";
        for (qsizetype i = 0; i < m_formats.size(); ++i) {
            xml += "<numFmt numFmtId=\"" + number(kFirstCustomFormat + i) + "\" formatCode=\"";
            AppendXmlText(xml, m_formats[i].toUtf8(), true);
            xml += "\"/>";
        }
        xml += "</numFmts>";
    }
    xml += "<fonts count=\"2\">"
           "<font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font>"
           "<font><b/><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + number(m_xfs.size()) + "\">";
    for (const TXf &xf : m_xfs) {
        xml += "<xf numFmtId=\"" + number(xf.numFmt) + "\" fontId=\"" + (xf.bold ? "1" : "0")
               + "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"";
        if (xf.numFmt)
            xml += " applyNumberFormat=\"1\"";
        if (xf.bold)
            xml += " applyFont=\"1\"";
        xml += "/>";
    }
    xml += "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
    return xml;
}

int TXlsxSharedStrings::IndexOf(QStringView text, bool *added)
{
    auto it = m_index.find(text);
    if (added)
        *added = it == m_index.end();
    if (it == m_index.end()) {
        if (m_order.size() >= kMaxSharedStrings || m_bytes + text.size() * 3 > kMaxSharedBytes)
            return -1;
        it = m_index.emplace(text.toString(), int(m_order.size())).first;
        m_order.append(text.toUtf8());
        m_bytes += m_order.last().size() + text.size() * 2; // the table and its index
    }
    ++m_references;
    return it->second;
}

QByteArray TXlsxSharedStrings::Xml() const
{
    QByteArray xml = kXmlDeclaration;
    xml += QByteArray("<sst xmlns=\"") + kMainNamespace + "\" count=\"" + number(m_references) + "\" uniqueCount=\""
           + number(m_order.size()) + "\">";
    for (const QByteArray &text : m_order) {
        xml += "<si><t>";
        AppendXmlText(xml, text);
        xml += "</t></si>";
    }
    xml += "</sst>";
    return xml;
}

QByteArray XlsxContentTypes(int sheets, bool sharedStrings)
{
    QByteArray xml = kXmlDeclaration;
    xml += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/xl/workbook.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
           "<Override PartName=\"/xl/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    if (sharedStrings)
        xml += "<Override PartName=\"/xl/sharedStrings.xml\" "
               "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    for (int i = 1; i <= sheets; ++i)
        xml += "<Override PartName=\"/xl/worksheets/sheet" + number(i)
               + ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    xml += "</Types>";
    return xml;
}

QByteArray XlsxPackageRelationships()
{
    return QByteArray(kXmlDeclaration)
           + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
             "<Relationship Id=\"rId1\" Type=\""
           + kRelationshipTypes + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
}

QByteArray XlsxWorkbookRelationships(int sheets, bool sharedStrings)
{
    QByteArray xml = kXmlDeclaration;
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (int i = 1; i <= sheets; ++i)
        xml += "<Relationship Id=\"rId" + number(i) + "\" Type=\"" + kRelationshipTypes
               + "worksheet\" Target=\"worksheets/sheet" + number(i) + ".xml\"/>";
    xml += "<Relationship Id=\"rId" + number(sheets + 1) + "\" Type=\"" + kRelationshipTypes
           + "styles\" Target=\"styles.xml\"/>";
    if (sharedStrings)
        xml += "<Relationship Id=\"rId" + number(sheets + 2) + "\" Type=\"" + kRelationshipTypes
               + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    xml += "</Relationships>";
    return xml;
}

QByteArray XlsxWorkbook(const QStringList &sheetNames)
{
    QByteArray xml = kXmlDeclaration;
    xml += QByteArray("<workbook xmlns=\"") + kMainNamespace
           + "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
             "<bookViews><workbookView/></bookViews><sheets>";
    for (qsizetype i = 0; i < sheetNames.size(); ++i) {
        xml += "<sheet name=\"";
        AppendXmlText(xml, sheetNames[i].toUtf8(), true);
        xml += "\" sheetId=\"" + number(i + 1) + "\" r:id=\"rId" + number(i + 1) + "\"/>";
    }
    xml += "</sheets></workbook>";
    return xml;
}
