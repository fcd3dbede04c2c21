// The skin manager on Windows: the internal skin from the program's own
// resource, folder skins with JPEG pictures, archive files, the fallback
// when a skin name matches nothing, and damaged skins where the form was
// designed.
#include "tests/host/SkinJpegWriter.h"
#include "app/Application.h"
#include "app/FrmMainSkin.h"
#include "tests/fixtures/Fixtures.h"
#include "skin/sSkinManager.h"
#include "tools/qzArchiveWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>

namespace {

std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TsBitmap24 Solid(int width, int height, uint32_t colour) {
    TsBitmap24 b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, colour);
    return b;
}

// A folder skin "Photo" in skins\Photo\: a JPEG pattern, a small JPEG
// texture, and a master bitmap.
void WritePhotoSkin(const TempFolder& skins) {
    CreateDirectoryA(skins.File("Photo").c_str(), nullptr);
    skins.Write("Photo\\Options.dat", "[GLOBALINFO]\r\nVERSION=1.5\r\nMASTERBITMAP=M.bmp\r\n"
                                      "[FORM]\r\nPATTERN=Back.jpg\r\nHOTPATTERN=Tex.JPG\r\n"
                                      "BORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^0^0\r\n");
    skins.Write("Photo\\Back.jpg", Text(MakeTestJpeg(320, 300, 30, 160, 90)));
    skins.Write("Photo\\Tex.JPG", Text(MakeTestJpeg(24, 16, 220, 220, 40)));
    skins.Write("Photo\\M.bmp", Text(EncodeBmp(Solid(12, 6, 0x445566))));
}

std::unique_ptr<TsSkinManager> WithInternalSkin(const std::string& directory) {
    std::unique_ptr<TsSkinManager> manager(CreateSkinManager1(nullptr));
    manager->SetSkinDirectory(directory);
    return manager;
}

} // namespace

TEST(SkinManagerWin, LoadsTheInternalSkinFromTheProgramsOwnResource) {
    std::unique_ptr<TsSkinManager> manager(CreateSkinManager1(nullptr));
    EXPECT_EQ(manager->Name(), "sSkinManager1");
    EXPECT_EQ(GetFileAttributesA(DesignSkinDirectory), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(manager->InternalSkins().size(), 1u);
    EXPECT_GT(manager->InternalSkins()[0].Data.Size(), 1000u);
    EXPECT_EQ(manager->SkinName(), "ZUR (internal)");
    EXPECT_TRUE(manager->Active());
    EXPECT_TRUE(manager->SkinIsPacked());
    EXPECT_EQ(manager->gd.size(), 62u);
    ASSERT_TRUE(manager->MasterBitmap);
    EXPECT_EQ(manager->MasterBitmap->Width, 288);
    EXPECT_EQ(manager->MasterBitmap->Height, 160);
    EXPECT_EQ(manager->SkinInfo(), "5.43");
    EXPECT_EQ(manager->SkinDirectory(), DesignSkinDirectory);
    EXPECT_EQ(manager->MenuSupport.IcoLineSkin, "ICOLINE");
    EXPECT_TRUE(manager->IsDefault());
    // The global colour comes from the skin, not from the system.
    EXPECT_EQ(manager->GlobalBackColor(), 15788258);
}

TEST(SkinManagerWin, AFolderSkinWithJpegPatternAndTexture) {
    TempFolder skins;
    WritePhotoSkin(skins);
    auto manager = WithInternalSkin(skins.Path());
    manager->SetSkinName("Photo");
    EXPECT_EQ(manager->SkinName(), "Photo");
    EXPECT_FALSE(manager->SkinIsPacked());
    EXPECT_EQ(manager->SkinData.SkinPath, skins.Path() + "\\Photo\\");
    EXPECT_EQ(manager->SkinInfo(), "1.5");
    const int form = manager->FindSection("FORM");
    const int pattern = manager->FindPattern(form, "FORM", "PATTERN");
    ASSERT_GE(pattern, 0);
    const TsBitmap24& back = *manager->pa[static_cast<size_t>(pattern)].Image;
    EXPECT_EQ(back.Width, 320);
    EXPECT_EQ(back.Height, 300);
    EXPECT_NEAR(int(back.Pixel(100, 100) >> 8 & 0xFF), 160, 6);
    const int texture = manager->FindTexture(form, "FORM", "HOTPATTERN");
    ASSERT_GE(texture, 0);
    const TsMaskData& tex = manager->ma[static_cast<size_t>(texture)];
    ASSERT_TRUE(tex.Image);
    EXPECT_EQ(tex.R, (TRect{0, 0, 24, 16}));
    EXPECT_NEAR(int(tex.Image->Pixel(5, 5) & 0xFF), 220, 6);
    EXPECT_GE(manager->FindMask(form, "FORM", "BORDERSMASK"), 0);
}

TEST(SkinManagerWin, ANameThatMatchesNothingFallsBackToTheInternalSkin) {
    TempFolder skins;
    WritePhotoSkin(skins);
    auto manager = WithInternalSkin(skins.Path());
    manager->SetSkinName("Photo");
    manager->SetSkinName("No Such Skin");
    EXPECT_EQ(manager->SkinName(), "ZUR (internal)");
    EXPECT_TRUE(manager->Active());
    EXPECT_EQ(manager->gd.size(), 62u);
}

TEST(SkinManagerWin, AnArchiveFileWinsOverAFolderOfTheSameName) {
    TempFolder skins;
    WritePhotoSkin(skins);
    skins.Write("Photo.qtz", Text(PackArchive({{"Options.dat", Bytes("[GLOBALINFO]\r\nVERSION=2.25\r\n"
                                                                     "MASTERBITMAP=M.bmp\r\n[EDIT]\r\n")},
                                               {"M.bmp", EncodeBmp(Solid(4, 4, 0x010203))}})));
    auto manager = WithInternalSkin(skins.Path());
    manager->SetSkinName("Photo");
    EXPECT_TRUE(manager->SkinIsPacked());
    EXPECT_EQ(manager->SkinInfo(), "2.25");
    EXPECT_EQ(manager->SkinData.SkinPath, skins.Path() + "\\");
    EXPECT_GE(manager->FindSection("EDIT"), 0);
    EXPECT_EQ(manager->FindSection("FORM"), -1);
    ASSERT_TRUE(manager->MasterBitmap);
    EXPECT_EQ(manager->MasterBitmap->Width, 4);
}

namespace {

void PutInt32(std::string& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>(value >> shift & 0xFF);
}

// An archive of one options entry whose zlib stream is the given bytes.
std::string ArchiveWithStream(const std::string& stream) {
    std::string bytes = "QTzf";
    PutInt32(bytes, 1);
    PutInt32(bytes, 11);
    bytes += "Options.dat";
    PutInt32(bytes, 64);
    return bytes + stream;
}

} // namespace

// A skin named like the carried one where the form was designed, but
// damaged: the error box says what is wrong, and the program goes on with
// the skin it carries. A damaged skin named later leaves the manager
// without a skin, never with half its tables.
TEST(SkinManagerWin, ADamagedSkinWhereTheFormWasDesignedIsReportedAndTheCarriedSkinTakesOver) {
    const std::string carried = Text(WithInternalSkin("C:\\")->InternalSkins()[0].Data.Bytes());
    const struct {
        const char* what;
        const char* file;
        std::string content;
        const char* message; // as the error box shows it
    } cases[] = {
        {"an archive cut inside its first entry", "ZUR (internal).qtz", carried.substr(0, 300),
         "Stream read error."},
        // A zlib header, then a final block of the reserved type 3 (RFC 1951).
        {"an archive whose options are no deflate data", "ZUR (internal).qtz",
         ArchiveWithStream(std::string("\x78\x9c\x07\x00\x00\x00", 6)), "invalid block type."},
        {"a folder skin with a malformed shadow offset", "ZUR (internal)\\Options.dat",
         "[GLOBALINFO]\r\nVERSION=1.0\r\nSHADOW1OFFSET=1x\r\n[FORM]\r\nCOLOR=255\r\n",
         "'1x' is not a valid integer value."},
    };
    for (const auto& c : cases) {
        TempFolder skins;
        CreateDirectoryA(skins.File("ZUR (internal)").c_str(), nullptr);
        skins.Write(c.file, c.content);
        std::vector<std::string> shown;
        Application().SetErrorSink(
            [&](const std::string& text, const std::string&) { shown.push_back(text); });
        std::unique_ptr<TsSkinManager> manager;
        EXPECT_NO_THROW(manager.reset(CreateSkinManager1(nullptr, skins.Path()))) << c.what;
        EXPECT_EQ(shown, std::vector<std::string>{c.message}) << c.what;
        ASSERT_TRUE(manager) << c.what;
        EXPECT_TRUE(manager->Active()) << c.what;
        EXPECT_TRUE(manager->SkinData.Active) << c.what;
        EXPECT_TRUE(manager->SkinIsPacked()) << c.what;
        EXPECT_EQ(manager->gd.size(), 62u) << c.what << ": the carried skin";
        EXPECT_EQ(manager->SkinInfo(), "5.43") << c.what;

        EXPECT_ANY_THROW(manager->SetSkinName("ZUR (internal)")) << c.what;
        EXPECT_FALSE(manager->Active()) << c.what;
        EXPECT_FALSE(manager->SkinData.Active) << c.what;
        EXPECT_TRUE(manager->gd.empty() && manager->ma.empty()) << c.what << ": no half-built tables";
        Application().SetErrorSink(nullptr);
    }
}
