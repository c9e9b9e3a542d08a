#pragma once
// A field splitter over a record line that copies nothing: the same fields as NextField
// (trimmed, double quotes honoured, one comma consumed), for readers that split millions of
// data records.
#include <QByteArray>
#include <QByteArrayView>

class TFieldReader
{
public:
    explicit TFieldReader(QByteArrayView line) : m_rest(line) {}
    // Whether the rest holds nothing but blanks (NextField would give only empty fields).
    bool AtEnd();
    // The next field; a quoted field's view stays valid until the next call.
    QByteArrayView Next();

private:
    void trim();
    QByteArrayView m_rest;
    QByteArray m_quoted;
};
