#include "foundation/IniFile.h"

#include "foundation/Codepages.h"
#include "foundation/InputFile.h"
#include "foundation/Numbers.h"
#include "foundation/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <algorithm>

namespace {

constexpr int kMaxValueLength = 2047;
constexpr int kReadAttempts = 20;
constexpr int kWriteAttempts = 21;
constexpr int kRetryPauseMs = 100;

std::function<void(int)> &sleepFunction()
{
    static std::function<void(int)> sleep = [](int ms) { QThread::msleep(ms); };
    return sleep;
}

// One line of the file as stored, with what it means.
struct IniLine {
    enum Kind { Other, Section, Value } kind = Other;
    QString name;   // section name or key, trimmed
    QString value;  // for values: trimmed, quotes removed
};

IniLine classify(const QByteArray &raw)
{
    IniLine line;
    const QString text = FromWin1255(raw).trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        line.kind = IniLine::Section;
        line.name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    if (text.startsWith(QLatin1Char(';')))
        return line;
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return line;
    line.kind = IniLine::Value;
    line.name = text.left(eq).trimmed();
    QString value = text.mid(eq + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    line.value = value.left(kMaxValueLength);
    return line;
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The file split into lines, each kept with its own line end so untouched lines are
// written back exactly as they were.
struct IniDocument {
    QList<QByteArray> lines; // each including its line end, if it had one
    QByteArray newline = "\r\n";

    static IniDocument parse(const QByteArray &bytes)
    {
        IniDocument doc;
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            end = end < 0 ? bytes.size() : end + 1;
            doc.lines.append(bytes.mid(start, end - start));
            start = end;
        }
        const qsizetype firstLf = bytes.indexOf('\n');
        if (firstLf >= 0 && (firstLf == 0 || bytes[firstLf - 1] != '\r'))
            doc.newline = "\n";
        return doc;
    }

    static QByteArray content(const QByteArray &line)
    {
        qsizetype n = line.size();
        while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r'))
            --n;
        return line.left(n);
    }

    // Index of the first line of the first section of that name, or -1.
    qsizetype findSection(const QString &section) const
    {
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const IniLine l = classify(content(lines[i]));
            if (l.kind == IniLine::Section && sameName(l.name, section))
                return i;
        }
        return -1;
    }

    // Visits the value lines of the first section of that name until the callback says stop.
    template <typename F>
    void forEachValue(const QString &section, F &&visit) const
    {
        const qsizetype head = findSection(section);
        if (head < 0)
            return;
        for (qsizetype i = head + 1; i < lines.size(); ++i) {
            const IniLine l = classify(content(lines[i]));
            if (l.kind == IniLine::Section)
                return;
            if (l.kind == IniLine::Value && !visit(i, l))
                return;
        }
    }

    QByteArray toBytes() const
    {
        QByteArray out;
        for (const QByteArray &l : lines)
            out += l;
        return out;
    }
};

enum class LoadResult { Loaded, Missing, Failed };

// A settings file is a few kilobytes; anything larger is no settings file of ours.
constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;

// Only a regular file that exists and could not be read this time is worth reading again: a
// folder, a device, a dangling link or a file without permission count as missing at once.
LoadResult loadFile(const QString &fileName, QByteArray &bytes)
{
    switch (ReadSmallRegularFile(fileName, kMaxSettingsFileBytes, bytes)) {
    case TInputCheck::Ok:
        return LoadResult::Loaded;
    case TInputCheck::Unreadable:
        return LoadResult::Failed;
    default:
        bytes.clear();
        return LoadResult::Missing;
    }
}

} // namespace

TVelaIniFile::TVelaIniFile(const QString &fileName)
    : m_fileName(fileName)
{
}

void TVelaIniFile::SetSleepFunction(std::function<void(int)> sleep)
{
    sleepFunction() = sleep ? std::move(sleep) : [](int ms) { QThread::msleep(ms); };
}

TVelaIniFile::RawValue TVelaIniFile::RawRead(const QString &section, const QString &key,
                                             const QString &defaultValue)
{
    RawValue result;
    QByteArray bytes;
    switch (loadFile(m_fileName, bytes)) {
    case LoadResult::Failed:
        result.error = true;
        return result;
    case LoadResult::Missing:
        result.value = defaultValue;
        return result;
    case LoadResult::Loaded:
        break;
    }
    result.value = defaultValue;
    IniDocument::parse(bytes).forEachValue(section, [&](qsizetype, const IniLine &l) {
        if (!sameName(l.name, key))
            return true;
        result.value = l.value;
        return false;
    });
    return result;
}

bool TVelaIniFile::RawWrite(const QString &section, const QString &key, const QString &value)
{
    QByteArray bytes;
    // A node that is no regular file is never replaced by settings.
    if (loadFile(m_fileName, bytes) == LoadResult::Failed || IsNonRegularNode(m_fileName))
        return false;
    IniDocument doc = IniDocument::parse(bytes);
    const QByteArray encodedValue = ToWin1255(value);

    qsizetype keyLine = -1;
    doc.forEachValue(section, [&](qsizetype i, const IniLine &l) {
        if (!sameName(l.name, key))
            return true;
        keyLine = i;
        return false;
    });

    if (keyLine >= 0) {
        // Keep the key as it is spelled in the file and the line's own line end.
        const QByteArray &old = doc.lines[keyLine];
        const QByteArray oldContent = IniDocument::content(old);
        const qsizetype eq = oldContent.indexOf('=');
        doc.lines[keyLine] = oldContent.left(eq + 1) + encodedValue + old.mid(oldContent.size());
    } else {
        const QByteArray newLine = ToWin1255(key) + '=' + encodedValue + doc.newline;
        const qsizetype head = doc.findSection(section);
        if (doc.lines.isEmpty() == false && !doc.lines.last().endsWith('\n'))
            doc.lines.last() += doc.newline;
        if (head < 0) {
            doc.lines.append('[' + ToWin1255(section) + ']' + doc.newline);
            doc.lines.append(newLine);
        } else {
            // After the section's last non-blank line, so blank separator lines stay below it.
            qsizetype insertAt = head + 1;
            for (qsizetype i = head + 1; i < doc.lines.size(); ++i) {
                const QByteArray content = IniDocument::content(doc.lines[i]).trimmed();
                if (classify(content).kind == IniLine::Section)
                    break;
                if (!content.isEmpty())
                    insertAt = i + 1;
            }
            doc.lines.insert(insertAt, newLine);
        }
    }

    QSaveFile out(m_fileName);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(doc.toBytes());
    return out.commit();
}

QString TVelaIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue)
{
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        const RawValue raw = RawRead(section, key, defaultValue);
        if (!raw.error || !raw.value.isEmpty() || defaultValue.isEmpty())
            return raw.value;
        sleepFunction()(kRetryPauseMs);
    }
    return defaultValue;
}

bool TVelaIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        if (attempt > 0)
            sleepFunction()(kRetryPauseMs);
        if (RawWrite(section, key, value))
            return true;
    }
    return false;
}

int TVelaIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue)
{
    return ParseIntegerOr(ReadString(section, key, QString()), defaultValue);
}

bool TVelaIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TVelaIniFile::ReadYesNo(const QString &section, const QString &key, bool defaultValue)
{
    const QString value = ReadString(section, key, QString()).toUpper();
    return defaultValue ? value != QLatin1String("N") : value == QLatin1String("Y");
}

bool TVelaIniFile::WriteYesNo(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("Y") : QStringLiteral("N"));
}

TColor TVelaIniFile::ReadColor(const QString &section, const QString &key, TColor defaultValue)
{
    return ParseColor(ReadString(section, key, QString()), defaultValue);
}

bool TVelaIniFile::WriteColor(const QString &section, const QString &key, TColor value)
{
    return WriteString(section, key, FormatColor(value));
}

QStringList TVelaIniFile::ReadSections()
{
    QStringList sections;
    QByteArray bytes;
    if (loadFile(m_fileName, bytes) != LoadResult::Loaded)
        return sections;
    const IniDocument doc = IniDocument::parse(bytes);
    for (const QByteArray &l : doc.lines) {
        const IniLine line = classify(IniDocument::content(l));
        if (line.kind == IniLine::Section && !sections.contains(line.name, Qt::CaseInsensitive))
            sections.append(line.name);
    }
    return sections;
}

QStringList TVelaIniFile::ReadSection(const QString &section)
{
    QStringList keys;
    QByteArray bytes;
    if (loadFile(m_fileName, bytes) != LoadResult::Loaded)
        return keys;
    IniDocument::parse(bytes).forEachValue(section, [&](qsizetype, const IniLine &l) {
        if (!keys.contains(l.name, Qt::CaseInsensitive))
            keys.append(l.name);
        return true;
    });
    return keys;
}

QStringList TVelaIniFile::ReadSectionValues(const QString &section)
{
    QStringList values;
    for (const QString &key : ReadSection(section))
        values.append(key + QLatin1Char('=') + ReadString(section, key, QString()));
    return values;
}

QString IniReadString(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    return TVelaIniFile(file).ReadString(section, key, defaultValue);
}

bool IniWriteString(const QString &file, const QString &section, const QString &key, const QString &value)
{
    return TVelaIniFile(file).WriteString(section, key, value);
}

int IniReadInteger(const QString &file, const QString &section, const QString &key, int defaultValue)
{
    return TVelaIniFile(file).ReadInteger(section, key, defaultValue);
}

bool IniWriteInteger(const QString &file, const QString &section, const QString &key, int value)
{
    return TVelaIniFile(file).WriteInteger(section, key, value);
}

bool IniReadYesNo(const QString &file, const QString &section, const QString &key, bool defaultValue)
{
    return TVelaIniFile(file).ReadYesNo(section, key, defaultValue);
}

bool IniWriteYesNo(const QString &file, const QString &section, const QString &key, bool value)
{
    return TVelaIniFile(file).WriteYesNo(section, key, value);
}

bool IniReadSectionValues(const QString &file, const QString &section, QStringList &values)
{
    values = TVelaIniFile(file).ReadSectionValues(section);
    return !values.isEmpty();
}

void ReadFontKeys(const QString &file, const QString &section, const QString &prefix, int defaultStyleBits,
                  TColor defaultColor, int defaultSize, const QString &defaultName, TFontSpec &font)
{
    TVelaIniFile ini(file);
    font.name = ini.ReadString(section, prefix + QLatin1String("FontName"), defaultName);
    // Sizes are used in arithmetic (points to pixels, steps of font translation).
    font.size = std::clamp(ini.ReadInteger(section, prefix + QLatin1String("FontSize"), defaultSize), -kMaxFontSize,
                           kMaxFontSize);
    font.color = ini.ReadColor(section, prefix + QLatin1String("FontColor"), defaultColor);
    font.setStyleBits(0);
    font.bold = ini.ReadYesNo(section, prefix + QLatin1String("FontBold"), defaultStyleBits & 1);
    font.italic = ini.ReadYesNo(section, prefix + QLatin1String("FontItalic"), defaultStyleBits & 2);
    font.underline = ini.ReadYesNo(section, prefix + QLatin1String("FontUnderline"), defaultStyleBits & 4);
    font.strikeOut = ini.ReadYesNo(section, prefix + QLatin1String("FontStrikeOut"), defaultStyleBits & 8);
    font.charSet = ini.ReadInteger(section, prefix + QLatin1String("FontCharSet"), 1);
}

void WriteFontKeys(const QString &file, const QString &section, const QString &prefix, const TFontSpec &font)
{
    TVelaIniFile ini(file);
    ini.WriteString(section, prefix + QLatin1String("FontName"), font.name);
    ini.WriteInteger(section, prefix + QLatin1String("FontSize"), font.size);
    ini.WriteColor(section, prefix + QLatin1String("FontColor"), font.color);
    ini.WriteYesNo(section, prefix + QLatin1String("FontBold"), font.bold);
    ini.WriteYesNo(section, prefix + QLatin1String("FontItalic"), font.italic);
    ini.WriteYesNo(section, prefix + QLatin1String("FontUnderline"), font.underline);
    ini.WriteYesNo(section, prefix + QLatin1String("FontStrikeOut"), font.strikeOut);
    ini.WriteInteger(section, prefix + QLatin1String("FontCharSet"), font.charSet);
}
