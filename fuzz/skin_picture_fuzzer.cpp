// libFuzzer target for the skin's picture decoders: the same bytes as a
// Windows bitmap file and as a JPEG file. A picture comes back whole or not
// at all, never larger than its bytes can describe, and written as a bitmap
// and read back it gives the same pixels.
#include "skin/sBitmap.h"

#include <cstring>

namespace {

volatile uint32_t g_pixelSum;

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// The most pixels any of the decoders lets a file of size bytes declare:
// 128 per byte of an RLE bitmap, 512 per byte of a JPEG (one bit for each
// 8x8 block), 64 M in all.
bool Plausible(const TsBitmap24& picture, size_t size) {
    const uint64_t pixels = uint64_t(picture.Width) * uint64_t(picture.Height);
    return pixels <= (uint64_t(1) << 26) && pixels <= uint64_t(size) * 512;
}

void CheckPicture(const TsBitmap24* picture, size_t size) {
    if (!picture)
        return;
    Check(picture->Width > 0 && picture->Height > 0);
    Check(Plausible(*picture, size));
    Check(picture->Pixels.size() == size_t(picture->Width) * size_t(picture->Height) * 3);
    // Every pixel is read, so that the sanitizers see any the decoder left out.
    uint32_t sum = 0;
    for (int y = 0; y < picture->Height; ++y)
        for (int x = 0; x < picture->Width; ++x)
            sum += picture->Pixel(x, y);
    g_pixelSum = sum;
    if (uint64_t(picture->Width) * uint64_t(picture->Height) > (1u << 20))
        return; // big pictures are checked without the round trip, to keep the runs fast
    const std::vector<uint8_t> file = EncodeBmp(*picture);
    const auto again = DecodeBmp(file.data(), file.size());
    Check(again && again->Width == picture->Width && again->Height == picture->Height);
    Check(again->Pixels == picture->Pixels);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckPicture(DecodeBmp(data, size).get(), size);
    CheckPicture(DecodeJpeg(data, size).get(), size);
    return 0;
}
