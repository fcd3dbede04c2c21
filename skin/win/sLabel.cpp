// The skinned labels on Windows: their parent's device context, moved to the
// label's corner, is where they paint.
#include "skin/sLabel.h"

#include "skin/sGraphUtils.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sTextCanvasWin.h"
#include "base/Text.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

// Parents are asked one after the other; a chain this long means a loop.
constexpr int MaxAncestorDepth = 64;

COLORREF Rgb(TColor color) {
    return static_cast<COLORREF>(ToRGB(color));
}

UniqueFont CreateFontOf(const TFont& f) {
    return UniqueFont(CreateFontA(f.Height, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, f.Name.c_str()));
}

RECT WinRect(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

TRect OurRect(const RECT& r) {
    return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

void DrawTextIn(HDC dc, const std::string& text, TRect& rect, unsigned flags) {
    RECT r = WinRect(rect);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    rect = OurRect(r);
}

// What is painted on dc over the rectangle, as a picture.
TsBitmap24 PictureUnder(HDC dc, const TRect& rect) {
    TsBitmap24 picture(std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    if (picture.Empty())
        return picture;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, picture.Width, -picture.Height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!bitmap || !bits || !memory)
        return picture;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, picture.Width, picture.Height, dc, rect.Left, rect.Top, SRCCOPY);
        GdiFlush();
    }
    const size_t row = size_t(picture.Width) * 3;
    const size_t stride = (row + 3) & ~size_t{3};
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(&picture.Pixels[size_t(y) * row], static_cast<const uint8_t*>(bits) + size_t(y) * stride,
                    row);
    return picture;
}

} // namespace

// ---- TsCustomLabel ----

TsCustomLabel::TsCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds({0, 0, 65, 17});
}

void TsCustomLabel::Changed() {
    AdjustBounds();
    Invalidate();
}

void TsCustomLabel::SetCaption(const std::string& value) {
    if (caption_ == value)
        return;
    caption_ = value;
    Changed();
}
void TsCustomLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}
void TsCustomLabel::SetLayout(TTextLayout value) {
    layout_ = value;
    Invalidate();
}
void TsCustomLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    Changed();
}
void TsCustomLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    Changed();
}
void TsCustomLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    Changed();
}
void TsCustomLabel::SetEllipsisPosition(TEllipsisPosition value) {
    ellipsisPosition_ = value;
    Invalidate();
}
void TsCustomLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}
void TsCustomLabel::SetSkinSection(const std::string& value) {
    skinSection_ = UpperText(value);
    Invalidate();
}

void TsCustomLabel::SetFont(const TFont& font) {
    if (font == Font())
        return;
    TGraphicControl::SetFont(font);
    Changed();
}

TsSkinManager* TsCustomLabel::LoadedManager() {
    TsSkinManager* manager = DefaultManager();
    return manager && manager->Active() && manager->SkinData.Active && !manager->gd.empty() ? manager
                                                                                            : nullptr;
}

TColor TsCustomLabel::SkinTextColor() const {
    TsSkinManager* manager = LoadedManager();
    if (!manager)
        return clNone;
    const TsGeneralDataArray& gd = manager->gd;
    if (!skinSection_.empty()) {
        const int own = manager->FindSection(skinSection_);
        if (own > 0)
            return gd[size_t(own)].FontColor[0];
    }
    // Up through the parents that let their own parent show through.
    int found = -1;
    TWinControl* parent = Parent();
    for (int depth = 0; parent && depth < MaxAncestorDepth; ++depth) {
        const int index = static_cast<int>(SendSkinCommand(*parent, scGetSectionIndex)) - 1;
        if (index < 0 || size_t(index) >= gd.size())
            break;
        if (gd[size_t(index)].Transparency > 50) {
            parent = parent->Parent();
            continue;
        }
        if (gd[size_t(index)].GiveOwnFont)
            found = index;
        break;
    }
    return found >= 0 ? gd[size_t(found)].FontColor[0] : manager->GlobalTextColor();
}

void TsCustomLabel::UpdateSkinColor() {
    if (!UsesSkinColor())
        return;
    const TColor color = SkinTextColor();
    if (color == clNone || color == Font().Color)
        return;
    TFont font = Font();
    font.Color = color;
    TGraphicControl::SetFont(font);
}

unsigned TsCustomLabel::TextFlags() const {
    unsigned flags = DT_EXPANDTABS;
    flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    switch (ellipsisPosition_) {
    case epPathEllipsis:
        flags |= DT_PATH_ELLIPSIS;
        break;
    case epEndEllipsis:
        flags |= DT_END_ELLIPSIS;
        break;
    case epWordEllipsis:
        flags |= DT_WORD_ELLIPSIS;
        break;
    case epNone:
        break;
    }
    return flags;
}

std::string TsCustomLabel::MeasuredText() const {
    if (caption_.empty() || (showAccelChar_ && caption_ == "&"))
        return " ";
    return caption_;
}

void TsCustomLabel::DoDrawText(void* dcPointer, TRect& rect, unsigned flags, bool measure) {
    HDC dc = static_cast<HDC>(dcPointer);
    UniqueFont font = CreateFontOf(Font());
    SelectedObject selected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    if (measure) {
        DrawTextIn(dc, MeasuredText(), rect, flags | DT_CALCRECT);
        return;
    }
    if (Enabled()) {
        SetTextColor(dc, Rgb(Font().Color));
        DrawTextIn(dc, caption_, rect, flags);
        return;
    }
    if (LoadedManager()) {
        // Once, in the font colour mixed with the parent's colour.
        TColor parentColor = ToRGB(clBtnFace);
        if (TWinControl* parent = Parent()) {
            parentColor = SendSkinCommand(*parent, scIsSkinned) == 1
                              ? static_cast<TColor>(SendSkinCommand(*parent, scGetChildColor))
                              : ToRGB(parent->Color());
        }
        SetTextColor(dc, Rgb(MixColors(ToRGB(Font().Color), parentColor, 0.4)));
        DrawTextIn(dc, caption_, rect, flags);
        return;
    }
    // The platform's disabled text: a highlight one pixel down and right, the shadow over it.
    TRect moved = OffsetRectBy(rect, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextIn(dc, caption_, moved, flags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextIn(dc, caption_, rect, flags);
}

void TsCustomLabel::AdjustBounds() {
    if (!autoSize_ || Loading())
        return;
    WindowDc screen(nullptr);
    TRect rect{0, 0, Width(), 0};
    if (!wordWrap_)
        rect.Right = 0;
    DoDrawText(screen.Get(), rect,
               TextFlags() & ~unsigned(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS), true);
    TBounds b = BoundsRect();
    if (alignment_ == taRightJustify)
        b.Left += b.Width - rect.Width();
    b.Width = rect.Width();
    b.Height = rect.Height();
    SetBounds(b);
}

void TsCustomLabel::PaintSection(void* dcPointer, int sectionIndex) {
    TsSkinManager& manager = *LoadedManager();
    TsBitmap24 picture(Width(), Height());
    if (picture.Empty())
        return;
    TsBackgroundRecord record;
    if (Parent())
        GetParentBackground(*Parent(), record);
    ComposeItem(&picture, manager, sectionIndex, skinSection_, DescriptorOf(record), true, 0, {Left(), Top()},
                BoundsOf(picture));
    DrawBitmap24(static_cast<HDC>(dcPointer), {0, 0, Width(), Height()}, picture, 0, 0);
}

void TsCustomLabel::Paint(void* dcPointer) {
    HDC dc = static_cast<HDC>(dcPointer);
    UpdateSkinColor();
    TRect rect{0, 0, Width(), Height()};
    if (!transparent_) {
        RECT r = WinRect(rect);
        UniqueBrush brush(CreateSolidBrush(Rgb(Color())));
        FillRect(dc, &r, brush.Get());
    }
    if (TsSkinManager* manager = LoadedManager(); manager && !skinSection_.empty()) {
        const int section = manager->FindSection(skinSection_);
        if (section > 0)
            PaintSection(dc, section);
    }
    const unsigned flags = TextFlags();
    if (layout_ != tlTop) {
        TRect measured = rect;
        DoDrawText(dc, measured, flags | DT_CALCRECT, true);
        const int offset = rect.Height() - measured.Height();
        rect.Top += layout_ == tlBottom ? offset : offset / 2;
    }
    DoDrawText(dc, rect, flags, false);
}

TMessageResult TsCustomLabel::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    switch (message) {
    case SM_SKINCOMMAND:
        if (CommandOf(wParam) == scRemoveSkin &&
            reinterpret_cast<TsSkinManager*>(lParam) == DefaultManager() && UsesSkinColor()) {
            // Back to the system's text colour.
            TFont font = Font();
            font.Color = clWindowText;
            TGraphicControl::SetFont(font);
        }
        if (CommandOf(wParam) == scNewSkin || CommandOf(wParam) == scRefresh)
            Invalidate();
        return 0;
    case CM_MOUSEENTER:
        if (OnMouseEnter)
            OnMouseEnter(*this);
        return 0;
    case CM_MOUSELEAVE:
        if (OnMouseLeave)
            OnMouseLeave(*this);
        return 0;
    default:
        return TGraphicControl::WndProc(message, wParam, lParam);
    }
}

// ---- TsLabel ----

void TsLabel::SetUseSkinColor(bool value) {
    useSkinColor_ = value;
    Invalidate();
}

// ---- TsLabelFX ----

TsLabelFX::TsLabelFX(TComponent* owner) : TsCustomLabel(owner) {}

TsLabelFX::~TsLabelFX() = default;

void TsLabelFX::SetShadow(const TsShadow& value) {
    shadow_ = value;
    Changed();
}

void TsLabelFX::SetKind(const TsKind& value) {
    kind_ = value;
    Invalidate();
}

TsShadowValues TsLabelFX::CurrentShadow() const {
    const TsShadowValues custom{shadow_.Color, shadow_.BlurCount, shadow_.Distance};
    const TsSkinManager* manager = LoadedManager();
    return ResolveShadow(shadow_.Mode, custom, manager ? &manager->SkinData : nullptr);
}

TColor TsLabelFX::CurrentTextColor() const {
    switch (kind_.KindType) {
    case ktStandard:
        return Font().Color;
    case ktCustom:
        return kind_.Color;
    case ktSkin:
        if (TsSkinManager* manager = LoadedManager()) {
            const int global = manager->FindSection("GLOBALINFO");
            if (global >= 0 && manager->gd[size_t(global)].FontColor[1] != -1)
                return manager->gd[size_t(global)].FontColor[1];
        }
        return kind_.Color;
    }
    return kind_.Color;
}

void TsLabelFX::BuildShadow(const TRect& rect, unsigned flags, const TsShadowValues& shadow) {
    TBuiltFrom from{Caption(), Font(), rect, flags, shadow, Margins()};
    if (!firstBuild_ && from == builtFrom_)
        return;
    // The text in white on black, moved by the distance, is what is blurred.
    TsBitmap24 mask(std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    if (!mask.Empty()) {
        TsDibTextCanvas canvas(mask);
        TsTextFont font;
        font.Name = Font().Name;
        font.Height = Font().Height;
        font.Bold = Font().Bold;
        canvas.SetFont(font);
        const TRect inside = ReducedTextRect({0, 0, mask.Width, mask.Height}, Margins());
        canvas.PutText(Caption(), OffsetRectBy(inside, shadow.Distance, shadow.Distance), flags, 0xFFFFFF);
    }
    blur_.Build(mask, shadow.BlurCount);
    builtFrom_ = std::move(from);
    firstBuild_ = false;
}

void TsLabelFX::DoDrawText(void* dcPointer, TRect& rect, unsigned flags, bool measure) {
    if (Shadow().Mode == smNone) {
        TsCustomLabel::DoDrawText(dcPointer, rect, flags, measure);
        return;
    }
    HDC dc = static_cast<HDC>(dcPointer);
    const TsShadowValues shadow = CurrentShadow();
    const bool withShadow = shadow.Color != clNone && shadow.BlurCount != 0;
    if (measure) {
        TsCustomLabel::DoDrawText(dcPointer, rect, flags, true);
        margins_ = withShadow ? ShadowMargins(shadow.Distance, shadow.BlurCount) : TsShadowMargins{};
        const int grow = margins_.RightBottom - margins_.LeftTop;
        rect.Right += grow;
        rect.Bottom += grow;
        return;
    }
    UniqueFont font = CreateFontOf(Font());
    SelectedObject selected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    TRect inside = ReducedTextRect(rect, margins_);
    if (!Enabled()) {
        TRect moved = OffsetRectBy(inside, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextIn(dc, Caption(), moved, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextIn(dc, Caption(), inside, flags);
        return;
    }
    if (withShadow) {
        BuildShadow(rect, flags, shadow);
        if (Transparent()) {
            work_ = PictureUnder(dc, rect);
        } else {
            work_ = TsBitmap24(std::max(rect.Width(), 0), std::max(rect.Height(), 0));
            FillArea(work_, BoundsOf(work_), ToRGB(Color()));
        }
        blur_.Mix(work_, ToRGB(shadow.Color));
        DrawBitmap24(dc, rect, work_, 0, 0);
    }
    SetTextColor(dc, Rgb(CurrentTextColor()));
    DrawTextIn(dc, Caption(), inside, flags);
}
