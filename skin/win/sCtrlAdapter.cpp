#include "sCtrlAdapter.h"

#include "sAdapterWnd.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/win/sWindowQueries.h"

#include <algorithm>

namespace {

constexpr int kNotSkinnedTag = -98;

bool AnswersSkinned(TWinControl& control) {
    return control.HandleAllocated() && SendMessageA(static_cast<HWND>(control.Handle()), SM_SKINCOMMAND,
                                                     SkinCommand(scIsSkinned), 0) == 1;
}

// Skinned by a skin component of its own (not merely by one of our adapters).
bool SkinnedByItself(TWinControl& control) {
    return AnswersSkinned(control) && !TqzMainWnd::Of(static_cast<HWND>(control.Handle()));
}

} // namespace

TqzAdapterItem::TqzAdapterItem(TControl& control) : SkinData(&control, true), control_(control) {
    SkinData.KindCode = 227;
}

TqzAdapterItem::~TqzAdapterItem() = default;

bool TqzAdapterItem::Stale() const {
    return !adapter_ || adapter_->Removed();
}

bool TqzAdapterItem::Attach(TsSkinManager& manager) {
    auto* control = control_.AsWinControl();
    if (!control || control->TabOrder() == kNotSkinnedTag || !control->HandleAllocated())
        return false;
    // Controls inside a control that skins itself are its business (the
    // form's own frame answers for the form, not for its controls).
    TWinControl* parent = control->Parent();
    if (parent && !dynamic_cast<TCustomForm*>(parent) && SkinnedByItself(*parent))
        return false;
    const TqzAdapterChoice choice = ChooseThirdPartyAdapter(control->ClassName(), manager.ThirdLists());
    const std::string section = choice.Section.empty() ? SkinData.SkinSection() : choice.Section;
    adapter_.reset();
    adapter_ = MakeAdapterWnd(choice.Kind, static_cast<HWND>(control->Handle()), section, manager, &SkinData);
    if (!adapter_)
        return false;
    adapter_->Attach();
    return true;
}

TqzCtrlAdapter::TqzCtrlAdapter(TsSkinProvider& provider) : provider_(provider) {}

TqzCtrlAdapter::~TqzCtrlAdapter() {
    RemoveAllItems();
}

TsSkinManager* TqzCtrlAdapter::Manager() const {
    return provider_.SkinData.Manager();
}

TqzAdapterItem* TqzCtrlAdapter::ItemOf(const TControl& control) const {
    for (const auto& item : Items)
        if (&item->Control() == &control)
            return item.get();
    return nullptr;
}

void TqzCtrlAdapter::RemoveStaleItems() {
    std::erase_if(Items, [](const std::unique_ptr<TqzAdapterItem>& item) { return item->Stale(); });
}

void TqzCtrlAdapter::RemoveAllItems() {
    Items.clear();
}

void TqzCtrlAdapter::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    for (const auto& item : Items)
        if (item->Adapter() && !item->Adapter()->Removed())
            SendMessageA(item->Adapter()->Handle(), message, wParam, lParam);
}

bool TqzCtrlAdapter::Eligible(TControl& control) const {
    if (control.Tag() == kNotSkinnedTag)
        return false;
    if (TWinControl* windowed = control.AsWinControl())
        return windowed->HandleAllocated() && !AnswersSkinned(*windowed);
    if (control.ClassName() == "TLabel")
        return true;
    if (dynamic_cast<TGraphicControl*>(&control))
        return false;
    TsSkinManager* manager = Manager();
    if (!manager)
        return false;
    for (const auto& list : manager->ThirdLists())
        if (std::find(list.begin(), list.end(), control.ClassName()) != list.end())
            return true;
    return false;
}

void TqzCtrlAdapter::AddAllItems(TWinControl* start) {
    TsSkinManager* manager = Manager();
    if (adding_ || !manager || !(manager->SkinningRules & srThirdParty))
        return;
    adding_ = true;
    RemoveStaleItems();
    std::vector<TControl*> seen;
    Walk(start ? *start : provider_.Form(), seen);
    adding_ = false;
}

void TqzCtrlAdapter::Walk(TWinControl& start, std::vector<TControl*>& seen) {
    std::vector<TControl*> controls;
    for (size_t i = 0; i < start.ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(start.Components(i)))
            controls.push_back(control);
    for (size_t i = 0; i < start.ControlCount(); ++i)
        controls.push_back(start.Controls(i));
    TsSkinManager& manager = *Manager();
    for (TControl* control : controls) {
        if (std::find(seen.begin(), seen.end(), control) != seen.end())
            continue;
        seen.push_back(control);
        if (Eligible(*control)) {
            if (control->AsWinControl()) {
                AddNewItem(*control, "EDIT");
            } else if (auto* label = dynamic_cast<TLabelLook*>(control);
                       label && control->ClassName() == "TLabel") {
                bool canBeAdded = true;
                std::string section;
                if (provider_.OnSkinItem)
                    provider_.OnSkinItem(*control, canBeAdded, section);
                const TColor text = manager.GlobalTextColor();
                if (canBeAdded) {
                    label->SetTransparent(true);
                    if (text != static_cast<TColor>(0xFF00FF) && text != clNone)
                        label->SetFontColor(TsSkinManager::ColorToRGB(text));
                }
            }
        }
        if (TWinControl* windowed = control->AsWinControl();
            windowed && windowed->HandleAllocated() && windowed->Parent())
            Walk(*windowed, seen);
    }
}

void TqzCtrlAdapter::AddNewItem(TControl& control, const std::string& section) {
    TsSkinManager* manager = Manager();
    TWinControl* windowed = control.AsWinControl();
    if (!manager || control.Tag() == kNotSkinnedTag || !control.Parent() ||
        (windowed && AnswersSkinned(*windowed)))
        return;
    bool canBeAdded = true;
    std::string skinSection = section;
    if (provider_.OnSkinItem) {
        provider_.OnSkinItem(control, canBeAdded, skinSection);
        if (!canBeAdded)
            return;
    }
    TqzAdapterItem* item = ItemOf(control);
    const bool added = item == nullptr;
    if (added) {
        Items.push_back(std::make_unique<TqzAdapterItem>(control));
        item = Items.back().get();
        item->SkinData.SetSkinManager(manager);
    }
    item->SkinData.SetSkinSection(skinSection);
    if (!added && !item->Stale())
        return;
    if (!item->Attach(*manager) && added)
        std::erase_if(Items, [item](const std::unique_ptr<TqzAdapterItem>& i) { return i.get() == item; });
}
