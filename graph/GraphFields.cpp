#include "graph/GraphFields.h"

namespace {
bool isBlank(char c) { return uchar(c) <= 32; }
} // namespace

void TFieldReader::trim()
{
    qsizetype begin = 0, end = m_rest.size();
    while (begin < end && isBlank(m_rest[begin]))
        ++begin;
    while (end > begin && isBlank(m_rest[end - 1]))
        --end;
    m_rest = m_rest.sliced(begin, end - begin);
}

bool TFieldReader::AtEnd()
{
    trim();
    return m_rest.isEmpty();
}

QByteArrayView TFieldReader::Next()
{
    trim();
    if (m_rest.isEmpty())
        return {};
    if (m_rest[0] == '"') {
        m_quoted.clear();
        qsizetype i = 1;
        for (; i < m_rest.size(); ++i) {
            if (m_rest[i] != '"') {
                m_quoted += m_rest[i];
            } else if (i + 1 < m_rest.size() && m_rest[i + 1] == '"') {
                m_quoted += '"';
                ++i;
            } else {
                break;
            }
        }
        if (i >= m_rest.size()) {
            m_rest = {};
            return m_quoted;
        }
        const qsizetype sep = m_rest.indexOf(',', i + 1);
        m_rest = sep < 0 ? QByteArrayView() : m_rest.sliced(sep + 1);
        return m_quoted;
    }
    const qsizetype sep = m_rest.indexOf(',');
    QByteArrayView value;
    if (sep < 0) {
        value = m_rest;
        m_rest = {};
    } else {
        value = m_rest.first(sep);
        m_rest = m_rest.sliced(sep + 1);
    }
    qsizetype begin = 0, end = value.size();
    while (begin < end && isBlank(value[begin]))
        ++begin;
    while (end > begin && isBlank(value[end - 1]))
        --end;
    return value.sliced(begin, end - begin);
}
