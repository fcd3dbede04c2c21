// The internal skin "ZUR (internal)" as the build packs it, held against what
// the program is known to ask of it.
#include "SkinTestPlatform.h"
#include "skin/qzSkinPack.h"
#include "skin/sSkinManager.h"
#include "base/Text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> PackedZur() {
    std::ifstream file(KESTOVA_ZUR_ARCHIVE, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SkinZur : public ::testing::Test {
protected:
    void SetUp() override {
        TsStoredSkin stored;
        stored.Name = "ZUR (internal)";
        stored.Data = TMemoryStream(PackedZur());
        manager.InternalSkins().push_back(std::move(stored));
        manager.SetSkinDirectory("C:\\Nowhere");
        manager.SetSkinName("ZUR (internal)");
        reader.LoadFromStream(manager.InternalSkins()[0].Data);
        options.SetText(reader.OptionsText->View());
    }
    const TsMaskData& Mask(const std::string& section, const std::string& key) {
        const int i = manager.FindMask(manager.FindSection(section), section, key);
        EXPECT_GE(i, 0) << section << " " << key;
        static const TsMaskData none;
        return i >= 0 ? manager.ma[static_cast<size_t>(i)] : none;
    }
    const TsGeneralData& Section(const std::string& name) {
        const int i = manager.FindSection(name);
        EXPECT_GE(i, 0) << name;
        return manager.gd.at(static_cast<size_t>(i < 0 ? 0 : i));
    }

    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};
    TqzSkinConvertor reader;
    TsIniText options;
};

} // namespace

TEST_F(SkinZur, FourEntriesInTheStatedOrderAndNoJpeg) {
    std::vector<std::string> names;
    for (const TqzImageItem& item : reader.PictureEntries) {
        names.push_back(item.EntryName);
        EXPECT_TRUE(item.IsBmp) << item.EntryName;
    }
    // The options text first, then the huge-button mask, the master bitmap, the title-bar decoration.
    EXPECT_EQ(PackedZur()[12], 'O');
    EXPECT_EQ(names, (std::vector<std::string>{"HUGEBTN.BMP", "Master.bmp", "TOPRIGHT.BMP"}));
    EXPECT_TRUE(manager.pa.empty());
    EXPECT_EQ(manager.SkinName(), "ZUR (internal)");
    EXPECT_TRUE(manager.SkinIsPacked());
}

TEST_F(SkinZur, SixtyTwoUpperCaseSectionsWithoutDividerV) {
    EXPECT_EQ(options.Sections().size(), 62u);
    EXPECT_EQ(manager.gd.size(), 62u);
    EXPECT_EQ(manager.gd[0].SectionName, "GLOBALINFO");
    for (const TsGeneralData& g : manager.gd) {
        EXPECT_EQ(g.SectionName, UpperText(g.SectionName));
        EXPECT_FALSE(g.FadingEnabled) << g.SectionName;
    }
    for (const char* name : {"FORM",         "FORMTITLE",       "DIALOG",        "BUTTON",
                             "BUTTON_BIG",   "BUTTON_HUGE",     "STATUSBAR",     "PANEL",
                             "EDIT",         "COLHEADER",       "SCROLLBAR1H",   "SCROLLBAR1V",
                             "SCROLLBAR2H",  "SCROLLBAR2V",     "SCROLLBTNLEFT", "SCROLLBTNRIGHT",
                             "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLSLIDERH", "SCROLLSLIDERV",
                             "MENUITEM",     "MAINMENU",        "HINT",          "TRACKBAR",
                             "GROUPBOX"})
        EXPECT_GE(manager.FindSection(name), 0) << name;
    EXPECT_EQ(manager.FindSection("DIVIDERV"), -1);
    for (const TsIniSection& s : options.Sections())
        for (const TsIniKey& k : s.Keys)
            EXPECT_EQ(k.Value.find('#'), std::string::npos) << s.Name << " " << k.Name;
}

TEST_F(SkinZur, StatedKeysAndValues) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } stated[] = {
        {"GLOBALINFO", "SHADOW1COLOR", "7496537"},
        {"GLOBALINFO", "SHADOW1BLUR", "3"},
        {"GLOBALINFO", "SHADOW1OFFSET", "1"},
        {"GLOBALINFO", "TCLEFT", "16771002"},
        {"FORM", "PATTERN", "~0279~0000~0281~0116~02~0"},
        {"FORM", "IMGTOPRIGHT", "!TOPRIGHT.BMP!1!1!2"},
        {"BUTTON", "BORDERSMASK", "^0177^0072^0213^0096^0004^0004^0004^0004^3^1^0^1"},
        {"EDIT", "COLOR", "16777215"},
        {"EDIT", "FONTCOLOR", "0"},
        {"MENUITEM", "TRANSPARENCY", "100"},
    };
    for (const auto& s : stated)
        EXPECT_EQ(options.ReadString(s.section, s.key, "<absent>"), s.value) << s.section << " " << s.key;

    EXPECT_EQ(manager.SkinData.Shadow1Color, 7496537);
    EXPECT_EQ(manager.SkinData.Shadow1Blur, 3);
    EXPECT_EQ(manager.SkinData.Shadow1Offset, 1);
    EXPECT_EQ(manager.SkinData.TitleButtonSpacing, 0);
    EXPECT_EQ(Section("GLOBALINFO").FontColor[1], 16771002);
    // The button's four vertical segments: 45 % 0xF6F3EB to 0xF0E8E0, 10 % to 0xE2D8C7, 42 % to 0xF6F3EC,
    // then that colour.
    const std::vector<TsGradientSegment>& g = Section("BUTTON").GradientArray;
    ASSERT_EQ(g.size(), 4u);
    const int expected[4][3] = {{0xF6F3EB, 0xF0E8E0, 45}, {0xF0E8E0, 0xE2D8C7, 10}, {0xE2D8C7, 0xF6F3EC, 42}};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ((std::array<int, 4>{g[i].Color1, g[i].Color2, g[i].Percent, g[i].Mode}),
                  (std::array<int, 4>{expected[i][0], expected[i][1], expected[i][2], 0}));
    EXPECT_EQ(g[3].Color1, 0xF6F3EC);
    EXPECT_EQ(g[3].Color2, 0xF6F3EC);
    EXPECT_GT(Section("BUTTON").GradientPercent, 0);
    EXPECT_GT(Section("STATUSBAR").GradientPercent, 0);
    EXPECT_EQ(Section("EDIT").Color, 0xFFFFFF);
    EXPECT_EQ(Section("EDIT").FontColor[0], 0);
    EXPECT_EQ(Section("MENUITEM").Transparency, 100);
    EXPECT_EQ(manager.SkinInfo(), "5.43");
}

TEST_F(SkinZur, MasksThePaintingCodeCountsOn) {
    const TsMaskData& button = Mask("BUTTON", "BORDERSMASK");
    EXPECT_EQ(button.R, (TRect{177, 72, 213, 96}));
    EXPECT_EQ((std::array<int, 4>{button.WL, button.WT, button.WR, button.WB}),
              (std::array<int, 4>{4, 4, 4, 4}));
    for (const char* icon : {"BICONCLOSE", "BICONMIN", "BICONMAX", "BICONNORM", "BICONHELP"}) {
        const TsMaskData& m = Mask("GLOBALINFO", icon);
        EXPECT_EQ(m.R.Width() / m.ImageCount, 16) << icon;
        EXPECT_EQ(m.R.Height() / (m.MaskType + 1), 13) << icon;
    }
    const TsMaskData& item = Mask("MENUITEM", "BORDERSMASK");
    EXPECT_EQ(item.ImageCount, 3);
    EXPECT_TRUE(item.StretchMode & 2);
    const TsMaskData& channel = Mask("TRACKBAR", "SLIDERCHANNEL");
    EXPECT_EQ(channel.ImgType, itisaBorder);
    EXPECT_FALSE(channel.StretchMode & 2);
    const TsMaskData& pattern = Mask("FORM", "PATTERN");
    EXPECT_EQ(pattern.ImgType, itisaTexture);
    EXPECT_EQ(pattern.StretchMode, 2);
    const TsMaskData& decoration = Mask("FORM", "IMGTOPRIGHT");
    EXPECT_TRUE(decoration.Image);
    EXPECT_EQ(decoration.ImgType, itisaGlyph);
    EXPECT_TRUE(Mask("BUTTON_HUGE", "BORDERSMASK").Image);
    EXPECT_EQ(manager.FindMask(manager.FindSection("STATUSBAR"), "STATUSBAR", "STATUSPANELMASK"), -1);
    EXPECT_EQ(manager.Cached().ScrollButtons[0].Section, manager.FindSection("SCROLLBTNTOP"));
    EXPECT_GE(manager.Cached().ScrollButtons[0].GlyphMask, 0);
}

TEST_F(SkinZur, EveryMaskLiesInsideItsPicture) {
    ASSERT_TRUE(manager.MasterBitmap);
    ASSERT_GT(manager.ma.size(), 20u);
    for (const TsMaskData& m : manager.ma) {
        const TsBitmap24& picture = m.Image ? *m.Image : *manager.MasterBitmap;
        EXPECT_TRUE(m.R.Left >= 0 && m.R.Top >= 0 && m.R.Right <= picture.Width &&
                    m.R.Bottom <= picture.Height && m.R.Width() > 0 && m.R.Height() > 0)
            << m.SectionName << " " << m.PropertyName;
        EXPECT_EQ(m.R.Width() % std::max<int>(m.ImageCount, 1), 0) << m.SectionName << " " << m.PropertyName;
        EXPECT_EQ(m.R.Height() % (m.MaskType + 1), 0) << m.SectionName << " " << m.PropertyName;
    }
    // Key-coloured corners cut the button's outline from its window region.
    EXPECT_EQ(manager.MasterBitmap->Pixel(177, 72), 0xFF00FFu);
}
