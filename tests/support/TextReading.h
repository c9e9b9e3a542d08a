#pragma once
// Reads a text as a Hebrew reader sees it on screen: laid out right to left, words taken from
// the right, each left-to-right stretch (a Latin word, a number, a path) read in its own order.
#include <QFont>
#include <QString>

// The reading of the text as a right-to-left window shows it. Mnemonic marks ("&") and
// directional marks are left out; each line of a text with line breaks is read on its own.
QString ReadFromTheRight(const QString &text, const QFont &font = QFont());
// True when the value shows as one unbroken left-to-right stretch inside the text.
bool ShowsLeftToRight(const QString &text, const QString &value, const QFont &font = QFont());
