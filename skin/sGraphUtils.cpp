// Composing a control's picture: the section's background blended with the
// parent's, the frame, the corner decorations; and the disabled look.
#include "sGraphUtils.h"
#include "sSkinManager.h"

#include <algorithm>

namespace {

enum class TPainterRule { Standard, ScrollParts };

// The values that the state picks from a section.
struct TBackgroundValues {
    TColor Color = clNone;
    int T = 0; // transparency
    int I = 0; // texture share
    int G = 0; // gradient share
    const std::vector<TsGradientSegment>* Gradient = nullptr;
};

// A texture: a mask of the skin's pictures, or a JPEG pattern.
struct TTexture {
    const TsMaskData* Mask = nullptr;
    const TsBitmap24* Pattern = nullptr;
};

bool ValidMask(const TsSkinManager& manager, int index) {
    return index >= 0 && size_t(index) < manager.ma.size();
}

TTexture ChooseTexture(const TsSkinManager& manager, int sectionIndex, const std::string& sectionName,
                       bool hot, int given) {
    TTexture texture;
    if (given >= 0) {
        if (ValidMask(manager, given) && manager.ma[size_t(given)].MaskType <= 0)
            texture.Mask = &manager.ma[size_t(given)];
        return texture;
    }
    const char* key = hot ? "HOTPATTERN" : "PATTERN";
    if (const int m = manager.FindMask(sectionIndex, sectionName, key); ValidMask(manager, m)) {
        texture.Mask = &manager.ma[size_t(m)];
        return texture;
    }
    if (const int p = manager.FindPattern(sectionIndex, sectionName, key);
        p >= 0 && size_t(p) < manager.pa.size() && manager.pa[size_t(p)].Image)
        texture.Pattern = manager.pa[size_t(p)].Image.get();
    return texture;
}

// The section's own background over the area (background: the parent's,
// placed for this target).
void PaintOwnBackground(TsBitmap24& target, const TRect& area, const TBackgroundValues& v,
                        const TTexture& texture, const TsBackgroundDescriptor& background,
                        TPainterRule rule) {
    const bool hasGradient = v.Gradient && !v.Gradient->empty();
    bool textured = false;
    if (v.I > 0) {
        TRect uncovered = area;
        if (texture.Mask) {
            uncovered = TileTexture(target, area, *texture.Mask, background);
            textured = true;
        } else if (texture.Pattern) {
            TileTexture(target, area, *texture.Pattern);
            uncovered = {};
            textured = true;
        }
        if (!IsEmptyRect(uncovered))
            FillArea(target, uncovered, v.Color);
    }
    if (v.G > 0) {
        if (textured) {
            // The texture keeps alpha / 255, the gradient gives the rest.
            TsBitmap24 gradient(area.Width(), area.Height());
            if (hasGradient)
                PaintGradient(gradient, BoundsOf(gradient), *v.Gradient);
            else
                FillArea(gradient, BoundsOf(gradient), v.Color);
            const int alpha = rule == TPainterRule::Standard ? std::min(255, v.I * 255 / 100)
                                                             : int(uint8_t(v.I * 256 / 100));
            BlendPicture(target, gradient, alpha, {area.Left, area.Top}, BoundsOf(gradient));
        } else if (hasGradient) {
            PaintGradient(target, area, *v.Gradient);
        } else {
            FillArea(target, area, v.Color);
        }
    }
    const int sum = v.I + v.G;
    if (sum == 0) {
        const bool parentColour = v.T != 0 && !background.HasPicture() && background.HasFill();
        FillArea(target, area, parentColour ? background.FillColor : v.Color);
    } else if (sum < 100) {
        BlendColorOver(target, area, sum, v.Color);
    } else if (sum > 100 && rule == TPainterRule::ScrollParts) {
        FillArea(target, area, v.Color);
    }
}

void Background(TsBitmap24& target, TsSkinManager& manager, int sectionIndex, const std::string& sectionName,
                const TsBackgroundDescriptor& background, TColor customColor, int hotTextureMask,
                int textureMask, TPoint origin, const TRect& area, int state, TPainterRule rule) {
    if (sectionIndex < 0 || size_t(sectionIndex) >= manager.gd.size() || IsEmptyRect(area) ||
        IsEmptyRect(IntersectRects(area, BoundsOf(target))))
        return;
    const TsGeneralData& g = manager.gd[size_t(sectionIndex)];
    const bool hot = state > 0;
    TBackgroundValues v;
    if (customColor != clNone) {
        v.Color = customColor;
    } else if (hot) {
        v.Color = g.HotColor;
        v.T = g.HotTransparency;
        if (v.T != 100) {
            v.I = g.HotImagePercent;
            v.G = g.HotGradientPercent;
            v.Gradient = &g.HotGradientArray;
        }
    } else {
        v.Color = g.Color;
        v.T = g.Transparency;
        v.I = g.ImagePercent;
        v.G = g.GradientPercent;
        v.Gradient = &g.GradientArray;
    }
    TTexture texture;
    if (v.I > 0)
        texture = ChooseTexture(manager, sectionIndex, sectionName, hot, hot ? hotTextureMask : textureMask);

    TsBackgroundDescriptor parent = background;
    parent.X += origin.X;
    parent.Y += origin.Y;
    if (parent.IsEmpty() || v.T == 0) {
        PaintOwnBackground(target, area, v, texture, parent, rule);
    } else if (v.T >= 100) {
        PaintParentBackground(target, area, parent);
    } else {
        // The own background in a picture of its own, mixed over the parent's.
        TsBitmap24 own(area.Width(), area.Height());
        TsBackgroundDescriptor shifted = parent;
        shifted.X += area.Left;
        shifted.Y += area.Top;
        PaintOwnBackground(own, BoundsOf(own), v, texture, shifted, rule);
        PaintParentBackground(target, area, parent);
        BlendPicture(target, own, std::min(255, v.T * 255 / 100), {area.Left, area.Top}, BoundsOf(own));
    }

    // In the normal state a texture with a transparency mask in mode 10 goes
    // over the result (the hot one when the normal one has no such mask).
    if (!hot && customColor == clNone) {
        auto overlay = [&](int index) {
            if (!ValidMask(manager, index))
                return false;
            const TsMaskData& m = manager.ma[size_t(index)];
            if (m.MaskType <= 0)
                return false;
            if (m.StretchMode == 10)
                TileTexture(target, area, m, parent);
            return true;
        };
        if (!overlay(textureMask))
            overlay(hotTextureMask);
    }
}

void CornerDecorations(TsBitmap24& target, const TsSkinManager& manager, int sectionIndex,
                       const std::string& sectionName, const TRect& area, int state) {
    static const char* const names[] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
    const TsBackgroundDescriptor self = TsBackgroundDescriptor::OfPicture(target, 0, 0);
    for (int corner = 0; corner < 4; ++corner) {
        const int index = manager.FindMask(sectionIndex, sectionName, names[corner]);
        if (!ValidMask(manager, index))
            continue;
        const TsMaskData& m = manager.ma[size_t(index)];
        const TsFrameSize f = MaskFrameSize(m);
        const int x = corner % 2 == 0 ? area.Left : area.Right - f.W;
        const int y = corner < 2 ? area.Top : area.Bottom - f.H;
        DrawMaskGlyph(target, {x, y}, state, self, m, true);
    }
}

bool Composable(const TsBitmap24* target, const TRect& area) {
    return target && !IsEmptyRect(area) && !IsEmptyRect(IntersectRects(area, BoundsOf(*target)));
}

} // namespace

TsItemSkin SectionItemSkin(TsSkinManager& manager, const std::string& section) {
    TsItemSkin s;
    s.SkinManager = &manager;
    s.SkinSection = section;
    s.SectionIndex = manager.FindSection(section);
    s.FrameMaskIndex = manager.FindMask(s.SectionIndex, section, "BORDERSMASK");
    s.TextureMask = manager.FindTexture(s.SectionIndex, section, "PATTERN");
    s.HotTextureMask = manager.FindTexture(s.SectionIndex, section, "HOTPATTERN");
    return s;
}

bool IsSkinned(const TsItemSkin& skin) {
    return skin.SkinManager && skin.SkinManager->Active() && skin.SectionIndex >= 0 &&
           size_t(skin.SectionIndex) < skin.SkinManager->gd.size();
}

void ComposeItem(TsBitmap24* target, const TsItemSkin& skin, TsBackgroundDescriptor background,
                 bool fillCentre, int state, bool cornerFlag, TPoint origin, const TRect& area) {
    if (!Composable(target, area) || !IsSkinned(skin))
        return;
    TsSkinManager& manager = *skin.SkinManager;
    const TColor custom = skin.CustomColor ? ToRGB(skin.ControlColor) : clNone;
    ComposeBackground(*target, manager, skin.SectionIndex, skin.SkinSection, background, custom,
                      skin.HotTextureMask, skin.TextureMask, origin, area, state);
    background.X += origin.X;
    background.Y += origin.Y;
    // DrawNinePiece leaves the frame out in state 0 for masks that ask so.
    if (ValidMask(manager, skin.FrameMaskIndex))
        DrawNinePiece(*target, area, fillCentre, cornerFlag, state, skin.FrameMaskIndex, manager, background);
    CornerDecorations(*target, manager, skin.SectionIndex, skin.SkinSection, area, state);
}

void ComposeItem(TsBitmap24* target, TsSkinManager& manager, int sectionIndex, const std::string& sectionName,
                 TsBackgroundDescriptor background, bool fillCentre, int state, TPoint origin,
                 const TRect& area) {
    if (!Composable(target, area) || sectionIndex < 0 || size_t(sectionIndex) >= manager.gd.size())
        return;
    const int texture = manager.FindTexture(sectionIndex, sectionName, "PATTERN");
    const int hotTexture = manager.FindTexture(sectionIndex, sectionName, "HOTPATTERN");
    ComposeBackground(*target, manager, sectionIndex, sectionName, background, clNone, hotTexture, texture,
                      origin, area, state);
    background.X += origin.X;
    background.Y += origin.Y;
    CornerDecorations(*target, manager, sectionIndex, sectionName, area, state);
    const int frame = manager.FindMask(sectionIndex, sectionName, "BORDERSMASK");
    if (ValidMask(manager, frame))
        DrawNinePiece(*target, area, fillCentre, true, state, frame, manager, background);
}

void ComposeBackground(TsBitmap24& target, TsSkinManager& manager, int sectionIndex,
                       const std::string& sectionName, const TsBackgroundDescriptor& background,
                       TColor customColor, int hotTextureMask, int textureMask, TPoint origin,
                       const TRect& area, int state) {
    Background(target, manager, sectionIndex, sectionName, background, customColor, hotTextureMask,
               textureMask, origin, area, state, TPainterRule::Standard);
}

void ComposeScrollBackground(TsBitmap24& target, TsSkinManager& manager, int sectionIndex,
                             const std::string& sectionName, const TsBackgroundDescriptor& background,
                             int hotTextureMask, int textureMask, TPoint origin, const TRect& area,
                             int state) {
    Background(target, manager, sectionIndex, sectionName, background, clNone, hotTextureMask, textureMask,
               origin, area, state, TPainterRule::ScrollParts);
}

void PaintParentBackground(TsBitmap24& target, const TRect& area, const TsBackgroundDescriptor& background) {
    if (background.HasPicture())
        CopyPicture(target, {area.Left, area.Top}, *background.Picture,
                    OffsetRectBy(area, background.X, background.Y));
    else if (background.HasFill())
        FillArea(target, area, background.FillColor);
}

void DisabledLook(TsBitmap24& picture, TsDisabledKind kind, TColor parentColor, TPoint origin,
                  const TsBackgroundDescriptor& background) {
    if (kind & dkGrayed)
        MakeGray(picture);
    if (!(kind & dkBlended))
        return;
    if (background.HasPicture()) {
        // The parent shows through at 60 %, the control keeps 40 %.
        const TRect under = OffsetRectBy(BoundsOf(picture), background.X + origin.X, background.Y + origin.Y);
        BlendKeyed(picture, 0, 0, KeyNone, 0.4, under, *background.Picture);
        return;
    }
    const TColor color = background.HasFill() ? background.FillColor : parentColor;
    if (color != clNone)
        BlendColorOver(picture, BoundsOf(picture), 50, color);
}
