// The skin state of a control: section and indexes, cache, flags, and its
// answers to the skin commands.
#include "sCommonData.h"
#include "sGraphUtils.h"
#include "sPlatform.h"
#include "sSkinManager.h"
#include "base/Text.h"
#include "controls/Application.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

class TNoPainter final : public TsControlPainter {
public:
    void FillRect(void*, const TRect&, TColor) override {}
    void CopyPicture(void*, const TRect&, const TsBitmap24&, int, int) override {}
    void Redraw(TWinControl&, bool) override {}
    void LockRedraw(TWinControl&, bool) override {}
    void RemoveOldWindowRegion(TWinControl&) override {}
    bool SendToParentWindow(TControl&, unsigned, TWParam, TLParam, TMessageResult&) override { return false; }
};

TsControlPainter* installedPainter = nullptr;

int Channel(TColor color, int shift) {
    return (static_cast<uint32_t>(color) >> shift) & 0xFF;
}

TColor FromChannels(int r, int g, int b) {
    return static_cast<TColor>(static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
                               static_cast<uint32_t>(b) << 16);
}

bool InKinds(int kind, std::initializer_list<int> kinds) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

} // namespace

TsControlPainter& DefaultControlPainter();

TsControlPainter& ControlPainter() {
    return installedPainter ? *installedPainter : DefaultControlPainter();
}

TsControlPainter* SetControlPainter(TsControlPainter* painter) {
    return std::exchange(installedPainter, painter);
}

#ifndef _WIN32
TsControlPainter& DefaultControlPainter() {
    static TNoPainter painter;
    return painter;
}
#endif

TsCommonData::TsCommonData(TComponent* owner, bool withCache)
    : ownerObject_(owner), ownerControl_(dynamic_cast<TControl*>(owner)) {
    if (withCache)
        Cache = std::make_unique<TsBitmap24>();
}

TsCommonData::~TsCommonData() = default;

TsSkinManager* TsCommonData::Manager() const {
    return skinManager_ ? skinManager_ : DefaultManager();
}

const TsGeneralData* TsCommonData::Section() const {
    TsSkinManager* manager = Manager();
    if (!manager || SectionIndex < 0 || static_cast<size_t>(SectionIndex) >= manager->gd.size())
        return nullptr;
    return &manager->gd[static_cast<size_t>(SectionIndex)];
}

bool TsCommonData::Skinned(bool requireLoaded) const {
    TsSkinManager* manager = Manager();
    if (!manager || !Section() || !manager->Active() || manager->Destroying())
        return false;
    if (ownerControl_ ? ownerControl_->Destroying() : false)
        return false;
    return !requireLoaded || manager->SkinData.Active;
}

bool TsCommonData::LightsUpUnderMouse(int kind) {
    if (kind > 255)
        return true;
    return !(kind == 19 || (kind >= 51 && kind <= 74) || kind == 110 || (kind >= 141 && kind <= 161));
}

bool TsCommonData::Hot() const {
    if (!ownerControl_ || !ownerControl_->Enabled() || !ownerControl_->Visible() ||
        ownerControl_->Designing())
        return false;
    if (HasFocus)
        return true;
    if (TWinControl* windowed = ownerControl_->AsWinControl(); windowed && windowed->Focused())
        return true;
    return MouseOver && LightsUpUnderMouse(KindCode);
}

void TsCommonData::MouseLeft() {
    if (LightsUpUnderMouse(KindCode))
        MouseOver = false;
}

bool TsCommonData::OwnerUsable() const {
    if (!ownerControl_ || ownerControl_->Loading() || ownerControl_->Destroying())
        return false;
    TWinControl* windowed = ownerControl_->AsWinControl();
    return windowed && windowed->HandleAllocated();
}

void TsCommonData::SendToOwner(unsigned command, unsigned argument, TLParam lParam) const {
    if (ownerControl_) {
        if (OwnerUsable())
            ownerControl_->AsWinControl()->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(command, argument),
                                                             lParam);
    } else if (FrameForm && FrameForm->HandleAllocated()) {
        FrameForm->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(command, argument), lParam);
    }
}

void TsCommonData::AfterManagerOrSectionChange() {
    TsSkinManager* manager = Manager();
    if (manager && !manager->gd.empty())
        UpdateIndexes();
    else
        SectionIndex = -1;
    if (!ownerControl_) {
        if (OnFrameRebuild)
            OnFrameRebuild();
        return;
    }
    if (OwnerUsable())
        SendToOwner(Skinned() ? scRefresh : scRemoveSkin, 0, reinterpret_cast<TLParam>(manager));
}

void TsCommonData::SetSkinSection(const std::string& value) {
    skinSection_ = value.empty() ? "UNKNOWN" : UpperText(value);
    CacheStale = true;
    AfterManagerOrSectionChange();
}

void TsCommonData::SetSkinManager(TsSkinManager* value) {
    skinManager_ = value == DefaultManager() ? nullptr : value;
    AfterManagerOrSectionChange();
}

void TsCommonData::SetCustomColor(bool value) {
    if (customColor_ == value)
        return;
    customColor_ = value;
    Invalidate();
}

void TsCommonData::SetCustomFont(bool value) {
    if (customFont_ == value)
        return;
    customFont_ = value;
    Invalidate();
}

void TsCommonData::BoundsChanged(bool backgroundAffected) {
    if (backgroundAffected)
        CacheStale = true;
}

void TsCommonData::VisibilityChanged() {
    CacheStale = true;
}

void TsCommonData::UpdateIndexes() {
    TsSkinManager* manager = Manager();
    SectionIndex = manager ? manager->FindSection(skinSection_) : -1;
    FillFlags = 0;
    if (const TsGeneralData* section = Section()) {
        if (section->ImagePercent > 0)
            FillFlags |= 4;
        if (section->GradientPercent > 0 && !section->GradientArray.empty()) {
            const int mode = section->GradientArray.front().Mode;
            FillFlags += mode == 1 ? 1 : mode == 2 ? 3 : 2;
        }
    }
    BackFlags = 0;
    if (SectionIndex < 0) {
        FrameMaskIndex = -1;
        TextureMask = -1;
        HotTextureMask = -1;
        return;
    }
    FrameMaskIndex = manager->FindMask(SectionIndex, skinSection_, "BORDERSMASK");
    TextureMask = manager->FindTexture(SectionIndex, skinSection_, "PATTERN");
    HotTextureMask = manager->FindTexture(SectionIndex, skinSection_, "HOTPATTERN");
    if (KeepsBackFlags())
        BackFlags = ComputeBackFlags();
}

std::string TsCommonData::DefaultSectionOf(int kind, const std::string& className) {
    struct Default {
        const char* section;
        std::initializer_list<int> kinds;
    };
    static const Default defaults[] = {
        {"EDIT", {2, 3, 4, 5, 6, 7, 8, 10, 41, 76, 78, 83, 84, 96, 97, 131, 140, 227}},
        {"COMBOBOX", {11, 12, 13, 14, 15, 16, 17, 18, 81, 82}},
        {"BAR", {19}},
        {"BARTITLE", {20}},
        {"CHECKBOX", {32, 152}},
        {"RADIOBUTTON", {33}},
        {"PANEL", {51, 59, 68, 73}},
        {"PANEL_LOW", {52, 58}},
        {"TOOLBAR", {53, 54, 60}},
        {"DRAGBAR", {56}},
        {"TABSHEET", {57}},
        {"GROUPBOX", {74, 226}},
        {"SPLITTER", {75}},
        {"SPEEDBUTTON", {92, 95}},
        {"BUTTON", {93, 94}},
        {"TOOLBUTTON", {98}},
        {"PAGECONTROL", {141, 143}},
        {"STATUSBAR", {151}},
        {"GAUGE", {161}},
        {"TRACKBAR", {165}},
    };
    for (const Default& d : defaults)
        if (InKinds(kind, d.kinds))
            return d.section;
    return className;
}

void TsCommonData::SetDefaultSection() {
    if (!skinSection_.empty())
        return;
    const std::string className = ownerControl_ ? ownerControl_->ClassName() : std::string();
    SetSkinSection(DefaultSectionOf(KindCode, className));
}

void TsCommonData::BeginUpdate() {
    PaintSuspended = true;
    SendToOwner(scBeginUpdate, 0, 0);
}

void TsCommonData::EndUpdate() {
    PaintSuspended = false;
    SendToOwner(scEndUpdate, 0, 0);
}

TsBitmap24& TsCommonData::EnsureCache() {
    if (!Cache)
        Cache = std::make_unique<TsBitmap24>();
    const int width = ownerControl_ ? std::max(0, ownerControl_->Width()) : Cache->Width;
    const int height = ownerControl_ ? std::max(0, ownerControl_->Height()) : Cache->Height;
    if (Cache->Width != width || Cache->Height != height)
        *Cache = TsBitmap24(width, height);
    return *Cache;
}

void TsCommonData::Invalidate() {
    CacheStale = true;
    if (!ownerControl_ || !ownerControl_->Visible() || !ownerControl_->Parent() || !OwnerUsable())
        return;
    ownerControl_->Invalidate();
}

TColor TsCommonData::OwnColor() const {
    if (ownerControl_)
        return TsSkinManager::ColorToRGB(ownerControl_->Color());
    if (FrameForm)
        return TsSkinManager::ColorToRGB(FrameForm->Color());
    return static_cast<TColor>(SkinPlatform().SysColor(15 /* COLOR_BTNFACE */));
}

TColor TsCommonData::ControlColor() const {
    const TsGeneralData* section = Section();
    if (!Skinned() || customColor_ || !section)
        return OwnColor();
    const bool hot = Hot();
    const int t = hot ? section->HotTransparency : section->Transparency;
    const TColor c = TsSkinManager::ColorToRGB(hot ? section->HotColor : section->Color);
    if (t <= 0)
        return c;
    // The parent's colour.
    TColor p = OwnColor();
    if (ownerControl_ && ownerControl_->Parent()) {
        TWinControl& parent = *ownerControl_->Parent();
        if (SendSkinCommand(parent, scGetSectionIndex) > 0)
            p = static_cast<TColor>(SendSkinCommand(parent, scGetChildColor));
        else
            p = TsSkinManager::ColorToRGB(parent.Color());
    } else if (ownerControl_) {
        TMessageResult answer = 0;
        if (ControlPainter().SendToParentWindow(*ownerControl_, SM_SKINCOMMAND, SkinCommand(scGetChildColor),
                                                0, answer))
            p = static_cast<TColor>(answer);
    }
    if (t >= 100)
        return p;
    auto mix = [t](int cc, int pc) {
        return static_cast<int>(std::lround(cc * t / 100.0 + pc * (1 - t / 100.0)));
    };
    return FromChannels(mix(Channel(c, 0), Channel(p, 0)), mix(Channel(c, 8), Channel(p, 8)),
                        mix(Channel(c, 16), Channel(p, 16)));
}

TColor TsCommonData::ChildBackgroundColor() const {
    const TsGeneralData* section = Section();
    if (!Skinned() || !section)
        return OwnColor();
    const int t = section->Transparency;
    const TColor c = TsSkinManager::ColorToRGB(section->Color);
    if (t == 0)
        return c;
    // The parent window's answer.
    bool hasParentWindow = false;
    TColor p = 0;
    if (ownerControl_ && ownerControl_->Parent()) {
        hasParentWindow = true;
        p = static_cast<TColor>(
            ownerControl_->Parent()->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scGetChildColor), 0));
    } else if (ownerControl_) {
        TMessageResult answer = 0;
        hasParentWindow = ControlPainter().SendToParentWindow(*ownerControl_, SM_SKINCOMMAND,
                                                              SkinCommand(scGetChildColor), 0, answer);
        p = static_cast<TColor>(answer);
    }
    if (t == 100) {
        if (!hasParentWindow)
            return OwnColor();
        if (p == clNone && ownerControl_ && ownerControl_->Parent())
            return TsSkinManager::ColorToRGB(ownerControl_->Parent()->Color());
        return p;
    }
    if (!hasParentWindow)
        p = OwnColor();
    auto mix = [t](int cc, int pc) { return std::min(255, std::max(0, (t * (pc - cc) + cc * 256) / 256)); };
    return FromChannels(mix(Channel(c, 0), Channel(p, 0)), mix(Channel(c, 8), Channel(p, 8)),
                        mix(Channel(c, 16), Channel(p, 16)));
}

void TsCommonData::AnswerBackground(TsBackgroundRecord& record) const {
    const TsGeneralData* section = Section();
    if (!Skinned() || !section) {
        record.Kind = bkColor;
        record.FillColor = OwnColor();
        return;
    }
    const int t = section->Transparency;
    const int g = section->GradientPercent;
    const int i = section->ImagePercent;
    if (t == 0 && g <= 0 && i <= 0) {
        record.Kind = bkColor;
        record.FillColor = ControlColor();
        if (record.DrawNow && record.TargetDC)
            ControlPainter().FillRect(record.TargetDC, record.Area, record.FillColor);
        return;
    }
    if (t == 100) {
        TsSkinManager* manager = Manager();
        int margins = 0;
        if (FrameMaskIndex >= 0)
            margins = manager->MaskWidthLeft(FrameMaskIndex) + manager->MaskWidthTop(FrameMaskIndex) +
                      manager->MaskWidthRight(FrameMaskIndex) + manager->MaskWidthBottom(FrameMaskIndex);
        if (FrameMaskIndex < 0 || margins < 25) {
            bool asked = false;
            if (ownerControl_ && ownerControl_->Parent()) {
                ownerControl_->Parent()->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scGetBackground),
                                                           reinterpret_cast<TLParam>(&record));
                asked = true;
            } else if (ownerControl_) {
                TMessageResult ignored = 0;
                asked = ControlPainter().SendToParentWindow(*ownerControl_, SM_SKINCOMMAND,
                                                            SkinCommand(scGetBackground),
                                                            reinterpret_cast<TLParam>(&record), ignored);
            }
            if (!asked) {
                record.Kind = bkColor;
                record.FillColor = manager->GlobalBackColor();
            } else if (record.Kind == bkPicture && ownerControl_) {
                record.Origin.X += ownerControl_->Left();
                record.Origin.Y += ownerControl_->Top();
            }
            return;
        }
    }
    if (!Cache || Cache->Empty()) {
        record.Kind = bkColor;
        record.FillColor = clNone;
        return;
    }
    record.Kind = bkPicture;
    if (record.DrawNow && record.TargetDC) {
        ControlPainter().CopyPicture(record.TargetDC, record.Area, *Cache, record.Origin.X, record.Origin.Y);
    } else {
        record.Picture = Cache.get();
        record.Origin = TPoint{0, 0};
    }
}

bool TsCommonData::KeepsBackFlags() const {
    if (!ownerControl_)
        return true; // a form-frame component
    if (dynamic_cast<TCustomForm*>(ownerControl_))
        return true;
    if (InKinds(KindCode, {51, 52, 58, 59, 68, 73}))
        return true;
    const std::string name = ownerControl_->ClassName();
    return name.find("Panel") != std::string::npos || name.find("ScrollBox") != std::string::npos;
}

int TsCommonData::ComputeBackFlags() const {
    const TsGeneralData* section = Section();
    if (!section)
        return 0;
    TsSkinManager* manager = Manager();
    if (FrameMaskIndex >= 0) {
        const int margins = manager->MaskWidthLeft(FrameMaskIndex) + manager->MaskWidthTop(FrameMaskIndex) +
                            manager->MaskWidthRight(FrameMaskIndex) +
                            manager->MaskWidthBottom(FrameMaskIndex);
        if (margins > 24)
            return 0;
    }
    const int t = section->Transparency;
    if (t != 0 && t != 100)
        return 0;
    if (t == 0 && (section->ImagePercent > 0 || section->GradientPercent > 0))
        return 0;
    if (t == 100) {
        TWinControl* parent = ownerControl_ ? ownerControl_->Parent() : nullptr;
        if (!parent)
            return 0;
        if (!(SendSkinCommand(*parent, scBackFlags, 0, 0) & 1))
            return 0;
    }
    return 1;
}

TMessageResult TsCommonData::HandleCommand(TWParam wParam, TLParam lParam, bool& handled) {
    handled = true;
    TsSkinManager* manager = Manager();
    const bool mine = manager && reinterpret_cast<TsSkinManager*>(lParam) == manager;
    switch (CommandOf(wParam)) {
    case scNewSkin:
        if (mine)
            UpdateIndexes();
        return 0;
    case scRemoveSkin:
        if (mine) {
            SectionIndex = FrameMaskIndex = TextureMask = HotTextureMask = -1;
            PaintSuspended = true;
            if (Cache)
                *Cache = TsBitmap24();
            if (manager->Destroying() && skinManager_ == manager)
                skinManager_ = nullptr;
        }
        return 0;
    case scRefresh:
        if (mine) {
            CacheStale = true;
            PaintSuspended = false;
            if (Skinned() && ownerControl_ && ownerControl_->AsWinControl()) {
                if (TCustomForm* form = ownerControl_->ParentForm(); form && form != ownerControl_)
                    form->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scControlLoaded),
                                            reinterpret_cast<TLParam>(ownerControl_));
            }
            BackFlags = KeepsBackFlags() ? ComputeBackFlags() : 0;
        }
        return 0;
    case scGetFrame:
        return ownerControl_ ? 0 : reinterpret_cast<TMessageResult>(ownerObject_);
    case scIsSkinned:
        return 1;
    case scSuspendPaint:
        PaintSuspended = ArgumentOf(wParam) == 1;
        return 0;
    case scIsStale:
        return CacheStale || PaintSuspended ? 1 : 0;
    case scIsPartlyOutside:
        return PartlyOutside ? 1 : 0;
    case scTransparencyChange:
        if (const TsGeneralData* section = Section();
            section && section->Transparency > 0 && ArgumentOf(wParam) == 1)
            CacheStale = true;
        return 0;
    case scStopAnimations:
        return 0;
    case scMarkStale:
        CacheStale = true;
        return 0;
    case scBackgroundChanged: {
        // The background depends on the parent when it is not wholly the
        // control's own.
        if (const TsGeneralData* section = Section(); section && Skinned() && section->Transparency > 0)
            CacheStale = true;
        TWinControl* windowed = ownerControl_ ? ownerControl_->AsWinControl() : nullptr;
        if (windowed && ArgumentOf(wParam) == 1 && windowed->HandleAllocated())
            ControlPainter().Redraw(*windowed, false);
        if (windowed)
            for (size_t i = 0; i < windowed->ControlCount(); ++i)
                SendSkinCommand(*windowed->Controls(i), scBackgroundChanged, ArgumentOf(wParam), lParam);
        return 0;
    }
    case scGetChildColor:
        return static_cast<TMessageResult>(ChildBackgroundColor());
    case scSetPartlyOutside:
        PartlyOutside = true;
        return 0;
    case scGetSectionIndex:
        return Skinned() ? SectionIndex + 1 : 0;
    case scGetBackground:
        if (lParam)
            AnswerBackground(*reinterpret_cast<TsBackgroundRecord*>(lParam));
        return 0;
    case scBackFlags:
        if (lParam == 1) {
            BackFlags = KeepsBackFlags() && Skinned() ? ComputeBackFlags() : 0;
            if (TWinControl* windowed = ownerControl_ ? ownerControl_->AsWinControl() : nullptr)
                for (size_t i = 0; i < windowed->ControlCount(); ++i)
                    SendSkinCommand(*windowed->Controls(i), scBackFlags, 0, 1);
            return 0;
        }
        return BackFlags;
    case scGetApplication:
        return reinterpret_cast<TMessageResult>(&Application());
    default:
        handled = false;
        return 0;
    }
}

TsItemSkin TsCommonData::ItemSkin() const {
    TsItemSkin skin;
    skin.SkinManager = Manager();
    skin.SkinSection = skinSection_;
    skin.SectionIndex = SectionIndex;
    skin.FrameMaskIndex = FrameMaskIndex;
    skin.TextureMask = TextureMask;
    skin.HotTextureMask = HotTextureMask;
    skin.CustomColor = customColor_;
    skin.ControlColor = OwnColor();
    skin.CustomFont = customFont_;
    const TFont* font = ownerControl_ ? &ownerControl_->Font() : FrameForm ? &FrameForm->Font() : nullptr;
    if (font) {
        skin.Font.Name = font->Name;
        skin.Font.Height = font->Height;
        skin.Font.Bold = font->Bold;
        skin.Font.Color = TsSkinManager::ColorToRGB(font->Color);
    }
    TControl* owner = ownerControl_;
    skin.AncestorSection = [owner](int depth) -> std::optional<int> {
        TControl* at = owner;
        for (int i = 0; i < depth && at; ++i)
            at = at->Parent();
        if (!at || at == owner)
            return std::nullopt;
        return static_cast<int>(SendSkinCommand(*at, scGetSectionIndex)) - 1;
    };
    return skin;
}
