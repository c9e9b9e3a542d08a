#pragma once
// Windows-1255 bytes to text for the millions of cells of a long report: a table lookup per
// byte, the same mapping as FromWin1255 without opening a converter for every field.
#include <QByteArrayView>
#include <QString>

QString FastWin1255(QByteArrayView bytes);

// A text shown in one cell, title or header line. No page shows more than a few thousand
// characters of one line, so a field longer than kMaxCaptionBytes keeps only its first and
// last halves of that (what left and right alignment show): a line of a hundred megabytes is
// neither converted nor measured nor drawn whole.
inline constexpr qsizetype kMaxCaptionBytes = 65536;
QString FastCaption(QByteArrayView bytes);
