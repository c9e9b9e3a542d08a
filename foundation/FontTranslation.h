#pragma once
// Font translation from TRNSFONT.INI: an installation replaces the fonts of every window with
// fonts suited to its database language, optionally changing their size.
#include <QFont>
#include <QString>
#include <QStringList>

// Reads DB_LANGUAGE from the settings file's section (default "ENG") and takes the lines of
// that section of TRNSFONT.INI in the program directory. No file gives an empty list.
void LoadFontTranslation(const QString &settingsFile, const QString &section);
// The list as "name=value" lines; tests and callers that already hold it set it directly.
void SetFontTranslation(const QStringList &entries);
bool FontTranslationActive();
// Applies the list's entry for the font's name (or "Default"). Returns whether it changed.
bool TranslateFont(QString &name, int &size);
bool TranslateFont(QFont &font);

