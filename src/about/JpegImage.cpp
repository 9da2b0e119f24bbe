#include "about/JpegImage.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

namespace pulsewell {

namespace {

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

// libjpeg's default ends the process; this returns to Decode instead.
[[noreturn]] void EscapeOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void IgnoreWarning(j_common_ptr) {}

// longjmp skips destructors, so nothing here owns anything but plain data
// and the image the caller keeps.
bool Decode(const QByteArray& bytes, QImage& image) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = EscapeOnError;
    errors.standard.output_message = IgnoreWarning;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_RGBX;  // the byte order of QImage::Format_RGBX8888
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGBX8888);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    QImage image;
    return Decode(bytes, image) ? image : QImage();
}

}  // namespace pulsewell
