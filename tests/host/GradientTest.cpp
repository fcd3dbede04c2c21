// Gradient texts and their painting.
#include "PaintTestSkin.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Gradient, ParseTakesFiveNumbersPerSegment) {
    struct {
        const char* text;
        std::vector<TsGradientSegment> expected;
    } cases[] = {
        {"16184299;14866631;100;0;0", {{16184299, 14866631, 100, 0}}},
        // The stored "BUTTON" kind: four vertical segments.
        {"16184299;15788256;45;0;0;15788256;13097186;10;0;0;13097186;15530998;42;0;0;15530998;15530998;3;0;0",
         {{16184299, 15788256, 45, 0},
          {15788256, 13097186, 10, 0},
          {13097186, 15530998, 42, 0},
          {15530998, 15530998, 3, 0}}},
        {"1;2;250;1;0", {{1, 2, 100, 1}}}, // a share above 100 counts as 100
        {"1;2;30;0", {{1, 2, 30, 0}}},     // the unused fifth number may be missing
        {"1;2;30", {}},                    // too short for a segment
        {" ", {}},                         // the single blank holds no gradient
        {"", {}},
        {"x;2;30;0;0", {{0, 2, 30, 0}}}, // an unreadable number reads 0
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseGradient(c.text), c.expected) << c.text;
}

TEST(Gradient, VerticalSegmentsShareTheRowsAndStepEachChannel) {
    // 50 % of 10 rows from red 0 to red 100 (step 20 per row), then the last
    // segment to the bottom.
    const std::vector<TsGradientSegment> segments = {{0x000000, 0x000064, 50, 0},
                                                     {0x0000C8, 0x0000C8, 10, 0}};
    TsBitmap24 target = Solid(5, 12, 0x010101);
    PaintGradient(target, {1, 1, 4, 11}, segments);
    const uint32_t rows[] = {0, 20, 40, 60, 80, 200, 200, 200, 200, 200};
    for (int r = 0; r < 10; ++r) {
        EXPECT_EQ(target.Pixel(1, 1 + r), rows[r]) << r;
        EXPECT_EQ(target.Pixel(3, 1 + r), rows[r]) << r;
    }
    EXPECT_EQ(target.Pixel(0, 1), 0x010101u);
    EXPECT_EQ(target.Pixel(1, 0), 0x010101u);
    EXPECT_EQ(target.Pixel(1, 11), 0x010101u);
}

TEST(Gradient, HorizontalSegmentsRoundTheirColumns) {
    // 30 % of 10 columns = 3 columns from blue 0 to 90 (step 30); 24 % of 10
    // = 2.4 columns, rounded to 2; the last segment takes the remaining 5.
    const std::vector<TsGradientSegment> segments = {
        {0x000000, 0x5A0000, 30, 1}, {0x000000, 0x000000, 24, 1}, {0x00FF00, 0x00FF00, 0, 1}};
    TsBitmap24 target = Solid(10, 2, 0x010101);
    PaintGradient(target, BoundsOf(target), segments);
    const uint32_t cols[] = {0, 0x1E0000, 0x3C0000, 0, 0, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(target.Pixel(x, 0), cols[x]) << x;
        EXPECT_EQ(target.Pixel(x, 1), cols[x]) << x;
    }
}

TEST(Gradient, FourTrianglesMeetAtTheCentre) {
    // Top-left red, centre black, top-right green, bottom-right blue,
    // bottom-left repeats blue (a fifth group is missing).
    const std::vector<TsGradientSegment> segments = {
        {0x0000FF, 0, 0, 2}, {0x000000, 0, 0, 2}, {0x00FF00, 0, 0, 2}, {0xFF0000, 0, 0, 2}};
    TsBitmap24 target(100, 100);
    PaintGradient(target, BoundsOf(target), segments);
    auto similar = [](uint32_t actual, uint32_t expected) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(int(actual >> shift & 0xFF) - int(expected >> shift & 0xFF)) > 6)
                return false;
        return true;
    };
    EXPECT_TRUE(similar(target.Pixel(0, 0), 0x0000FF)) << std::hex << target.Pixel(0, 0);
    EXPECT_TRUE(similar(target.Pixel(99, 0), 0x00FF00)) << std::hex << target.Pixel(99, 0);
    EXPECT_TRUE(similar(target.Pixel(99, 99), 0xFF0000)) << std::hex << target.Pixel(99, 99);
    EXPECT_TRUE(similar(target.Pixel(0, 99), 0xFF0000)) << std::hex << target.Pixel(0, 99);
    EXPECT_TRUE(similar(target.Pixel(50, 50), 0x000000)) << std::hex << target.Pixel(50, 50);
    // Half way along the top edge: half red, half green.
    EXPECT_TRUE(similar(target.Pixel(50, 0), 0x008080)) << std::hex << target.Pixel(50, 0);
}

} // namespace
