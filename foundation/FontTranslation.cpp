#include "foundation/FontTranslation.h"

#include "foundation/FontSpec.h"
#include "foundation/IniFile.h"
#include "foundation/Numbers.h"
#include "foundation/Paths.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

struct TranslationList {
    QHash<QString, QString> entries; // lower-case font name -> value
    bool empty = true;
};

TranslationList &list()
{
    static TranslationList l;
    return l;
}

} // namespace

void SetFontTranslation(const QStringList &entries)
{
    TranslationList l;
    for (const QString &line : entries) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (!l.entries.contains(key))
            l.entries.insert(key, line.mid(eq + 1).trimmed());
    }
    l.empty = entries.isEmpty();
    list() = l;
}

void LoadFontTranslation(const QString &settingsFile, const QString &section)
{
    SetFontTranslation({});
    const QString language = IniReadString(settingsFile, section, QStringLiteral("DB_LANGUAGE"), QStringLiteral("ENG"));
    const QString trnsfont = FileInDir(ProgramDir(), QStringLiteral("TRNSFONT.INI"));
    if (!QFileInfo::exists(trnsfont))
        return;
    QStringList values;
    IniReadSectionValues(trnsfont, language, values);
    SetFontTranslation(values);
}

bool FontTranslationActive() { return !list().empty; }

bool TranslateFont(QString &name, int &size)
{
    if (list().empty)
        return false;
    QString value = list().entries.value(name.toLower());
    if (value.isEmpty())
        value = list().entries.value(QStringLiteral("default"));
    if (value.isEmpty())
        return false;
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    if (comma < 0) {
        name = value;
        return true;
    }
    name = value.left(comma);
    // The step and the size come from files: both stay where their sum cannot overflow.
    const int step = std::clamp(ParseIntegerOr(QStringView(value).mid(comma + 1, 99).trimmed(), 0), -kMaxFontSize, kMaxFontSize);
    size = std::clamp(size, -kMaxFontSize, kMaxFontSize) + step;
    return true;
}

bool TranslateFont(QFont &font)
{
    QString name = font.family();
    const bool points = font.pointSize() > 0;
    int size = points ? font.pointSize() : font.pixelSize();
    const int before = size;
    if (!TranslateFont(name, size))
        return false;
    font.setFamily(name);
    if (points)
        font.setPointSize(qMax(1, size));
    else
        font.setPixelSize(qMax(1, before + (size - before) * 96 / 72));
    return true;
}
