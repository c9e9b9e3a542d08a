#pragma once
// The record field splitter of the report reader (NextField), walking a line in place:
// the same fields, trimmed and unquoted the same way, but without a copy of the rest of the
// line per field. Long exports split millions of lines with it.
#include <QByteArrayView>
#include <string>

class TFieldCursor
{
public:
    explicit TFieldCursor(QByteArrayView line)
        : m_p(line.data()), m_end(line.data() + line.size())
    {
        // Trimming the end of the rest is the same for every field: do it once.
        m_trimmedEnd = m_end;
        while (m_trimmedEnd > m_p && isBlank(m_trimmedEnd[-1]))
            --m_trimmedEnd;
    }

    // Whether NextField would find the rest not empty. NextField trims the rest in place,
    // so trailing blanks never count as a further field.
    bool HasRest() const { return m_p < m_trimmedEnd; }

    // The next field. Unquoted fields point into the line; quoted ones with doubled quotes
    // are unescaped into scratch, which the view then points into.
    QByteArrayView Next(std::string &scratch, char separator = ',')
    {
        const char *p = m_p;
        while (p < m_trimmedEnd && isBlank(*p))
            ++p;
        if (p >= m_trimmedEnd) {
            m_p = m_end;
            return {};
        }
        if (*p == '"') {
            scratch.clear();
            const char *i = p + 1;
            for (; i < m_trimmedEnd; ++i) {
                if (*i != '"') {
                    scratch += *i;
                } else if (i + 1 < m_trimmedEnd && i[1] == '"') {
                    scratch += '"';
                    ++i;
                } else {
                    break;
                }
            }
            if (i >= m_trimmedEnd) {
                m_p = m_end;
            } else {
                const char *sep = find(i + 1, m_trimmedEnd, separator);
                m_p = sep ? sep + 1 : m_end;
            }
            return QByteArrayView(scratch.data(), qsizetype(scratch.size()));
        }
        const char *sep = find(p, m_trimmedEnd, separator);
        const char *valueEnd = sep ? sep : m_trimmedEnd;
        m_p = sep ? sep + 1 : m_end;
        while (valueEnd > p && isBlank(valueEnd[-1]))
            --valueEnd;
        return QByteArrayView(p, valueEnd - p);
    }

    static bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

private:
    static const char *find(const char *from, const char *to, char c)
    {
        for (; from < to; ++from)
            if (*from == c)
                return from;
        return nullptr;
    }

    const char *m_p;
    const char *m_end;
    const char *m_trimmedEnd;
};
