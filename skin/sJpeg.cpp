// JPEG pictures of folder and archive skins, decoded with libjpeg.
#include "sBitmap.h"

#include <csetjmp>
#include <cstdio>
#include <limits>

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
constexpr uint64_t MaxPixels = uint64_t(1) << 26; // as for bitmaps: far beyond any skin picture

// Whether the bytes present can hold the picture the header declares. The
// entropy-coded data spends at least one bit on every 8x8 block of every
// component (the code of its DC difference, in sequential and progressive
// files alike), so a file of n bytes holds at most 8 n blocks; a header
// declaring more is refused before libjpeg or this decoder allocates the
// picture. (Arithmetic coding could in principle go below one bit a block;
// such a file is refused too.)
bool BytesCanHold(const jpeg_decompress_struct& info, size_t size) {
    if (uint64_t(info.image_width) * info.image_height > MaxPixels)
        return false;
    uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks += uint64_t(info.comp_info[c].width_in_blocks) * info.comp_info[c].height_in_blocks;
    return blocks <= uint64_t(size) * 8;
}

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
        info.image_height > MaxSide || !BytesCanHold(info, size)) {
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
    // libjpeg takes the size as an unsigned long (32 bits on 64-bit Windows).
    if (!data || size < 4 || size > std::numeric_limits<unsigned long>::max())
        return nullptr;
    auto bitmap = std::make_unique<TsBitmap24>();
    std::vector<uint8_t> row;
    if (!Decode(data, size, *bitmap, row) || bitmap->Empty())
        return nullptr;
    return bitmap;
}
