#pragma once
// How a language text is shown in a window. Most texts of the built-in table are plain logical
// Hebrew; a few were written for left-to-right reading order ("?" or "..." first, a Latin word
// first, "%s" where left-to-right order puts it). Windows show a corrected form of those, kept
// beside the table, so that every text reads naturally from the right. The table's own texts
// stay as they are, because files write some of them (text pages write 112 byte for byte).
#include <QString>
#include <QStringList>

// The text of that number as a window shows it, without the spaces the table keeps at its ends.
QString DisplayText(int number);
// DisplayText with its places filled; each value keeps its own direction.
QString DisplayFormat(int number, const QStringList &values);
// A value set apart from the sentence around it, so that it keeps its own direction: a path
// stays "/x/y" inside a Hebrew sentence, a Hebrew name stays right to left.
QString IsolatedValue(const QString &value);
// True when the text holds a right-to-left letter: such text is laid out right to left.
bool IsRightToLeftText(const QString &text);
