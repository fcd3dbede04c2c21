// Seeds for the picture fuzzer from the skin's own pictures: every bitmap of
// a skin folder as it is, and the same picture as a baseline, a progressive
// and a greyscale JPEG.
//   skin_picture_seeds <skin folder> <corpus folder>
#include "skin/sBitmap.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

enum class TJpegKind { Baseline, Progressive, Grey };

std::vector<uint8_t> Jpeg(const TsBitmap24& picture, TJpegKind kind) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(picture.Width);
    info.image_height = static_cast<JDIMENSION>(picture.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    if (kind == TJpegKind::Progressive)
        jpeg_simple_progression(&info);
    if (kind == TJpegKind::Grey)
        jpeg_set_colorspace(&info, JCS_GRAYSCALE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(picture.Width) * 3);
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            const uint32_t c = picture.Pixel(x, y); // 0x00BBGGRR
            row[size_t(x) * 3] = uint8_t(c);
            row[size_t(x) * 3 + 1] = uint8_t(c >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(c >> 16);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin_picture_seeds <skin folder> <corpus folder>\n");
        return 2;
    }
    const fs::path corpus = argv[2];
    fs::create_directories(corpus);
    int pictures = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[1])) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension != ".bmp")
            continue;
        const std::vector<uint8_t> bytes = ReadFile(entry.path());
        const auto picture = DecodeBmp(bytes.data(), bytes.size());
        if (!picture) {
            std::fprintf(stderr, "%s is no bitmap the skin reads\n", entry.path().string().c_str());
            return 1;
        }
        const std::string stem = entry.path().stem().string();
        WriteFile(corpus / (stem + ".bmp"), bytes);
        WriteFile(corpus / (stem + ".jpg"), Jpeg(*picture, TJpegKind::Baseline));
        WriteFile(corpus / (stem + "-progressive.jpg"), Jpeg(*picture, TJpegKind::Progressive));
        WriteFile(corpus / (stem + "-grey.jpg"), Jpeg(*picture, TJpegKind::Grey));
        ++pictures;
    }
    if (pictures == 0) {
        std::fprintf(stderr, "no bitmap in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
