// Skinned text: the section's text colour over its four contour colours.
#include "sGraphUtils.h"
#include "sSkinManager.h"

namespace {

// Parents are asked one after the other; a chain this long means a loop.
constexpr int MaxAncestorDepth = 64;

} // namespace

int TextSectionIndex(const TsItemSkin& skin, bool hot) {
    const int own = skin.SectionIndex;
    if (!IsSkinned(skin) || !skin.TakesParentFont || !skin.AncestorSection)
        return own;
    const TsGeneralDataArray& gd = skin.SkinManager->gd;
    const TsGeneralData& g = gd[size_t(own)];
    if ((hot ? g.HotTransparency : g.Transparency) <= 0)
        return own;
    // Up through the parents that let their own parent show through; the
    // first one that gives its font colours to its children is taken, also
    // when it is itself opaque.
    for (int depth = 1; depth <= MaxAncestorDepth; ++depth) {
        const std::optional<int> section = skin.AncestorSection(depth);
        if (!section || *section < 0 || size_t(*section) >= gd.size())
            return own;
        const TsGeneralData& ancestor = gd[size_t(*section)];
        if (ancestor.GiveOwnFont)
            return *section;
        if (ancestor.Transparency <= 50)
            return own;
    }
    return own;
}

void WriteSkinText(TsTextCanvas& canvas, const std::string& text, bool enabled, bool hot,
                   const TsItemSkin& skin, unsigned flags, const TRect& rect) {
    TsTextFont font = skin.Font;
    if (hot && skin.SkinSection == "WEBBUTTON")
        font.Underline = true;
    canvas.SetFont(font);
    canvas.SetClip(rect);
    if (!IsSkinned(skin)) {
        canvas.PutText(text, rect, flags, ToRGB(font.Color));
    } else {
        const TsSkinManager& manager = *skin.SkinManager;
        const TsGeneralData& g = manager.gd[size_t(TextSectionIndex(skin, hot))];
        if (!enabled) {
            canvas.PutText(text, rect, flags,
                           MixColors(ToRGB(g.FontColor[0]), ToRGB(manager.GlobalBackColor()), 0.4));
        } else {
            const TsFontColors& colors = hot ? g.HotFontColor : g.FontColor;
            if (!skin.CustomFont) {
                // Left, top, right and bottom contours, each one pixel out.
                static const TPoint offsets[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
                for (size_t side = 0; side < 4; ++side)
                    if (colors[side + 1] != -1)
                        canvas.PutText(text, OffsetRectBy(rect, offsets[side].X, offsets[side].Y),
                                       flags | tfNoClip, ToRGB(colors[side + 1]));
            }
            canvas.PutText(text, rect, flags | tfNoClip, ToRGB(skin.CustomFont ? font.Color : colors[0]));
        }
    }
    canvas.SetClip(std::nullopt);
}
