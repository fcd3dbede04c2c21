// The skin's picture decoders against headers that lie: sizes that cannot be
// represented, and pictures declared far larger than the bytes that follow.
// Each is refused before the declared picture is allocated; real pictures at
// the edge of the rules still decode.
#include "skin/sBitmap.h"

#include "SkinJpegWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KESTOVA_ALLOCATION_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTOVA_ALLOCATION_HOOKS 1
#endif
#endif
#ifdef KESTOVA_ALLOCATION_HOOKS
// AddressSanitizer's allocation hooks (sanitizer/allocator_interface.h, which
// GCC does not install).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
#endif

namespace {

// The largest single allocation made while a call runs (under AddressSanitizer,
// which the host tests build with; elsewhere 0).
class LargestAllocation {
public:
    template <typename Call> static size_t During(Call call) {
#ifdef KESTOVA_ALLOCATION_HOOKS
        static const bool installed = __sanitizer_install_malloc_and_free_hooks(&OnMalloc, &OnFree) != 0;
        (void)installed;
#endif
        largest_ = 0;
        armed_ = true;
        call();
        armed_ = false;
        return largest_;
    }

private:
    static void OnMalloc(const volatile void*, size_t size) {
        if (armed_ && size > largest_)
            largest_ = size;
    }
    static void OnFree(const volatile void*) {}
    static inline bool armed_ = false;
    static inline size_t largest_ = 0;
};

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

// A file header and a 40-byte information header, then tail (a palette, the
// pixels); the pixels start right after the headers plus paletteBytes.
std::vector<uint8_t> Bitmap(int32_t width, int32_t height, int bits, uint32_t compression,
                            const std::vector<uint8_t>& tail, uint32_t paletteBytes = 0) {
    std::vector<uint8_t> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(54 + tail.size()));
    Put32(b, 10, 54 + paletteBytes);
    Put32(b, 14, 40);
    Put32(b, 18, uint32_t(width));
    Put32(b, 22, uint32_t(height));
    Put16(b, 26, 1);
    Put16(b, 28, uint32_t(bits));
    Put32(b, 30, compression);
    Put32(b, 46, paletteBytes / 4);
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

// Two palette entries (blue, green, red, 0): 0 is red, 1 is blue.
const std::vector<uint8_t> kTwoColours = {0, 0, 255, 0, 255, 0, 0, 0};

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A JPEG made by libjpeg whose frame header is then made to declare another size.
std::vector<uint8_t> JpegDeclaring(uint16_t width, uint16_t height) {
    std::vector<uint8_t> jpeg = MakeTestJpeg(16, 16, 200, 40, 40);
    for (size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) { // SOF0, SOF2
            jpeg[i + 5] = uint8_t(height >> 8);
            jpeg[i + 6] = uint8_t(height);
            jpeg[i + 7] = uint8_t(width >> 8);
            jpeg[i + 8] = uint8_t(width);
            break;
        }
    return jpeg;
}

TEST(SkinPictures, LyingHeadersAreRefusedBeforeThePictureIsAllocated) {
    const struct {
        const char* what;
        std::vector<uint8_t> file;
        bool jpeg;
    } rows[] = {
        // The negation of a top-down height of -2^31 cannot be represented.
        {"height -2147483648", Bitmap(1, INT32_MIN, 24, 0, {0, 0, 0, 0}), false},
        {"width -2147483648", Bitmap(INT32_MIN, 1, 24, 0, {0, 0, 0, 0}), false},
        // 58 bytes declaring 8192 x 8192 (the 64 M pixels allowed): 4 bytes of pixels.
        {"8192 x 8192 in 58 bytes", Bitmap(8192, 8192, 24, 0, {0, 0, 0, 0}), false},
        {"8192 x 8192 top-down in 58 bytes", Bitmap(8192, -8192, 24, 0, {0, 0, 0, 0}), false},
        {"8192 x 8192 of 1 bit in 58 bytes", Bitmap(8192, 8192, 1, 0, {0, 0, 0, 0}), false},
        // An RLE8 stream that ends at once: 2 bytes cannot paint 64 M pixels.
        {"8192 x 8192 RLE8 ending at once", Bitmap(8192, 8192, 8, 1, Concat(kTwoColours, {0, 1}), 8), false},
        {"8192 x 8192 RLE4 of one run", Bitmap(8192, 8192, 4, 2, Concat(kTwoColours, {255, 0x11, 0, 1}), 8),
         false},
        // Sizes whose products wrap in 32 bits.
        {"65536 x 65536", Bitmap(65536, 65536, 24, 0, {0, 0, 0, 0}), false},
        {"2147483647 x 2", Bitmap(INT32_MAX, 2, 32, 0, {0, 0, 0, 0}), false},
        // A header size that wraps the offsets in 32 bits.
        {"information header of 4 GB",
         [] {
             std::vector<uint8_t> b = Bitmap(2, 2, 24, 0, std::vector<uint8_t>(16, 0));
             Put32(b, 14, 0xFFFFFFF2u);
             return b;
         }(),
         false},
        {"bit fields beyond the file", Bitmap(1, 1, 32, 3, {}), false},
        // A real JPEG whose frame header claims 4096 x 4096: its 16 x 16
        // picture's data cannot describe 262,144 blocks.
        {"JPEG declaring 4096 x 4096", JpegDeclaring(4096, 4096), true},
        {"JPEG declaring 16384 x 16384", JpegDeclaring(16384, 16384), true},
    };
    for (const auto& row : rows) {
        std::unique_ptr<TsBitmap24> picture;
        const size_t largest = LargestAllocation::During([&] {
            picture = row.jpeg ? DecodeJpeg(row.file.data(), row.file.size())
                               : DecodeBmp(row.file.data(), row.file.size());
        });
        EXPECT_FALSE(picture) << row.what;
        EXPECT_LT(largest, size_t(1) << 20) << row.what; // a megabyte: libjpeg's own tables and no more
    }
}

TEST(SkinPictures, PicturesAtTheEdgeOfTheRulesDecode) {
    // RLE8, 256 x 1: a run of 255 red, one blue pixel, end of bitmap. 6 bytes
    // may describe 768 pixels.
    const auto rle = Bitmap(256, 1, 8, 1, Concat(kTwoColours, {255, 0, 1, 1, 0, 1}), 8);
    const auto wide = DecodeBmp(rle.data(), rle.size());
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->Width, 256);
    EXPECT_EQ(wide->Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(wide->Pixel(254, 0), 0x0000FFu);
    EXPECT_EQ(wide->Pixel(255, 0), 0xFF0000u);
    // 769 x 1 from the same 6 bytes is more than they can describe.
    const auto tooWide = Bitmap(769, 1, 8, 1, Concat(kTwoColours, {255, 0, 1, 1, 0, 1}), 8);
    EXPECT_FALSE(DecodeBmp(tooWide.data(), tooWide.size()));
    const auto justWide = Bitmap(768, 1, 8, 1, Concat(kTwoColours, {255, 0, 1, 1, 0, 1}), 8);
    EXPECT_TRUE(DecodeBmp(justWide.data(), justWide.size()));

    // Top-down 24 bits, 2 x 2, exactly the bytes its rows need (6 + 2 padding each).
    const auto topDown = Bitmap(2, -2, 24, 0, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
    const auto small = DecodeBmp(topDown.data(), topDown.size());
    ASSERT_TRUE(small);
    EXPECT_EQ(small->Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(small->Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(small->Pixel(0, 1), 0xFF0000u);
    EXPECT_EQ(small->Pixel(1, 1), 0xFFFFFFu);
    std::vector<uint8_t> shortByOne(topDown.begin(), topDown.end() - 1);
    EXPECT_FALSE(DecodeBmp(shortByOne.data(), shortByOne.size()));

    // The most compressible JPEG there is, one colour over 1024 x 1024, still decodes.
    const std::vector<uint8_t> solid = MakeTestJpeg(1024, 1024, 90, 90, 90);
    const auto big = DecodeJpeg(solid.data(), solid.size());
    ASSERT_TRUE(big) << solid.size() << " bytes";
    EXPECT_EQ(big->Width, 1024);
    EXPECT_EQ(big->Height, 1024);
}

} // namespace
