#include "report/SrpReader.h"

#include "report/RecordStream.h"

TReportHeader ParseHeaderLine(const QByteArray &storedLine)
{
    // Plain splitting at commas: no quotes, no trimming.
    const QList<QByteArray> fields = ScrambleLine(storedLine).split(',');
    auto field = [&](int n) { return n <= fields.size() ? fields[n - 1] : QByteArray(); };
    TReportHeader header;
    const QByteArray options = field(2).left(5);
    header.Scrambled = options.size() >= 3 && options[2] == 'Y';
    header.ReportAuthor = field(3).left(7);
    header.RequiredViewerVersion = FieldToInt(field(5), 1);
    return header;
}

TSrpReader::TSrpReader(const QString &fileName)
    : m_file(fileName)
{
}

bool TSrpReader::Open()
{
    m_file.Close();
    return m_file.Open();
}

void TSrpReader::Close() { m_file.Close(); }

bool TSrpReader::ReadHeader()
{
    if (!m_file.ReadLine(m_storedHeader))
        return false;
    m_header = ParseHeaderLine(m_storedHeader);
    return true;
}

bool TSrpReader::ReadRecord()
{
    if (!m_file.ReadLine(m_stored))
        return false;
    m_rest = m_header.Scrambled ? ScrambleLine(m_stored) : m_stored;
    m_code = FieldToInt(NextField(m_rest), 0);
    return true;
}
