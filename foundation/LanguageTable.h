#pragma once
// Every text the user sees is looked up here by number. The table is built into the
// program (resources/texts.txt) and is in Hebrew.
#include <QString>
#include <QStringList>

// Loads the built-in table; never fails. Safe to call more than once.
void InitLanguageTable();
void ReleaseLanguageTable();
// The text of that number; empty when the table has none. Loads the table on first use.
QString LookupText(int number);
// The table's three-letter language code: empty for the built-in table.
QString LanguageCode();
// The language texts carry printf-style places ("%s", "%d"): fills them in order.
QString FormatText(const QString &pattern, const QStringList &values);
