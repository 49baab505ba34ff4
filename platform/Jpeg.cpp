#include "Jpeg.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace platform {

namespace {

// libjpeg's own error handling ends the process; ours jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf failed;
};

[[noreturn]] void Fail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->failed, 1);
}

// libjpeg patches over damaged or cut-off data with grey and only warns; a picture of ours that
// is damaged is better not shown at all.
void FailOnWarning(j_common_ptr info, int level) {
    if (level < 0)
        Fail(info);
}

// Fills `image` from the bytes. A libjpeg error jumps back into this function, past any
// destructor, so it keeps no object that has one.
bool ReadPicture(jpeg_decompress_struct& info, ErrorManager& errors, const QByteArray& bytes,
                 QImage& image) {
    if (setjmp(errors.failed))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB888);
    if (image.isNull())
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Fail;
    errors.base.emit_message = FailOnWarning;
    QImage image;
    const bool decoded = ReadPicture(info, errors, bytes, image);
    // Safe also when the creation failed: the zeroed structure then holds nothing to free.
    jpeg_destroy_decompress(&info);
    return decoded ? image : QImage();
}

QImage LoadJpegResource(const QString& resourcePath) {
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    return DecodeJpeg(file.readAll());
}

} // namespace platform
