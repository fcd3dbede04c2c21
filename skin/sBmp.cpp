// Windows bitmap files, read and written over plain bytes.
#include "sBitmap.h"

#include <cstring>

namespace {

uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

// Picks a channel out of a bit-field pixel and scales it to 0..255.
uint8_t Channel(uint32_t value, uint32_t mask) {
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const uint64_t bits = mask >> shift;
    const uint64_t v = (value & mask) >> shift;
    return static_cast<uint8_t>((v * 255 + bits / 2) / bits);
}

// Sizes are worked out in 64 bits whatever the platform's size_t, and a
// picture is allocated only once the bytes present can hold it.
constexpr uint64_t MaxPixels = uint64_t(1) << 26; // 64 M pixels: far beyond any skin picture
// Every two bytes of an RLE stream paint at most 255 pixels, so a stream
// of n bytes describes at most 128 n of them; a picture declaring more is
// not what its bytes hold.
constexpr uint64_t MaxRlePixelsPerByte = 128;
constexpr uint64_t FileHeaderSize = 14;

// RLE4/RLE8 into one palette index per pixel (bottom-up rows as stored).
bool DecodeRle(const uint8_t* p, size_t size, int64_t width, int64_t height, int bits,
               std::vector<uint8_t>& index) {
    int64_t x = 0, y = 0; // grow by at most 255 per two bytes: never near the limits
    size_t i = 0;
    auto put = [&](uint8_t v) {
        if (x < width && y < height)
            index[size_t(y * width + x)] = v;
        ++x;
    };
    while (i + 1 < size) {
        const uint8_t count = p[i], value = p[i + 1];
        i += 2;
        if (count) {
            for (int n = 0; n < count; ++n)
                put(bits == 8 ? value : (n & 1 ? value & 15 : value >> 4));
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (i + 1 >= size)
                return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {
            const size_t bytes = bits == 8 ? value : (value + 1) / 2;
            if (bytes > size - i)
                return false;
            for (int n = 0; n < value; ++n)
                put(bits == 8 ? p[i + n] : (n & 1 ? p[i + n / 2] & 15 : p[i + n / 2] >> 4));
            i += (bytes + 1) & ~size_t(1);
        }
        if (y >= height)
            return true;
    }
    return true;
}

} // namespace

std::unique_ptr<TsBitmap24> DecodeBmp(const uint8_t* data, size_t size) {
    if (!data || size < FileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M')
        return nullptr;
    const uint64_t pixelOffset = U32(data + 10);
    const uint8_t* info = data + FileHeaderSize;
    const uint64_t infoSize = U32(info);
    if (infoSize < 12 || FileHeaderSize + infoSize > size)
        return nullptr;
    // Signed 32-bit fields widened first: the negation of a top-down height
    // (-2147483648 included) cannot overflow.
    int64_t width, height;
    int bits;
    uint32_t compression = 0, colorsUsed = 0;
    uint32_t masks[3] = {0, 0, 0};
    uint64_t paletteEntry = 4;
    if (infoSize == 12) { // OS/2 core header
        width = U16(info + 4);
        height = static_cast<int16_t>(U16(info + 6));
        bits = U16(info + 10);
        paletteEntry = 3;
    } else {
        if (infoSize < 40)
            return nullptr;
        width = static_cast<int32_t>(U32(info + 4));
        height = static_cast<int32_t>(U32(info + 8));
        bits = U16(info + 14);
        compression = U32(info + 16);
        colorsUsed = U32(info + 32);
        if (compression == 3) { // bit fields: in the header (V4/V5) or right after it
            const uint64_t at = FileHeaderSize + (infoSize >= 52 ? 40 : infoSize);
            if (at + 12 > size)
                return nullptr;
            for (int c = 0; c < 3; ++c)
                masks[c] = U32(data + at + 4 * c);
        }
    }
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > MaxPixels)
        return nullptr;
    const uint64_t pixelCount = uint64_t(width) * uint64_t(height);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return nullptr;
    if (compression == 3 && bits != 16 && bits != 32)
        return nullptr;
    if ((compression == 1 && bits != 8) || (compression == 2 && bits != 4) || compression > 3)
        return nullptr;
    if (compression == 0 && (bits == 16 || bits == 32)) {
        compression = 3;
        if (bits == 16) {
            masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
        }
    }

    // The pixel data must be able to hold the picture before anything is
    // allocated for it.
    if (pixelOffset >= size)
        return nullptr;
    const uint8_t* pixels = data + pixelOffset;
    const uint64_t available = size - pixelOffset;
    const bool rle = compression == 1 || compression == 2;
    const uint64_t stride = ((uint64_t(width) * uint64_t(bits) + 31) / 32) * 4;
    if (rle ? (pixelCount + MaxRlePixelsPerByte - 1) / MaxRlePixelsPerByte > available
            : stride * uint64_t(height) > available)
        return nullptr;

    // Palette
    std::vector<uint32_t> palette;
    if (bits <= 8) {
        uint64_t colors = colorsUsed ? colorsUsed : uint64_t(1) << bits;
        if (colors > 256)
            colors = 256;
        const uint64_t paletteStart =
            FileHeaderSize + infoSize + (compression == 3 && infoSize < 52 ? 12 : 0);
        for (uint64_t c = 0; c < colors; ++c) {
            const uint64_t at = paletteStart + c * paletteEntry;
            if (at + 3 > size)
                break;
            palette.push_back(uint32_t(data[at + 2]) | uint32_t(data[at + 1]) << 8 |
                              uint32_t(data[at]) << 16);
        }
    }
    auto color = [&](size_t i) { return i < palette.size() ? palette[i] : 0u; };

    const int w = static_cast<int>(width), h = static_cast<int>(height);
    auto row = [&](int stored) { return topDown ? stored : h - 1 - stored; };

    if (rle) {
        std::vector<uint8_t> index(size_t(pixelCount), 0);
        if (!DecodeRle(pixels, size_t(available), width, height, bits, index))
            return nullptr;
        auto result = std::make_unique<TsBitmap24>(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                result->SetPixel(x, row(y), color(index[size_t(y) * w + x]));
        return result;
    }

    auto result = std::make_unique<TsBitmap24>(w, h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = pixels + size_t(stride) * y;
        const int dy = row(y);
        for (int x = 0; x < w; ++x) {
            uint32_t c;
            switch (bits) {
            case 1:
                c = color((src[x / 8] >> (7 - x % 8)) & 1);
                break;
            case 4:
                c = color((src[x / 2] >> (x % 2 ? 0 : 4)) & 15);
                break;
            case 8:
                c = color(src[x]);
                break;
            case 24:
                c = uint32_t(src[3 * x + 2]) | uint32_t(src[3 * x + 1]) << 8 | uint32_t(src[3 * x]) << 16;
                break;
            default: {
                const uint32_t v = bits == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
                c = uint32_t(Channel(v, masks[0])) | uint32_t(Channel(v, masks[1])) << 8 |
                    uint32_t(Channel(v, masks[2])) << 16;
            }
            }
            result->SetPixel(x, dy, c);
        }
    }
    return result;
}

std::vector<uint8_t> EncodeBmp(const TsBitmap24& bitmap) {
    const size_t stride = ((size_t(bitmap.Width) * 3 + 3) / 4) * 4;
    const size_t imageSize = stride * bitmap.Height;
    std::vector<uint8_t> out(54 + imageSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = uint8_t(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, uint32_t(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(bitmap.Width));
    put32(22, uint32_t(bitmap.Height));
    out[26] = 1;
    out[28] = 24;
    put32(34, uint32_t(imageSize));
    put32(38, 2835); // 72 dpi
    put32(42, 2835);
    for (int y = 0; y < bitmap.Height; ++y)
        std::memcpy(&out[54 + stride * (bitmap.Height - 1 - y)], &bitmap.Pixels[size_t(y) * bitmap.Width * 3],
                    size_t(bitmap.Width) * 3);
    return out;
}
