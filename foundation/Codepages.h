#pragma once
// Conversions between the suite's code pages and Unicode. Report files and settings are
// Windows-1255; DOS-style output is code page 862. Everything goes through ICU (via
// QStringDecoder/QStringEncoder) so that every path agrees on every byte.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

QString FromWin1255(QByteArrayView bytes);
QByteArray ToWin1255(QStringView text);
QString FromCp862(QByteArrayView bytes);
QByteArray ToCp862(QStringView text);
