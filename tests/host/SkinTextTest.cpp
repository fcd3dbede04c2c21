// Skinned text: which texts are drawn, in which colours, at which offsets,
// recorded by a canvas that draws nothing.
#include "PaintTestSkin.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct TCall {
    TRect Rect;
    unsigned Flags = 0;
    TColor Color = 0;
    bool operator==(const TCall&) const = default;
};

class TRecordingCanvas final : public TsTextCanvas {
public:
    void SetFont(const TsTextFont& font) override { Font = font; }
    void SetClip(const std::optional<TRect>& clip) override { Clips.push_back(clip); }
    TsTextSize TextExtent(const std::string& text) override { return {int(text.size()) * 6, 13}; }
    void PutText(const std::string& text, const TRect& rect, unsigned flags, TColor color) override {
        EXPECT_EQ(text, "Refresh");
        Calls.push_back({rect, flags, color});
    }
    TsTextFont Font;
    std::vector<std::optional<TRect>> Clips;
    std::vector<TCall> Calls;
};

struct TTextSkin : TPaintSkin {
    int global = AddSection("GLOBALINFO", [](TsGeneralData& g) { g.Color = 0x0000C8; });
    int button = AddSection("BUTTON", [](TsGeneralData& g) {
        g.FontColor = {0x000010, 0x000011, -1, 0x000013, 0x000014};
        g.HotFontColor = {0x000020, -1, 0x000022, -1, -1};
    });
};

const TRect box{10, 20, 70, 40};
constexpr unsigned flags = tfVCenter | tfSingleLine;

TEST(SkinText, ContoursLeftTopRightBottomThenTheText) {
    TTextSkin s;
    TRecordingCanvas canvas;
    WriteSkinText(canvas, "Refresh", true, false, s.Item(s.button), flags, box);
    const std::vector<TCall> expected = {
        {{9, 20, 69, 40}, flags | tfNoClip, 0x000011},  // left contour, 1 pixel left
        {{11, 20, 71, 40}, flags | tfNoClip, 0x000013}, // right contour (top is -1)
        {{10, 21, 70, 41}, flags | tfNoClip, 0x000014}, // bottom contour
        {box, flags | tfNoClip, 0x000010},
    };
    EXPECT_EQ(canvas.Calls, expected);
    ASSERT_EQ(canvas.Clips.size(), 2u);
    EXPECT_EQ(canvas.Clips[0], std::optional<TRect>(box)) << "clipped to the rectangle";
    EXPECT_EQ(canvas.Clips[1], std::nullopt);
}

TEST(SkinText, HotCustomFontDisabledAndUnskinned) {
    TTextSkin s;
    TsItemSkin item = s.Item(s.button);
    item.Font.Color = 0x0000AA;
    {
        TRecordingCanvas canvas;
        WriteSkinText(canvas, "Refresh", true, true, item, flags, box);
        const std::vector<TCall> expected = {{{10, 19, 70, 39}, flags | tfNoClip, 0x000022},
                                             {box, flags | tfNoClip, 0x000020}};
        EXPECT_EQ(canvas.Calls, expected);
        EXPECT_FALSE(canvas.Font.Underline);
    }
    {
        // The control keeps its own font colour and has no contours.
        item.CustomFont = true;
        TRecordingCanvas canvas;
        WriteSkinText(canvas, "Refresh", true, false, item, flags, box);
        const std::vector<TCall> expected = {{box, flags | tfNoClip, 0x0000AA}};
        EXPECT_EQ(canvas.Calls, expected);
        item.CustomFont = false;
    }
    {
        // Disabled: MixColors(text colour 0x10, global background 0xC8, 0.4) once:
        // red .4 * 16 + .6 * 200 = 126.4.
        TRecordingCanvas canvas;
        WriteSkinText(canvas, "Refresh", false, true, item, flags, box);
        ASSERT_EQ(canvas.Calls.size(), 1u);
        EXPECT_EQ(canvas.Calls[0].Color, 0x00007E);
    }
    {
        item.SectionIndex = -1;
        TRecordingCanvas canvas;
        WriteSkinText(canvas, "Refresh", true, true, item, flags, box);
        const std::vector<TCall> expected = {{box, flags, 0x0000AA}};
        EXPECT_EQ(canvas.Calls, expected) << "not skinned: once, in the control's font";
    }
    {
        TTextSkin web;
        const int section = web.AddSection("WEBBUTTON");
        TRecordingCanvas canvas;
        WriteSkinText(canvas, "Refresh", true, true, web.Item(section), flags, box);
        EXPECT_TRUE(canvas.Font.Underline) << "a hot web button is underlined";
    }
}

TEST(SkinText, TransparentControlsTakeTheColoursOfAGivingAncestor) {
    TTextSkin s;
    const int label = s.AddSection("LABEL", [](TsGeneralData& g) { g.Transparency = 100; });
    const int clear = s.AddSection("CLEAR", [](TsGeneralData& g) { g.Transparency = 80; });
    const int half = s.AddSection("HALF", [](TsGeneralData& g) { g.Transparency = 50; });
    const int giving = s.AddSection("GIVING", [](TsGeneralData& g) { g.GiveOwnFont = true; });
    struct {
        std::vector<int> ancestors;
        bool takesParentFont;
        int expected;
    } cases[] = {
        {{clear, giving}, true, giving}, // through a transparent parent to an opaque giver
        {{giving}, true, giving},        {{half, giving}, true, label}, // a parent at 50 % ends the walk
        {{clear, clear}, true, label},                                  // no giver: its own
        {{-1, giving}, true, label},                                    // an unskinned parent ends the walk
        {{giving}, false, label}, // only for controls taking their parent's font
    };
    for (const auto& c : cases) {
        TsItemSkin item = s.Item(label);
        item.TakesParentFont = c.takesParentFont;
        item.AncestorSection = [&](int depth) -> std::optional<int> {
            if (depth > int(c.ancestors.size()))
                return std::nullopt;
            return c.ancestors[size_t(depth - 1)];
        };
        EXPECT_EQ(TextSectionIndex(item, false), c.expected);
    }
    // An opaque control keeps its own section.
    TsItemSkin opaque = s.Item(s.button);
    opaque.TakesParentFont = true;
    opaque.AncestorSection = [&](int) -> std::optional<int> { return giving; };
    EXPECT_EQ(TextSectionIndex(opaque, false), s.button);
}

} // namespace
