#pragma once
// Report files for the graph tests and a recorder of the messages the code shows.
#include "foundation/Messages.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QStringList>

// Collects every message instead of showing it; restores the default handler when destroyed.
class TMessageRecorder
{
public:
    TMessageRecorder()
    {
        SetMessageHandler([this](const QString &text, const QString &, int kind, int) {
            m_texts.append(text);
            m_kinds.append(kind);
            return int(mrOk);
        });
    }
    ~TMessageRecorder() { SetMessageHandler({}); }
    // The messages shown so far and their kinds, in order.
    const QStringList &Texts() const { return m_texts; }
    const QList<int> &Kinds() const { return m_kinds; }

private:
    QStringList m_texts;
    QList<int> m_kinds;
};

// A small graph file: calls and cost per extension, with a Hebrew title.
inline QByteArray CallsGraphFile(int points = 5)
{
    QList<QByteArray> lines = {
        "905,1",
        "916,1",
        W1255("400,1,C,0,0,דוח שיחות לפי שלוחה"),
        "700,1,-1,Extension",
        W1255("701,2,0,שיחות"),
        W1255("701,3,3,זמן"),
        W1255("701,4,2,עלות"),
    };
    for (int p = 1; p <= points; ++p)
        lines.append(QByteArray("100,") + QByteArray::number(200 + p) + "," + QByteArray::number(p * 3) + ",0" +
                     QByteArray::number(p) + ":1" + QByteArray::number(p) + "," + QByteArray::number(p * 1.25, 'f', 2));
    return MakeReport(lines);
}

// A traffic report: pages by extension, hourly rows, calls and talk time.
inline QByteArray TrafficFile(int extensions = 2, int hours = 24)
{
    QList<QByteArray> lines = {
        "905,1",
        "950",
        W1255("400,1,C,0,0,דוח תנועה"),
        W1255("700,1,-1,שלוחה"),
        W1255("700,2,-1,שעה"),
        W1255("701,3,0,שיחות"),
        W1255("701,4,4,זמן שיחה"),
        W1255("701,5,6,עומס"),
        W1255("703,שיחות ועומס,1,3"),
        W1255("703,זמן,2"),
    };
    for (int e = 0; e < extensions; ++e)
        for (int h = 0; h < hours; ++h)
            lines.append("100," + QByteArray::number(201 + e) + "," + QByteArray::number(h).rightJustified(2, '0') +
                         ":00," + QByteArray::number((h * 7 + e) % 13) + ",0:" + QByteArray::number(h + 10) + "," +
                         QByteArray::number(0.05 * h, 'f', 2));
    return MakeReport(lines);
}
