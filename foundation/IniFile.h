#pragma once
// Settings files in the INI form the whole suite shares (CLIENT.PAR, TRVL.PAR, TRNSFONT.INI).
// Sections and keys are compared without letter case, the first occurrence wins, values are
// trimmed and lose surrounding double quotes. A write changes one line and keeps every other
// line of the file byte for byte; the new file replaces the old one atomically, so a crash
// never leaves a half-written settings file. Text is Windows-1255 on disk.
#include "foundation/Colors.h"
#include "foundation/FontSpec.h"

#include <QString>
#include <QStringList>
#include <functional>

class TVelaIniFile
{
public:
    explicit TVelaIniFile(const QString &fileName);
    virtual ~TVelaIniFile() = default;

    const QString &FileName() const { return m_fileName; }

    // Retried while the file is busy: up to 20 reads, 100 ms apart.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue);
    // Retried up to 21 times, 100 ms apart; returns whether the value was written.
    bool WriteString(const QString &section, const QString &key, const QString &value);

    int ReadInteger(const QString &section, const QString &key, int defaultValue);
    bool WriteInteger(const QString &section, const QString &key, int value);
    // With default true only "N" (any case) is false; with default false only "Y" is true.
    bool ReadYesNo(const QString &section, const QString &key, bool defaultValue);
    bool WriteYesNo(const QString &section, const QString &key, bool value);
    TColor ReadColor(const QString &section, const QString &key, TColor defaultValue);
    bool WriteColor(const QString &section, const QString &key, TColor value);

    QStringList ReadSections();
    QStringList ReadSection(const QString &section); // the key names, in file order
    QStringList ReadSectionValues(const QString &section); // "key=value" lines

    // Waits between retries; tests replace it to run without sleeping.
    static void SetSleepFunction(std::function<void(int milliseconds)> sleep);

protected:
    struct RawValue {
        bool error = false;
        QString value;
    };
    // One attempt of the platform's profile service. A missing file or key is not an error.
    virtual RawValue RawRead(const QString &section, const QString &key, const QString &defaultValue);
    virtual bool RawWrite(const QString &section, const QString &key, const QString &value);

private:
    QString m_fileName;
};

// One-call operations: each opens the file for one key.
QString IniReadString(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue = QString());
bool IniWriteString(const QString &file, const QString &section, const QString &key, const QString &value);
int IniReadInteger(const QString &file, const QString &section, const QString &key, int defaultValue = 0);
bool IniWriteInteger(const QString &file, const QString &section, const QString &key, int value);
bool IniReadYesNo(const QString &file, const QString &section, const QString &key, bool defaultValue);
bool IniWriteYesNo(const QString &file, const QString &section, const QString &key, bool value);
// Fills the list with the section's "key=value" lines; true when it is not empty.
bool IniReadSectionValues(const QString &file, const QString &section, QStringList &values);

// The font key group: prefix + "FontName", "FontSize", "FontColor", "FontBold", "FontItalic",
// "FontUnderline", "FontStrikeOut", "FontCharSet".
void ReadFontKeys(const QString &file, const QString &section, const QString &prefix, int defaultStyleBits,
                  TColor defaultColor, int defaultSize, const QString &defaultName, TFontSpec &font);
void WriteFontKeys(const QString &file, const QString &section, const QString &prefix, const TFontSpec &font);
