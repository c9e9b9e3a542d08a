// Logo pictures of the page header: JPEG files through libjpeg, other formats through QImage.
#include "report/LogoPicture.h"

#include "foundation/InputFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// The library's default handler ends the process; ours returns to the decoder's caller.
void jpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegError *>(info->err)->jump, 1);
}

// Messages are not printed, but warnings are counted: they are the sign of a damaged file.
void jpegQuiet(j_common_ptr info, int level)
{
    if (level < 0)
        ++info->err->num_warnings;
}

QImage decodeJpeg(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    jpeg_decompress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    error.manager.emit_message = jpegQuiet;
    QImage image;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // The header's size is a claim of the file: checked before the image is allocated.
    if (!LogoSizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (!LogoSizeAllowed(info.output_width, info.output_height)) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    // A truncated file decodes "successfully" with grey fill; only the warnings tell.
    const bool damaged = info.err->num_warnings > 0;
    jpeg_destroy_decompress(&info);
    return damaged ? QImage() : image;
}

QImage decodeOther(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || !LogoSizeAllowed(size.width(), size.height()))
        return {};
    QImage image;
    if (!reader.read(&image) || !LogoSizeAllowed(image.width(), image.height()))
        return {};
    return image;
}

} // namespace

bool LogoSizeAllowed(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= kMaxLogoSide && height <= kMaxLogoSide
           && width * height <= kMaxLogoPixels;
}

QImage DecodeLogoPicture(const QByteArray &bytes, const QString &suffix)
{
    const QString lower = suffix.toLower();
    QImage image = lower == QLatin1String("jpg") || lower == QLatin1String("jpeg") ? decodeJpeg(bytes)
                                                                                   : decodeOther(bytes);
    if (image.isNull())
        return {};
    // Page pixels are 96 dpi; a picture carries no other resolution into the page.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

QImage LoadLogoPicture(const QString &fileName)
{
    QByteArray bytes;
    if (ReadSmallRegularFile(fileName, kMaxLogoFileBytes, bytes) != TInputCheck::Ok)
        return {};
    return DecodeLogoPicture(bytes, QFileInfo(fileName).suffix());
}
