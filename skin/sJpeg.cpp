// JPEG pictures of folder and archive skins, decoded with libjpeg.
#include "sBitmap.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct TJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->jump, 1);
}
void OnJpegMessage(j_common_ptr) {} // warnings of damaged data are not shown to anyone

constexpr JDIMENSION MaxSide = 16384;

// Decodes into bitmap; false when libjpeg gives up. Everything that must be
// released exists before the jump point, so a jump back skips no destructor.
bool Decode(const uint8_t* data, size_t size, TsBitmap24& bitmap, std::vector<uint8_t>& row) {
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnJpegError;
    error.manager.output_message = OnJpegMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > MaxSide ||
        info.image_height > MaxSide) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    bitmap.Width = static_cast<int>(info.output_width);
    bitmap.Height = static_cast<int>(info.output_height);
    bitmap.Pixels.assign(size_t(bitmap.Width) * bitmap.Height * 3, 0);
    row.assign(size_t(info.output_width) * info.output_components, 0);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < bitmap.Width; ++x) {
            const uint8_t* p = &row[size_t(x) * info.output_components];
            bitmap.SetPixel(x, y,
                            info.output_components >= 3
                                ? uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16
                                : uint32_t(p[0]) * 0x010101u);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

std::unique_ptr<TsBitmap24> DecodeJpeg(const uint8_t* data, size_t size) {
    if (!data || size < 4)
        return nullptr;
    auto bitmap = std::make_unique<TsBitmap24>();
    std::vector<uint8_t> row;
    if (!Decode(data, size, *bitmap, row) || bitmap->Empty())
        return nullptr;
    return bitmap;
}
