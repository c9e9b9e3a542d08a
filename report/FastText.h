#pragma once
// Windows-1255 bytes to text for the millions of cells of a long report: a table lookup per
// byte, the same mapping as FromWin1255 without opening a converter for every field.
#include <QByteArrayView>
#include <QString>

QString FastWin1255(QByteArrayView bytes);
