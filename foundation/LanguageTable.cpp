#include "foundation/LanguageTable.h"

#include <QFile>
#include <QHash>
#include <QMutex>

namespace {

struct TStringTable {
    QHash<int, QString> texts;
    bool loaded = false;
};

TStringTable &table()
{
    static TStringTable t;
    return t;
}

QMutex &tableMutex()
{
    static QMutex m;
    return m;
}

void load(TStringTable &t)
{
    QFile file(QStringLiteral(":/texts.txt"));
    if (file.open(QIODevice::ReadOnly)) {
        const QString all = QString::fromUtf8(file.readAll());
        for (const QString &line : all.split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype bar = line.indexOf(QLatin1Char('|'));
            if (bar <= 0)
                continue;
            bool ok = false;
            const int number = line.left(bar).toInt(&ok);
            if (ok)
                t.texts.insert(number, line.mid(bar + 1).replace(QLatin1String("\\n"), QLatin1String("\n")));
        }
    }
    t.loaded = true;
}

} // namespace

void InitLanguageTable()
{
    QMutexLocker lock(&tableMutex());
    if (!table().loaded)
        load(table());
}

void ReleaseLanguageTable()
{
    QMutexLocker lock(&tableMutex());
    table().texts.clear();
    table().loaded = false;
}

QString LookupText(int number)
{
    QMutexLocker lock(&tableMutex());
    if (!table().loaded)
        load(table());
    return table().texts.value(number);
}

QString LanguageCode() { return QString(); }

QString FormatText(const QString &pattern, const QStringList &values)
{
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == QLatin1Char('%') && i + 1 < pattern.size()) {
            const QChar kind = pattern[i + 1];
            if (kind == QLatin1Char('s') || kind == QLatin1Char('d')) {
                out += next < values.size() ? values[next] : QString();
                ++next;
                ++i;
                continue;
            }
            if (kind == QLatin1Char('%')) {
                out += QLatin1Char('%');
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}
