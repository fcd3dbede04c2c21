// The skin manager: mask values, inheritance, choosing the skin, the global
// data and every failure the options text can cause.
#include "SkinJpegWriter.h"
#include "SkinTestPlatform.h"
#include "base/Exception.h"
#include "skin/sMaskValue.h"
#include "skin/sSkinManager.h"
#include "tools/qzArchiveWriter.h"

#include <gtest/gtest.h>

#include <locale>
#include <sstream>

namespace {

TsBitmap24 Solid(int width, int height, uint32_t colour) {
    TsBitmap24 b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, colour);
    return b;
}

// A skin folder "C:\Skins\<name>\" with its options text and pictures.
void AddFolderSkin(TSkinTestPlatform& platform, const std::string& name, const std::string& options,
                   const std::map<std::string, std::vector<uint8_t>>& pictures = {},
                   const std::string& directory = "C:\\Skins\\\\") {
    platform.Files[directory + name + "\\Options.dat"] = Bytes(options);
    for (const auto& [file, bytes] : pictures)
        platform.Files[directory + name + "\\" + file] = bytes;
}

struct TLoaded {
    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};
    explicit TLoaded(const std::string& options,
                     const std::map<std::string, std::vector<uint8_t>>& pictures = {}) {
        AddFolderSkin(platform, "T", options, pictures);
        manager.SetSkinDirectory("C:\\Skins\\");
        manager.SetSkinName("T");
    }
    const TsGeneralData& Section(const std::string& name) {
        const int i = manager.FindSection(name);
        EXPECT_GE(i, 0) << name;
        return manager.gd.at(static_cast<size_t>(i));
    }
};

} // namespace

TEST(SkinMaskValue, EveryFormTheOptionsTextUses) {
    struct {
        const char* value;
        TsMaskSource source;
        TqzImgType kind;
        TRect r;
        int count, maskType, stretch, borderWidth;
        int wl, wt, wr, wb;
    } cases[] = {
        // The stated button frame: 36 x 24, three frames, a mask row, 4-pixel margins.
        {"^0177^0072^0213^0096^0004^0004^0004^0004^3^1^0^1",
         msMaster,
         itisaBorder,
         {177, 72, 213, 96},
         3,
         1,
         0,
         1,
         4,
         4,
         4,
         4},
        // No margins: the last digit gives them all, or the division rule does.
        {"^0072^0042^0090^0060^0000^0000^0000^0000^1^0^1^2",
         msMaster,
         itisaBorder,
         {72, 42, 90, 60},
         1,
         0,
         1,
         2,
         2,
         2,
         2,
         2},
        {"^0072^0042^0090^0060^0000^0000^0000^0000^1^0^1^0",
         msMaster,
         itisaBorder,
         {72, 42, 90, 60},
         1,
         0,
         1,
         0,
         6,
         6,
         6,
         6},
        {"^0000^0000^0036^0024^0000^0000^0000^0000^3^1^0^0",
         msMaster,
         itisaBorder,
         {0, 0, 36, 24},
         3,
         1,
         0,
         0,
         4,
         4,
         4,
         4},
        {"@0000@0040@0048@0066@3@1", msMaster, itisaGlyph, {0, 40, 48, 66}, 3, 1, 0, 0, 0, 0, 0, 0},
        // The stated form texture is 25 characters long; 23 characters leave MaskType 0.
        {"~0279~0000~0281~0116~02~0", msMaster, itisaTexture, {279, 0, 281, 116}, 1, 0, 2, 0, 0, 0, 0, 0},
        {"~0279~0000~0281~0116~10~1", msMaster, itisaTexture, {279, 0, 281, 116}, 1, 1, 10, 0, 0, 0, 0, 0},
        {"~0279~0000~0281~0116~02", msMaster, itisaTexture, {279, 0, 281, 116}, 1, 0, 2, 0, 0, 0, 0, 0},
        {"!TOPRIGHT.BMP!1!1!2", msPicture, itisaGlyph, {}, 1, 1, 4, 0, 0, 0, 0, 0},
        {"!Frame.bmp!3!1!0!5!6!7!8", msPicture, itisaBorder, {}, 3, 1, 4, 0, 5, 6, 7, 8},
        {"Huge.bmp", msPicture, itisaBorder, {}, 3, 1, 0, 0, 0, 0, 0, 0},
        {"Back.JPEG", msJpeg, itisaTexture, {}, 1, 0, 0, 0, 0, 0, 0, 0},
        // The older layout, fields separated by "#".
        {"0010#0020#0046#0032#3#1#0", msMaster, itisaBorder, {10, 20, 46, 32}, 3, 1, 0, 0, 4, 2, 4, 2},
        {"Old.bmp#2#0#1", msPicture, itisaTexture, {}, 2, 0, 4, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto mask = ParseMaskValue(c.value);
        ASSERT_TRUE(mask) << c.value;
        const TsMaskData& m = mask->Mask;
        EXPECT_EQ(mask->Source, c.source) << c.value;
        EXPECT_EQ(m.ImgType, c.kind) << c.value;
        if (c.source == msMaster) {
            EXPECT_EQ(m.R, c.r) << c.value;
        }
        EXPECT_EQ(m.ImageCount, c.count) << c.value;
        EXPECT_EQ(m.MaskType, c.maskType) << c.value;
        EXPECT_EQ(m.StretchMode, c.stretch) << c.value;
        EXPECT_EQ(m.BorderWidth, c.borderWidth) << c.value;
        EXPECT_EQ((std::array<int, 4>{m.WL, m.WT, m.WR, m.WB}), (std::array<int, 4>{c.wl, c.wt, c.wr, c.wb}))
            << c.value;
    }
    for (const char* notAMask : {"", "16184299", "TRUE", "5.43", "16184299;15788256;45;0;0", "Skin #2", "?"})
        EXPECT_FALSE(ParseMaskValue(notAMask)) << notAMask;
}

TEST(SkinMaskValue, AMalformedNumberEndsTheLoad) {
    struct {
        const char* value;
        const char* message;
    } cases[] = {
        {"@00x0@0040@0048@0066@3@1", "'00x0' is not a valid integer value"},
        {"^0177^0072^0213^0096^0004^0004^0004^0004^3^1", "'' is not a valid integer value"},
        {"!A.bmp!three!1!0", "'three' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        try {
            ParseMaskValue(c.value);
            ADD_FAILURE() << c.value;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    // Inside a skin it ends the load.
    TSkinTestPlatform platform;
    AddFolderSkin(platform, "T",
                  "[GLOBALINFO]\r\nMASTERBITMAP=M.bmp\r\n[FORM]\r\nGLYPHMASK=@0000@0000@00Z0@0010@1@0\r\n",
                  {{"M.bmp", EncodeBmp(Solid(20, 20, 0))}});
    TsSkinManager manager(nullptr);
    manager.SetSkinDirectory("C:\\Skins\\");
    EXPECT_THROW(manager.SetSkinName("T"), Exception);
}

TEST(SkinManager, MalformedGlobalNumbersFailOthersReadAsAbsent) {
    for (const char* key : {"SHADOW1OFFSET", "SHADOW1BLUR", "SHADOW1TRANSPARENCY"}) {
        TSkinTestPlatform platform;
        AddFolderSkin(platform, "T", std::string("[GLOBALINFO]\r\n") + key + "=1.5\r\n");
        TsSkinManager manager(nullptr);
        manager.SetSkinDirectory("C:\\Skins\\");
        try {
            manager.SetSkinName("T");
            ADD_FAILURE() << key;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "'1.5' is not a valid integer value");
        }
    }
    TLoaded skin("[GLOBALINFO]\r\nVERSION=five\r\n[FORM]\r\nCOLOR=red\r\nTRANSPARENCY=1x\r\n[BUTTON]\r\n"
                 "PARENTCLASS=FORM\r\n");
    EXPECT_EQ(skin.manager.SkinData.Version, 0);
    EXPECT_EQ(skin.Section("FORM").Color, clWhite);
    EXPECT_EQ(skin.Section("FORM").Transparency, 0);
}

TEST(SkinManager, SectionsInheritThroughParentClass) {
    TLoaded skin(
        "[GLOBALINFO]\r\nMASTERBITMAP=M.bmp\r\n"
        "[PAGECONTROL]\r\nCOLOR=1234\r\nTRANSPARENCY=40\r\nGRADIENTDATA=1;2;100;0;0\r\nSHOWFOCUS=TRUE\r\n"
        "SHADOWCOLOR=77\r\nBORDERSMASK=^0000^0000^0006^0006^0001^0001^0001^0001^1^0^0^0\r\n"
        "[PAGECONTROLBOTTOM]\r\nPARENTCLASS=PAGECONTROL\r\nIMAGEPERCENT=30\r\nTRANSPARENCY=-1\r\n"
        "PATTERN=~0000~0000~0002~0002~00~0\r\n"
        "[TABCONTROLBOTTOM]\r\nPARENTCLASS=PAGECONTROLBOTTOM\r\n"
        "[SELF]\r\nPARENTCLASS=SELF\r\n"
        "[LOOPA]\r\nPARENTCLASS=LOOPB\r\n[LOOPB]\r\nPARENTCLASS=LOOPA\r\n"
        "[ORPHAN]\r\nPARENTCLASS=NOWHERE\r\nBEVEL=3\r\n",
        {{"M.bmp", EncodeBmp(Solid(8, 8, 0x123456))}});
    TsSkinManager& m = skin.manager;
    const TsGeneralData& tab = skin.Section("TABCONTROLBOTTOM");
    EXPECT_EQ(tab.SectionName, "TABCONTROLBOTTOM");
    EXPECT_EQ(tab.ParentClass, "PAGECONTROLBOTTOM");
    EXPECT_EQ(tab.Color, 1234);
    EXPECT_EQ(tab.Transparency, 40); // -1 counts as absent, so the grandparent's value
    EXPECT_EQ(tab.ImagePercent, 30);
    EXPECT_EQ(tab.GradientData, "1;2;100;0;0");
    ASSERT_EQ(tab.GradientArray.size(), 1u);
    EXPECT_TRUE(tab.ShowFocus);
    EXPECT_EQ(tab.ShadowColor, 0); // never inherited

    const int index = m.FindSection("TABCONTROLBOTTOM");
    const int border = m.FindMask(index, "TABCONTROLBOTTOM", "BORDERSMASK");
    ASSERT_GE(border, 0);
    EXPECT_EQ(m.ma[static_cast<size_t>(border)].SectionName, "PAGECONTROL");
    const int texture = m.FindTexture(index, "TABCONTROLBOTTOM", "PATTERN");
    ASSERT_GE(texture, 0);
    EXPECT_EQ(m.ma[static_cast<size_t>(texture)].SectionName, "PAGECONTROLBOTTOM");
    EXPECT_EQ(m.FindTexture(index, "TABCONTROLBOTTOM", "BORDERSMASK"), -1); // a border is no texture
    EXPECT_EQ(m.FindMask(index, "TABCONTROLBOTTOM", "GLYPHMASK"), -1);
    EXPECT_EQ(m.FindMask(-1, "TABCONTROLBOTTOM", "BORDERSMASK"), -1);
    EXPECT_EQ(m.FindMask(index, "", "BORDERSMASK"), -1);

    // Chains that come round again end, and fields fall back to their defaults.
    for (const char* name : {"SELF", "LOOPA", "LOOPB"}) {
        EXPECT_EQ(skin.Section(name).Color, clWhite) << name;
        EXPECT_EQ(skin.Section(name).ShadowBlur, 6) << name;
        EXPECT_EQ(m.FindMask(m.FindSection(name), name, "BORDERSMASK"), -1) << name;
    }
    EXPECT_EQ(skin.Section("ORPHAN").Bevel, cbRaisedHard);
    EXPECT_EQ(m.FindSection("tabcontrolbottom"), -1); // section look-ups are exact
}

TEST(SkinManager, GeneralDataFieldsAndTheirDefaults) {
    TLoaded skin(
        "[A]\r\nCOLOR=-2147483633\r\nHOTCOLOR=255\r\nFONTCOLOR=10\r\nTCTOP=20\r\nHOTTCBOTTOM=30\r\n"
        "GIVEOWNFONT=true\r\nSHADOWENABLED=yes\r\nFADINGENABLED=TRUE\r\nHOTGRADIENTDATA=5;6;50;1;0;6;7;50;1;0"
        "\r\n[B]\r\n");
    const TsGeneralData& a = skin.Section("A");
    EXPECT_EQ(a.Color, 0xC0C0C0); // the system button face of the test platform
    EXPECT_EQ(a.HotColor, 255);
    EXPECT_EQ(a.FontColor, (TsFontColors{10, -1, 20, -1, -1}));
    EXPECT_EQ(a.HotFontColor, (TsFontColors{0, -1, -1, -1, 30}));
    EXPECT_TRUE(a.GiveOwnFont);
    EXPECT_FALSE(a.ShadowEnabled);
    EXPECT_TRUE(a.FadingEnabled);
    ASSERT_EQ(a.HotGradientArray.size(), 2u);
    EXPECT_EQ(a.HotGradientArray[1].Color2, 7);
    EXPECT_EQ(a.HotGradientArray[1].Mode, 1);

    const TsGeneralData& b = skin.Section("B");
    const TsGeneralData defaults;
    EXPECT_EQ(b.Color, 0xFFFFFF);
    EXPECT_EQ(b.ShadowBlur, 6);
    EXPECT_EQ(b.ShadowOffset, 3);
    EXPECT_EQ(b.ShadowTransparency, 50);
    EXPECT_EQ(b.FadingIntervalIn, 5);
    EXPECT_EQ(b.FadingIterations, 5);
    EXPECT_EQ(b.GradientData, " ");
    EXPECT_TRUE(b.GradientArray.empty());
    EXPECT_EQ(b.HotGradientData, "");
    EXPECT_EQ(b.FontColor, (TsFontColors{0, -1, -1, -1, -1}));
}

TEST(SkinManager, SkinInfoUsesAPointWhateverTheLocale) {
    struct TComma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new TComma));
    std::ostringstream probe;
    probe << 5.43;
    EXPECT_EQ(probe.str(), "5,43"); // the comma locale is in force
    {
        TSkinTestPlatform platform;
        TsSkinManager none(nullptr);
        EXPECT_EQ(none.SkinInfo(), "N/A");
        TLoaded skin("[GLOBALINFO]\r\nVERSION=5.43\r\n");
        EXPECT_EQ(skin.manager.SkinInfo(), "5.43");
        skin.manager.SetSkinInfo("9.99");
        EXPECT_EQ(skin.manager.SkinInfo(), "5.43");
        skin.manager.SetActive(false);
        EXPECT_EQ(skin.manager.SkinInfo(), "N/A");
    }
    std::locale::global(previous);
}

TEST(SkinManager, SkinDirectoryResolutionAndNormalisation) {
    TSkinTestPlatform platform;
    platform.ProgramDir = "C:\\Apps\\Kestova\\";
    TsSkinManager m(nullptr);
    EXPECT_EQ(m.SkinDirectory(), "c:\\Skins");
    struct {
        const char* directory;
        const char* resolved;
    } resolved[] = {
        {"..\\Skins", "C:\\Apps\\Skins"},           {"..", "C:\\Apps\\"},
        {".\\Skins", "C:\\Apps\\Kestova\\Skins"},   {"./Skins", "C:\\Apps\\Kestova\\Skins"},
        {"Skins", "C:\\Apps\\Kestova\\Skins"},      {"D:\\Skins", "D:\\Skins"},
        {"\\\\server\\skins", "\\\\server\\skins"},
    };
    for (const auto& c : resolved) {
        m.SetSkinDirectory(c.directory);
        EXPECT_EQ(m.ResolvedSkinDirectory(), c.resolved) << c.directory;
    }
    const std::pair<const char*, const char*> normalised[] = {{"", ""},
                                                              {"C:\\Skins\\", "C:\\Skins\\"},
                                                              {"C:/Skins/", "C:/Skins\\"},
                                                              {"D", "D:\\"},
                                                              {"C:\\Skins", "C:\\Skins\\"}};
    for (const auto& [in, out] : normalised)
        EXPECT_EQ(TsSkinManager::NormalizeDir(in), out) << in;
}

TEST(SkinManager, ChoosingWhereTheSkinComesFrom) {
    TSkinTestPlatform platform;
    const std::vector<uint8_t> master = EncodeBmp(Solid(4, 4, 0x112233));
    // An archive file and a folder of the same name: the archive wins.
    platform.Files["C:\\Skins\\Blue.qtz"] = PackArchive(
        {{"Options.dat", Bytes("[GLOBALINFO]\r\nVERSION=2\r\nMASTERBITMAP=M.bmp\r\n")}, {"M.bmp", master}});
    AddFolderSkin(platform, "Blue", "[GLOBALINFO]\r\nVERSION=1\r\n", {}, "C:\\Skins\\");
    AddFolderSkin(platform, "Green", "[GLOBALINFO]\r\nVERSION=3\r\nMASTERBITMAP=M.bmp\r\n",
                  {{"M.bmp", master}}, "C:\\Skins\\");

    TsSkinManager m(nullptr);
    TsStoredSkin stored;
    stored.Name = "Inside";
    stored.Data = TMemoryStream(PackArchive({{"Options.dat", Bytes("[GLOBALINFO]\r\nVERSION=4\r\n")}}));
    m.InternalSkins().push_back(std::move(stored));
    TsStoredSkin tables;
    tables.Name = "Tables";
    tables.Version = 6;
    tables.GeneralData.push_back(TsGeneralData{});
    tables.GeneralData.back().SectionName = "FORM";
    m.InternalSkins().push_back(std::move(tables));
    m.SetSkinDirectory("C:\\Skins");
    int before = 0, after = 0;
    m.OnBeforeChange = [&] { ++before; };
    m.OnAfterChange = [&] { ++after; };

    m.SetSkinName("Blue");
    EXPECT_EQ(m.SkinInfo(), "2");
    EXPECT_TRUE(m.SkinIsPacked());
    EXPECT_EQ(m.SkinData.SkinPath, "C:\\Skins\\");
    ASSERT_TRUE(m.MasterBitmap);

    m.SetSkinName("Green");
    EXPECT_EQ(m.SkinInfo(), "3");
    EXPECT_FALSE(m.SkinIsPacked());
    EXPECT_EQ(m.SkinData.SkinPath, "C:\\Skins\\Green\\");
    ASSERT_TRUE(m.MasterBitmap);
    EXPECT_EQ(m.MasterBitmap->Pixel(0, 0), 0x112233u);

    m.SetSkinName("Inside");
    EXPECT_EQ(m.SkinInfo(), "4");
    EXPECT_EQ(m.SkinData.SkinPath, "");

    m.SetSkinName("Tables"); // no archive: the stored skin's own tables
    EXPECT_EQ(m.SkinInfo(), "6");
    EXPECT_EQ(m.FindSection("FORM"), 0);

    m.SetSkinName("Nowhere"); // falls back to the first stored skin
    EXPECT_EQ(m.SkinName(), "Inside");
    EXPECT_EQ(m.SkinInfo(), "4");
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(before, 5);
    EXPECT_EQ(after, 5);

    m.InternalSkins().clear();
    m.SetSkinName("Nowhere"); // nothing at all: the manager switches itself off
    EXPECT_FALSE(m.Active());
    EXPECT_EQ(m.SkinInfo(), "N/A");
    EXPECT_TRUE(m.gd.empty());
    EXPECT_EQ(m.FindSection("GLOBALINFO"), -1);
}

TEST(SkinManager, PicturesBecomeMasksPatternsOrNothing) {
    const std::vector<uint8_t> big = MakeTestJpeg(300, 300, 200, 40, 40);  // 90,000 pixels: a pattern
    const std::vector<uint8_t> small = MakeTestJpeg(16, 8, 40, 40, 200);   // a texture of its own
    const std::vector<uint8_t> edge = MakeTestJpeg(299, 300, 40, 200, 40); // 89,700 pixels: a texture
    TLoaded skin(
        "[GLOBALINFO]\r\nMASTERBITMAP=M.bmp\r\nCHECK=@0000@0000@0008@0004@2@0\r\n"
        "[FORM]\r\nPATTERN=Back.jpg\r\nHOTPATTERN=small.JPEG\r\nEDGE=edge.jpg\r\nGONE=gone.jpg\r\n"
        "IMGTOPLEFT=!Corner.bmp!1!1!2\r\nIMGTOPRIGHT=!Nothing.bmp!1!1!2\r\nBORDERSMASK=Frame.BMP\r\n",
        {{"M.bmp", EncodeBmp(Solid(8, 4, 0x010203))},
         {"Back.jpg", big},
         {"small.JPEG", small},
         {"edge.jpg", edge},
         {"Corner.bmp", EncodeBmp(Solid(6, 10, 0x0000FF))},
         {"Frame.BMP", EncodeBmp(Solid(36, 24, 0x00FF00))}});
    TsSkinManager& m = skin.manager;
    const int form = m.FindSection("FORM");
    ASSERT_EQ(m.pa.size(), 1u);
    EXPECT_EQ(m.pa[0].PropertyName, "PATTERN");
    EXPECT_EQ(m.FindPattern(form, "FORM", "PATTERN"), 0);
    ASSERT_EQ(m.pa[0].Image->Width, 300);
    const uint32_t red = m.pa[0].Image->Pixel(150, 150);
    EXPECT_NEAR(red & 0xFF, 200, 4);
    EXPECT_NEAR((red >> 16) & 0xFF, 40, 4);

    for (const char* name : {"HOTPATTERN", "EDGE"}) {
        const int t = m.FindTexture(form, "FORM", name);
        ASSERT_GE(t, 0) << name;
        EXPECT_TRUE(m.ma[static_cast<size_t>(t)].Image) << name;
        EXPECT_EQ(m.ma[static_cast<size_t>(t)].ImageCount, 1) << name;
    }
    EXPECT_EQ(m.ma[static_cast<size_t>(m.FindTexture(form, "FORM", "HOTPATTERN"))].R, (TRect{0, 0, 16, 8}));
    EXPECT_EQ(m.FindMask(form, "FORM", "GONE"), -1);
    EXPECT_EQ(m.FindMask(form, "FORM", "IMGTOPRIGHT"), -1);

    const int corner = m.FindMask(form, "FORM", "IMGTOPLEFT");
    ASSERT_GE(corner, 0);
    EXPECT_EQ(m.ma[static_cast<size_t>(corner)].R, (TRect{0, 0, 6, 10}));
    EXPECT_EQ(m.ma[static_cast<size_t>(corner)].StretchMode, 4);
    const int frame = m.FindMask(form, "FORM", "BORDERSMASK");
    ASSERT_GE(frame, 0);
    const TsMaskData& f = m.ma[static_cast<size_t>(frame)];
    EXPECT_EQ(f.ImageCount, 3);
    EXPECT_EQ(f.MaskType, 1);
    EXPECT_EQ((std::array<int, 4>{f.WL, f.WT, f.WR, f.WB}), (std::array<int, 4>{4, 4, 4, 4}));
    EXPECT_EQ(m.MaskWidthLeft(frame), 4);
    EXPECT_EQ(m.FindMask(m.FindSection("GLOBALINFO"), "GLOBALINFO", "MASTERBITMAP"), -1);
}

TEST(SkinManager, HueAndSaturationRecolourButLeaveKeyAndGreys) {
    const std::vector<uint8_t> master = [] {
        TsBitmap24 b(3, 1);
        b.SetPixel(0, 0, 0x0000FF); // red
        b.SetPixel(1, 0, 0xFF00FF); // the key colour
        b.SetPixel(2, 0, 0x808080); // grey
        return EncodeBmp(b);
    }();
    TLoaded skin("[GLOBALINFO]\r\nMASTERBITMAP=M.bmp\r\n[A]\r\nCOLOR=255\r\nHOTCOLOR=8421504\r\n",
                 {{"M.bmp", master}});
    skin.manager.SetHueOffset(120); // red turns green
    EXPECT_EQ(skin.manager.MasterBitmap->Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(skin.manager.MasterBitmap->Pixel(1, 0), 0xFF00FFu);
    EXPECT_EQ(skin.manager.MasterBitmap->Pixel(2, 0), 0x808080u);
    EXPECT_EQ(skin.Section("A").Color, 0x00FF00);
    EXPECT_EQ(skin.Section("A").HotColor, 0x808080);
    skin.manager.SetHueOffset(0);
    skin.manager.SetSaturation(50); // red loses half its saturation
    EXPECT_EQ(skin.manager.MasterBitmap->Pixel(0, 0), 0x8080FFu);
    EXPECT_EQ(skin.Section("A").Color, 0x8080FF);
}

TEST(SkinManager, CommonSectionsOverrideAndAdd) {
    TLoaded skin("[BUTTON]\r\nCOLOR=100\r\nTRANSPARENCY=20\r\nBEVEL=1\r\n[PANEL]\r\nCOLOR=300\r\n");
    skin.manager.SetCommonSections({"[BUTTON]", "COLOR = 0x10", "TRANSPARENCY=abc", "; a comment = 5",
                                    "[EXTRA]", "PARENTCLASS=PANEL", "BEVEL=2"});
    EXPECT_EQ(skin.manager.CommonSections()[1], "COLOR=0x10");
    EXPECT_EQ(skin.manager.CommonSections()[3], "; a comment = 5");
    EXPECT_EQ(skin.Section("BUTTON").Color, 16);
    EXPECT_EQ(skin.Section("BUTTON").Transparency, 20); // unreadable: not given
    EXPECT_EQ(skin.Section("BUTTON").Bevel, cbRaisedSoft);
    EXPECT_EQ(skin.Section("EXTRA").Color, 300);
    EXPECT_EQ(skin.Section("EXTRA").Bevel, cbLoweredSoft);
}
