// Logo pictures of the page header: JPEG files through libjpeg, other formats through QImage.
#include "report/ReportForm.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
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
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
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

} // namespace

QImage LoadLogoPicture(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QImage image = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ? decodeJpeg(bytes)
                                                                                     : QImage::fromData(bytes);
    if (image.isNull())
        return {};
    // Page pixels are 96 dpi; a picture carries no other resolution into the page.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}
