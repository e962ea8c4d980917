#include "platform/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr) {} // warnings are not shown

// Decodes into a malloc'd RGB buffer. No object with a destructor lives in this function, so the
// long jump of libjpeg's error handler leaves nothing behind.
bool DecodeRgb(const unsigned char* data, unsigned long size, unsigned char** out, int* width, int* height) {
    jpeg_decompress_struct info;
    ErrorManager err;
    unsigned char* volatile pixels = nullptr;
    std::memset(&info, 0, sizeof info);
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.output_message = OnMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::free(pixels);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3 || info.output_width == 0 || info.output_width > 20000 || info.output_height > 20000) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
    pixels = static_cast<unsigned char*>(std::malloc(stride * info.output_height));
    if (!pixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    *width = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    jpeg_destroy_decompress(&info);
    *out = pixels;
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    if (bytes.isEmpty()) return {};
    unsigned char* pixels = nullptr;
    int w = 0, h = 0;
    if (!DecodeRgb(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()), &pixels, &w, &h))
        return {};
    QImage image(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y) std::memcpy(image.scanLine(y), pixels + static_cast<std::size_t>(y) * w * 3, static_cast<std::size_t>(w) * 3);
    std::free(pixels);
    return image;
}
