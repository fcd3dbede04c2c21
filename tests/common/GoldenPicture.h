#pragma once
// Golden pictures: a composed picture is written to the build tree for
// people to look at and compared pixel for pixel with its reference kept in
// tests/golden. A reference is made by looking at the written picture and
// copying it there.
#include "skin/sBitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<uint8_t> ReadWholeTestFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Where two pictures first differ; empty when they are the same.
inline std::string FirstDifference(const TsBitmap24& picture, const TsBitmap24& reference) {
    std::ostringstream out;
    if (picture.Width != reference.Width || picture.Height != reference.Height) {
        out << "size " << picture.Width << " x " << picture.Height << ", reference " << reference.Width
            << " x " << reference.Height;
        return out.str();
    }
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (picture.Pixel(x, y) != reference.Pixel(x, y)) {
                out << "pixel (" << x << ", " << y << ") is 0x" << std::hex << picture.Pixel(x, y)
                    << ", reference 0x" << reference.Pixel(x, y);
                return out.str();
            }
    return {};
}

// Writes the picture into outFolder and compares it with goldenFolder/name.bmp.
inline void CompareWithGolden(const std::string& name, const TsBitmap24& picture,
                              const std::string& goldenFolder, const std::string& outFolder) {
    SCOPED_TRACE(name);
    std::filesystem::create_directories(outFolder);
    const std::vector<uint8_t> bmp = EncodeBmp(picture);
    const std::string written = outFolder + "/" + name + ".bmp";
    std::ofstream(written, std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    const std::vector<uint8_t> stored = ReadWholeTestFile(goldenFolder + "/" + name + ".bmp");
    const auto reference = DecodeBmp(stored.data(), stored.size());
    ASSERT_TRUE(reference) << name << ": no reference picture; look at " << written
                           << " and copy it to tests/golden when it is right";
    const std::string difference = FirstDifference(picture, *reference);
    EXPECT_TRUE(difference.empty()) << name << ": " << difference << " (the picture is " << written << ")";
}
