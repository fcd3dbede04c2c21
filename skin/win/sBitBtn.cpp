// The skinned bitmap button over a platform push button: the platform keeps
// its logic (capture, pushed state, Space, focus, default-push style), the
// control paints every face from its cached picture in one copy.
#include "skin/sBitBtn.h"

#include "controls/win/WindowThunk.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitBtnWin.h"
#include "skin/sBitBtnCorners.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sTextCanvasWin.h"
#include "skin/win/sWindowQueries.h"

#include <windowsx.h>

#include <algorithm>

namespace {

HWND Hwnd(const TWinControl& control) {
    return static_cast<HWND>(control.Handle());
}

const char* KindCaption(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return "OK";
    case bkCancel:
        return "Cancel";
    case bkHelp:
        return "&Help";
    case bkYes:
        return "&Yes";
    case bkNo:
        return "&No";
    case bkClose:
        return "&Close";
    case bkAbort:
        return "Abort";
    case bkRetry:
        return "&Retry";
    case bkIgnore:
        return "&Ignore";
    case bkAll:
        return "&All";
    case bkCustom:
        break;
    }
    return "";
}

int KindResult(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
        return mrOk;
    case bkCancel:
        return mrCancel;
    case bkYes:
        return mrYes;
    case bkNo:
        return mrNo;
    case bkAbort:
        return mrAbort;
    case bkRetry:
        return mrRetry;
    case bkIgnore:
        return mrIgnore;
    case bkAll:
        return mrAll;
    default:
        return mrNone;
    }
}

// Every skinned button below a control, in creation order.
void CollectButtons(TWinControl& parent, std::vector<TsBitBtn*>& out) {
    for (size_t i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        if (auto* button = dynamic_cast<TsBitBtn*>(child))
            out.push_back(button);
        if (TWinControl* windowed = child->AsWinControl())
            CollectButtons(*windowed, out);
    }
}

bool Usable(TsBitBtn& button) {
    HWND window = Hwnd(button);
    return window && IsWindowEnabled(window) && IsWindowVisible(window);
}

unsigned TextFlags(const TsBitBtn& button) {
    unsigned flags = tfVCenter | tfExpandTabs;
    flags |= button.TextAlignment() == taLeftJustify    ? tfLeft
             : button.TextAlignment() == taRightJustify ? tfRight
                                                        : tfCenter;
    if (button.WordWrap())
        flags |= tfWordBreak;
    else
        flags |= tfSingleLine;
    if (button.HandleAllocated() && (GetWindowLongA(Hwnd(button), GWL_EXSTYLE) & WS_EX_RTLREADING))
        flags |= tfRtlReading;
    return flags;
}

// The dotted focus frame: every third pixel black with a white one up and left of it.
void DottedFocus(TsBitmap24& picture, const TRect& r) {
    auto dot = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < picture.Width && y < picture.Height)
            picture.SetPixel(x, y, 0x000000);
        if (x >= 1 && y >= 1 && x - 1 < picture.Width && y - 1 < picture.Height)
            picture.SetPixel(x - 1, y - 1, 0xFFFFFF);
    };
    for (int x = r.Left; x < r.Right; x += 3) {
        dot(x, r.Top);
        dot(x, r.Bottom - 1);
    }
    for (int y = r.Top; y < r.Bottom; y += 3) {
        dot(r.Left, y);
        dot(r.Right - 1, y);
    }
}

TsCornerMargins CornerMargins(const TsSkinManager* manager, int frameMask) {
    if (!manager || frameMask < 0 || size_t(frameMask) >= manager->ma.size())
        return {};
    return {manager->MaskWidthLeft(frameMask), manager->MaskWidthTop(frameMask),
            manager->MaskWidthRight(frameMask), manager->MaskWidthBottom(frameMask)};
}

TsTextFont FontOf(const TFont& font) {
    TsTextFont f;
    f.Name = font.Name;
    f.Height = font.Height;
    f.Bold = font.Bold;
    f.Color = font.Color;
    return f;
}

} // namespace

bool& ApplicationShowHint() {
    static bool showHint = true;
    return showHint;
}

TsBitBtn::TsBitBtn(TComponent* owner) : TWinControl(owner), SkinData(this, true) {
    SkinData.KindCode = 94;
    SkinData.SetDefaultSection();
}

TsBitBtn::~TsBitBtn() {
    MarkDestroying();
    if (mousePressed_)
        ApplicationShowHint() = savedShowHint_;
    DestroyHandle();
}

bool TsBitBtn::CreateWnd(uintptr_t id) {
    TCreateParams params;
    params.WindowClass = "BUTTON";
    params.Caption = caption_;
    params.Style = WS_CHILD | WS_TABSTOP | BS_OWNERDRAW;
    params.Id = id != 0 ? id : static_cast<uintptr_t>(modalResult_);
    if (!CreateHandle(params))
        return false;
    if (default_)
        SendMessageA(Hwnd(*this), BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_OWNERDRAW, FALSE);
    SkinData.UpdateIndexes();
    return true;
}

void TsBitBtn::Changed(bool regionToo) {
    SkinData.CacheStale = true;
    if (regionToo)
        regionStale_ = true;
    if (HandleAllocated())
        InvalidateRect(Hwnd(*this), nullptr, FALSE);
}

void TsBitBtn::SetCaption(const std::string& value) {
    caption_ = value;
    if (HandleAllocated())
        SetWindowTextA(Hwnd(*this), value.c_str());
    Changed();
}
void TsBitBtn::SetBlend(int value) {
    blend_ = ClampBlend(value);
    Changed();
}
void TsBitBtn::SetAlignment(TAlignment value) {
    alignment_ = value;
    Changed();
}
void TsBitBtn::SetTextAlignment(TAlignment value) {
    textAlignment_ = value;
    Changed();
}
void TsBitBtn::SetDisabledGlyphKind(TsDisabledGlyphKind value) {
    disabledGlyphKind_ = value;
    Changed();
}
void TsBitBtn::SetDisabledKind(TsDisabledKind value) {
    disabledKind_ = value;
    Changed();
}
void TsBitBtn::SetDown(bool value) {
    if (down_ == value)
        return;
    down_ = value;
    Changed(true);
}
void TsBitBtn::SetGrayed(bool value) {
    grayed_ = value;
    Changed();
}
void TsBitBtn::SetFocusMargin(int value) {
    focusMargin_ = value;
    Changed();
}
void TsBitBtn::SetShowCaption(bool value) {
    showCaption_ = value;
    Changed();
}
void TsBitBtn::SetShowFocus(bool value) {
    showFocus_ = value;
    Changed();
}
void TsBitBtn::SetDrawOverBorder(bool value) {
    drawOverBorder_ = value;
    Changed();
}
void TsBitBtn::SetTextOffset(int value) {
    textOffset_ = value;
    Changed();
}
void TsBitBtn::SetImages(const TsImageList* value) {
    images_ = value;
    Changed();
}
void TsBitBtn::SetImageIndex(int value) {
    imageIndex_ = value;
    Changed();
}
void TsBitBtn::SetWordWrap(bool value) {
    wordWrap_ = value;
    Changed();
}
void TsBitBtn::SetKind(TBitBtnKind value) {
    kind_ = value;
    if (value == bkCustom)
        return;
    SetCaption(KindCaption(value));
    modalResult_ = KindResult(value);
    if (value == bkOK || value == bkYes)
        SetDefault(true);
    if (value == bkCancel || value == bkNo)
        cancel_ = true;
}
void TsBitBtn::SetGlyph(std::shared_ptr<TsBitmap24> value) {
    glyph_ = std::move(value);
    Changed();
}
void TsBitBtn::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Changed();
}
void TsBitBtn::SetLayout(TButtonLayout value) {
    layout_ = value;
    Changed();
}
void TsBitBtn::SetMargin(int value) {
    margin_ = std::max(value, -1);
    Changed();
}
void TsBitBtn::SetSpacing(int value) {
    spacing_ = value;
    Changed();
}
void TsBitBtn::SetDefault(bool value) {
    default_ = value;
    if (HandleAllocated())
        SendMessageA(Hwnd(*this), BM_SETSTYLE, (value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_OWNERDRAW,
                     TRUE);
    Changed();
}

TsFrameSize TsBitBtn::GlyphSize() const {
    if (glyph_ && !glyph_->Empty())
        return {glyph_->Width / std::max(numGlyphs_, 1), glyph_->Height};
    if (images_ && imageIndex_ >= 0 && imageIndex_ < static_cast<int>(images_->Images.size()))
        return {images_->Width, images_->Height};
    return {};
}

bool TsBitBtn::IsFormDefault() const {
    if (!HandleAllocated())
        return default_;
    return (GetWindowLongA(Hwnd(*this), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON || default_;
}

int TsBitBtn::CurrentState() const {
    TsButtonStateInput in;
    in.Down = down_;
    if (HandleAllocated())
        in.Pushed = (SendMessageA(Hwnd(*this), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    in.MouseOver = SkinData.MouseOver;
    in.MouseHeld = mousePressed_ && (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    in.FormDefault = IsFormDefault();
    in.Hot = SkinData.Hot();
    return ButtonState(in);
}

void TsBitBtn::Click() {
    if (HandleAllocated())
        SendMessageA(Hwnd(*this), BM_CLICK, 0, 0);
}

TsButtonGeometry TsBitBtn::Geometry(int state) const {
    TsButtonGeometry g;
    g.Width = Width();
    g.Height = Height();
    g.Layout = layout_;
    g.Alignment = alignment_;
    g.Margin = margin_;
    g.Spacing = spacing_;
    const TsFrameSize glyph = GlyphSize();
    g.GlyphWidth = glyph.W;
    g.GlyphHeight = glyph.H;
    g.TextWidth = captionSize_.Width;
    g.TextHeight = captionSize_.Height;
    g.ShowCaption = showCaption_;
    g.CaptionEmpty = caption_.empty();
    g.Pressed = state == 2;
    return g;
}

void TsBitBtn::ComposeCaption(TsBitmap24& cache, int state, TRect& captionRect) {
    TsItemSkin skin = SkinData.ItemSkin();
    TsDibTextCanvas canvas(cache);
    canvas.SetFont(skin.Font);
    const unsigned flags = TextFlags(*this);
    TsButtonGeometry g = Geometry(state);
    RECT measure{0, 0, CaptionMeasureWidth(g), 0};
    if (!caption_.empty() && canvas.Valid())
        DrawTextA(canvas.Dc(), caption_.c_str(), static_cast<int>(caption_.size()), &measure,
                  flags | DT_CALCRECT);
    captionSize_ = {caption_.empty() ? 0 : static_cast<int>(measure.right - measure.left),
                    caption_.empty() ? 0 : static_cast<int>(measure.bottom - measure.top)};
    g = Geometry(state);
    captionRect = CaptionRect(g);
    captionRect = OffsetRectBy(captionRect, textOffset_, 0);
    if (!showCaption_ || caption_.empty())
        return;
    WriteSkinText(canvas, caption_, Enabled(), state != 0, skin, flags, captionRect);
}

void TsBitBtn::ComposeGlyph(TsBitmap24& cache, int state, TRect) {
    const TsButtonGeometry g = Geometry(state);
    const TPoint position = GlyphPosition(g);
    TsGlyphLook look;
    look.NumGlyphs = numGlyphs_;
    look.State = state;
    look.Enabled = Enabled();
    look.Hot = state != 0 || SkinData.Hot();
    look.Down = down_;
    look.Grayed = grayed_;
    look.Blend = blend_;
    look.DisabledGlyphKind = disabledGlyphKind_;
    if (glyph_ && !glyph_->Empty()) {
        DrawButtonGlyph(cache, *glyph_, position, look);
    } else if (g.GlyphWidth > 0 && images_) {
        const TColor key = images_->BkColor == clNone ? 0xFF00FF : ToRGB(images_->BkColor);
        TsBitmap24 picture(images_->Width, images_->Height);
        FillArea(picture, BoundsOf(picture), key);
        const TsBitmap24& image = images_->Images[imageIndex_];
        CopyPicture(picture, {0, 0}, image, BoundsOf(image));
        DrawListGlyph(cache, picture, static_cast<uint32_t>(key), position, look);
    }
}

void TsBitBtn::ComposeCache() {
    screenStale_ = true;
    shown_ = {};
    TsBitmap24& cache = SkinData.EnsureCache();
    if (cache.Empty())
        return;
    const TsItemSkin skin = SkinData.ItemSkin();
    TsSkinManager* manager = skin.SkinManager;
    const int state = CurrentState();
    TsBackgroundRecord record;
    if (Parent())
        GetParentBackground(*Parent(), record);
    // The parent's picture with the button's place in it: the painting adds
    // the origin to the descriptor's offset itself.
    const TsBackgroundDescriptor background = DescriptorOf(record);
    const TPoint origin{Left(), Top()};
    if (manager && SkinData.SectionIndex >= 0)
        ComposeBackground(cache, *manager, SkinData.SectionIndex, SkinData.SkinSection(), background,
                          skin.CustomColor ? skin.ControlColor : clNone, SkinData.HotTextureMask,
                          SkinData.TextureMask, origin, BoundsOf(cache), state);
    std::vector<TRect> cut;
    auto frame = [&] {
        if (manager && SkinData.FrameMaskIndex >= 0)
            DrawNinePieceCut(cache, cut, true, state, SkinData.FrameMaskIndex, *manager);
    };
    if (drawOverBorder_)
        frame();
    TRect captionRect;
    ComposeCaption(cache, state, captionRect);
    ComposeGlyph(cache, state, captionRect);
    if (!drawOverBorder_)
        frame();
    const TsGeneralData* section =
        manager && SkinData.SectionIndex >= 0 ? &manager->gd[size_t(SkinData.SectionIndex)] : nullptr;
    if (Enabled() && Focused() && !caption_.empty() && section && section->ShowFocus && showFocus_ &&
        showCaption_) {
        TRect focus = captionRect;
        focus = {focus.Left - focusMargin_, focus.Top - focusMargin_, focus.Right + focusMargin_,
                 focus.Bottom + focusMargin_};
        DottedFocus(cache, focus);
    }
    if (!Enabled()) {
        const TColor parentColor = Parent() ? ToRGB(Parent()->Color()) : ToRGB(clBtnFace);
        DisabledLook(cache, disabledKind_, parentColor, origin, background);
    }
    if (regionStale_)
        regionCut_ = std::move(cut);
    if (OnPaint)
        OnPaint(*this, cache);
    SkinData.CacheRebuilt();
}

void TsBitBtn::RefreshRegionCorners(const TsBackgroundDescriptor& background) {
    shown_ = {};
    if (!SkinData.Cache || SkinData.Cache->Empty() || regionCut_.empty() || background.IsEmpty())
        return;
    // The composed face stays as the skin draws it; the picture that goes to
    // the window (and into printed pictures of the form, where no region
    // cuts the corners) shows the parent there.
    shown_ = *SkinData.Cache;
    RefreshCornerPieces(shown_, regionCut_, CornerMargins(SkinData.Manager(), SkinData.FrameMaskIndex),
                        background, {Left(), Top()});
}

void TsBitBtn::ApplyRegion() {
    regionStale_ = false;
    if (!HandleAllocated())
        return;
    // A button grown over a plain parent: what lay under its old corner
    // pieces is inside the button now, and the parent paints it again.
    TsBackgroundRecord record;
    if (Parent())
        GetParentBackground(*Parent(), record);
    RefreshRegionCorners(DescriptorOf(record));
    screenStale_ = true;
    if (Parent() && Parent()->HandleAllocated() && record.Kind == bkColor) {
        const TsCornerMargins margins = CornerMargins(SkinData.Manager(), SkinData.FrameMaskIndex);
        for (const TRect& r :
             UncoveredCornerAreas({Left(), Top()}, regionWidth_, regionHeight_, Width(), Height(), margins)) {
            const RECT area{r.Left, r.Top, r.Right, r.Bottom};
            InvalidateRect(static_cast<HWND>(Parent()->Handle()), &area, TRUE);
        }
    }
    regionWidth_ = Width();
    regionHeight_ = Height();
    UniqueRegion region(CreateRectRgn(0, 0, Width(), Height()));
    for (const TRect& r : regionCut_) {
        UniqueRegion piece(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
        CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_DIFF);
    }
    // The window owns the region from here on.
    SetWindowRgn(Hwnd(*this), region.Release(), TRUE);
}

void TsBitBtn::PaintPlain(void* dcPointer) {
    HDC dc = static_cast<HDC>(dcPointer);
    const int state = CurrentState();
    const bool pressed = state == 2;
    const bool focused = Focused();
    TsBitmap24 face(Width(), Height());
    if (face.Empty())
        return;
    {
        TsDibTextCanvas canvas(face);
        RECT rect{0, 0, Width(), Height()};
        if (focused || IsFormDefault()) {
            FrameRect(canvas.Dc(), &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
            InflateRect(&rect, -1, -1);
        }
        DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON,
                         DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
        if (pressed)
            FrameRect(canvas.Dc(), &rect, GetSysColorBrush(COLOR_BTNSHADOW));
        canvas.SetFont(FontOf(Font()));
        RECT measure{0, 0, std::max(Width() - 8, 0), 0};
        if (!caption_.empty())
            DrawTextA(canvas.Dc(), caption_.c_str(), static_cast<int>(caption_.size()), &measure,
                      DT_CALCRECT | DT_SINGLELINE);
        captionSize_ = {caption_.empty() ? 0 : static_cast<int>(measure.right),
                        caption_.empty() ? 0 : static_cast<int>(measure.bottom)};
    }
    const TsButtonGeometry g = Geometry(state);
    TsGlyphLook look;
    look.NumGlyphs = numGlyphs_;
    look.Enabled = Enabled();
    look.Hot = true; // plain buttons show their glyph whole
    look.State = state;
    look.Down = down_;
    look.DisabledGlyphKind = dgBlended;
    if (glyph_ && !glyph_->Empty())
        DrawButtonGlyph(face, *glyph_, GlyphPosition(g), look);
    TsDibTextCanvas canvas(face);
    canvas.SetFont(FontOf(Font()));
    const TRect r = CaptionRect(g);
    if (showCaption_ && !caption_.empty())
        canvas.PutText(caption_, r, tfLeft | tfVCenter | tfSingleLine,
                       static_cast<TColor>(GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT)));
    if (focused) {
        RECT focus{4, 4, Width() - 4, Height() - 4};
        DrawFocusRect(canvas.Dc(), &focus);
    }
    canvas.Flush();
    DrawBitmap24(dc, {0, 0, Width(), Height()}, face, 0, 0);
}

void TsBitBtn::PaintWindow(void* dc) {
    if (!SkinData.Skinned()) {
        PaintPlain(dc);
        return;
    }
    if (SkinData.PaintSuspended)
        return;
    if (fade_.Running()) {
        // The fade shows its own pictures; what became stale meanwhile is
        // composed when it ends.
        PaintPicture(dc, fade_.Frame());
        return;
    }
    // A button that lies partly outside its parent, or whose parent lies
    // partly outside its own, has a background that scrolling or moving
    // changes under it: it is composed at every paint.
    const bool parentOutside = Parent() && SendSkinCommand(*Parent(), scIsPartlyOutside) == 1;
    if (regionStale_ || SkinData.PartlyOutside || parentOutside || SkinData.Cache == nullptr ||
        SkinData.Cache->Width != Width() || SkinData.Cache->Height != Height())
        SkinData.CacheStale = true;
    SkinData.PartlyOutside = HandleAllocated() && LiesPartlyOutsideParent(Hwnd(*this));
    if (spacing_ != lastSpacing_)
        SkinData.CacheStale = true;
    lastSpacing_ = spacing_;
    if (SkinData.CacheStale)
        ComposeCache();
    if (regionStale_)
        ApplyRegion();
    PaintFromCache(dc);
    SkinData.PaintDone();
}

void TsBitBtn::PaintPicture(void* deviceContext, const TsBitmap24& picture) {
    HDC dc = static_cast<HDC>(deviceContext);
    if (!picture.Empty())
        DrawBitmap24(dc, {0, 0, Width(), Height()}, picture, 0, 0);
}

void TsBitBtn::PaintFromCache(void* deviceContext) {
    HDC dc = static_cast<HDC>(deviceContext);
    const TsBitmap24& cache = shown_.Width == SkinData.Cache->Width && shown_.Height == SkinData.Cache->Height
                                  ? shown_
                                  : *SkinData.Cache;
    if (!screen_)
        screen_ = std::make_unique<TsScreenPicture>();
    if (screenStale_ || !screen_->Fits(cache)) {
        screen_->Update(dc, cache);
        screenStale_ = false;
    }
    if (screen_->Fits(cache))
        screen_->Paint(dc, {0, 0, Width(), Height()}, 0, 0);
    else
        DrawBitmap24(dc, {0, 0, Width(), Height()}, cache, 0, 0);
}

void TsBitBtn::Clicked() {
    if (OnClick)
        OnClick(*this);
    if (modalResult_ != mrNone && OnModalResult)
        OnModalResult(*this, modalResult_);
}

void TsBitBtn::ChangeState(unsigned event) {
    if (event != 0 && StartFade(static_cast<TsFadeEvent>(event)))
        return;
    StopFade();
    Changed();
}

bool TsBitBtn::StartFade(TsFadeEvent event) {
    TsSkinManager* manager = SkinData.Manager();
    if (!manager || !HandleAllocated() || !SkinData.Skinned() || SkinData.SectionIndex < 0)
        return false;
    const TsGeneralData& section = manager->gd[size_t(SkinData.SectionIndex)];
    TsFadeConditions conditions;
    conditions.ButtonEvents = animatEvents_;
    conditions.ManagerEvents = manager->AnimEffects.Buttons.Events;
    conditions.SkinChanging = !manager->SkinData.Active;
    conditions.SectionFades = section.FadingEnabled;
    conditions.CacheExists = SkinData.Cache && !SkinData.Cache->Empty() && SkinData.Cache->Width == Width() &&
                             SkinData.Cache->Height == Height();
    if (!FadeWanted(event, conditions))
        return false;
    // From what the window shows now (a fade's step when one runs) to the
    // new state's picture.
    const TsBitmap24 from = fade_.Running() ? fade_.Frame() : *SkinData.Cache;
    ComposeCache();
    if (!fade_.Start(from, *SkinData.Cache, ::FadeSteps(section.FadingIterations, event))) {
        StopFade();
        InvalidateRect(Hwnd(*this), nullptr, FALSE);
        return true;
    }
    SetTimer(Hwnd(*this), FadeTimerId, 10, nullptr);
    InvalidateRect(Hwnd(*this), nullptr, FALSE);
    return true;
}

void TsBitBtn::StopFade() {
    if (!fade_.Running())
        return;
    fade_.Stop();
    if (HandleAllocated()) {
        KillTimer(Hwnd(*this), FadeTimerId);
        InvalidateRect(Hwnd(*this), nullptr, FALSE);
    }
}

void TsBitBtn::FadeTick() {
    if (!fade_.Running())
        return;
    if (!fade_.Advance() && HandleAllocated())
        KillTimer(Hwnd(*this), FadeTimerId);
    if (HandleAllocated())
        InvalidateRect(Hwnd(*this), nullptr, FALSE);
}

bool TsBitBtn::DialogKey(TWinControl& form, unsigned virtualKey) {
    if (virtualKey != VK_RETURN && virtualKey != VK_ESCAPE)
        return false;
    std::vector<TsBitBtn*> buttons;
    CollectButtons(form, buttons);
    TsBitBtn* target = nullptr;
    for (TsBitBtn* button : buttons) {
        if (virtualKey == VK_RETURN && button->Focused() && Usable(*button)) {
            target = button;
            break;
        }
    }
    for (TsBitBtn* button : buttons) {
        if (target)
            break;
        if (((virtualKey == VK_RETURN && button->Default()) ||
             (virtualKey == VK_ESCAPE && button->Cancel())) &&
            Usable(*button))
            target = button;
    }
    if (!target)
        return false;
    target->Click();
    return true;
}

bool HandleButtonKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE))
        return false;
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    TWinControl* form = top ? TWindowThunk::ControlOf(top) : nullptr;
    return form && TsBitBtn::DialogKey(*form, static_cast<unsigned>(message.wParam));
}

TMessageResult TsBitBtn::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    switch (message) {
    case SM_SKINCOMMAND: {
        const unsigned command = CommandOf(wParam);
        bool handled = false;
        switch (command) {
        case scNewSkin: {
            StopFade();
            regionStale_ = true;
            const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
            Changed(true);
            return result;
        }
        case scRemoveSkin: {
            StopFade();
            const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
            regionCut_.clear();
            regionStale_ = false;
            if (HandleAllocated())
                SetWindowRgn(Hwnd(*this), nullptr, TRUE);
            Changed();
            return result;
        }
        case scRefresh: {
            StopFade();
            const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
            Changed(true);
            return result;
        }
        case scIsSkinned:
            return 1;
        case scStopAnimations:
            StopFade();
            return 0;
        case 23:
            ComposeCache();
            return 0;
        case 24:
            if (HandleAllocated())
                SetWindowRgn(Hwnd(*this), nullptr, FALSE);
            return 0;
        default: {
            const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
            if (handled)
                return result;
            break;
        }
        }
        break;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == FadeTimerId) {
            if (fade_.React(TsFadeInput::Tick).Advance)
                FadeTick();
            else
                KillTimer(Hwnd(*this), FadeTimerId);
            return 0;
        }
        break;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        if (!HandleAllocated())
            break;
        if (message == WM_PRINTCLIENT) {
            PaintWindow(reinterpret_cast<void*>(wParam));
            return 0;
        }
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Hwnd(*this), &paint);
        PaintWindow(dc);
        EndPaint(Hwnd(*this), &paint);
        return 0;
    }
    case WM_MOUSEMOVE: {
        RECT client;
        GetClientRect(Hwnd(*this), &client);
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool inside = PtInRect(&client, point) != 0;
        if (inside && !SkinData.MouseOver && Enabled()) {
            if (OnMouseEnter)
                OnMouseEnter(*this);
            SkinData.MouseOver = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(*this), 0};
            TrackMouseEvent(&track);
            ChangeState(feMouseEnter);
        } else if (!inside && SkinData.MouseOver) {
            if (OnMouseLeave)
                OnMouseLeave(*this);
            SkinData.MouseOver = false;
            ChangeState(feMouseLeave);
        }
        const int before = CurrentState();
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        if (CurrentState() != before)
            ChangeState();
        return result;
    }
    case WM_MOUSELEAVE:
        if (SkinData.MouseOver) {
            if (OnMouseLeave)
                OnMouseLeave(*this);
            SkinData.MouseOver = false;
            ChangeState(feMouseLeave);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!Enabled())
            return 0;
        if (!mousePressed_) {
            savedShowHint_ = ApplicationShowHint();
            ApplicationShowHint() = false;
        }
        mousePressed_ = true;
        const TMessageResult result = TWinControl::WndProc(WM_LBUTTONDOWN, wParam, lParam);
        if (!down_)
            ChangeState(feMouseDown);
        return result;
    }
    case WM_LBUTTONUP: {
        const bool wasPushed = (SendMessageA(Hwnd(*this), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        RECT client;
        GetClientRect(Hwnd(*this), &client);
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool clicks = wasPushed && mousePressed_ && PtInRect(&client, point) != 0;
        if (mousePressed_)
            ApplicationShowHint() = savedShowHint_;
        mousePressed_ = false;
        if (const TsFadeReaction r = fade_.React(TsFadeInput::MouseUp); r.Stop) {
            // The press is seen whole before the release shows.
            StopFade();
            if (r.RepaintNow)
                RedrawWindow(Hwnd(*this), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            Sleep(static_cast<DWORD>(r.WaitMs));
        }
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        ChangeState(feMouseUp);
        if (clicks)
            Clicked();
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            if (TCustomForm* form = ParentForm(); form && DialogKey(*form, static_cast<unsigned>(wParam)))
                return 0;
        }
        if (wParam == VK_SPACE) {
            const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
            Changed(true);
            return result;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            const bool wasPushed = (SendMessageA(Hwnd(*this), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
            const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
            Changed(true);
            if (wasPushed)
                Clicked();
            return result;
        }
        break;
    case WM_GETDLGCODE: {
        TMessageResult code = TWinControl::WndProc(message, wParam, lParam);
        // Enter reaches a focused button, which clicks it as a push button does.
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_SETFOCUS: {
        SendMessageA(Hwnd(*this), WM_SETREDRAW, FALSE, 0);
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        SendMessageA(Hwnd(*this), WM_SETREDRAW, TRUE, 0);
        SkinData.HasFocus = true;
        if (fade_.React(TsFadeInput::FocusGained).Advance) {
            SkinData.CacheStale = true; // the focus shows once the fade is over
            FadeTick();
        } else {
            Changed();
        }
        return result;
    }
    case WM_KILLFOCUS: {
        if (fade_.React(TsFadeInput::FocusLost).Stop)
            StopFade();
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        SkinData.HasFocus = false;
        Changed(true);
        return result;
    }
    case WM_ENABLE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_CAPTURECHANGED: {
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        Changed();
        return result;
    }
    case WM_SIZE:
    case WM_MOVE: {
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        Changed(true);
        return result;
    }
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
