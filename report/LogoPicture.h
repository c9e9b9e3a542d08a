#pragma once
// Logo pictures of the page header (record 914 with its 912 data, or LogoFile of TRVL.PAR).
// A picture is a file from elsewhere: its size is checked before anything is allocated for it.
#include <QByteArray>
#include <QImage>
#include <QString>

// No page is wider or taller than this many pixels, so no logo needs to be.
inline constexpr int kMaxLogoSide = 10000;
// Nor has a logo more pixels than this (a full page at 300 dpi has about 9 million).
inline constexpr qint64 kMaxLogoPixels = 16 * 1000 * 1000;
// A logo file larger than this is no logo; it is not read.
inline constexpr qint64 kMaxLogoFileBytes = 8 * 1024 * 1024;

// Whether a picture of this declared size may be decoded.
bool LogoSizeAllowed(qint64 width, qint64 height);

// The picture in bytes: JPEG ("jpg", "jpeg" suffix, any letter case) through libjpeg, other
// formats through Qt's readers. Null when it is no valid picture or is too large.
QImage DecodeLogoPicture(const QByteArray &bytes, const QString &suffix);

// The picture in a file; null unless the file is a regular file of at most kMaxLogoFileBytes.
QImage LoadLogoPicture(const QString &fileName);
