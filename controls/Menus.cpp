#include "Menus.h"

#include <algorithm>
#include <set>

namespace {

// Items alive now: a menu handle carries an item's identity, and a message
// about an item that is gone must not reach it.
std::set<const TMenuItem*>& LiveItems() {
    static std::set<const TMenuItem*> items;
    return items;
}

// Command numbers of their own for items, above the numbers windows give
// their controls.
unsigned NextCommand() {
    static unsigned next = 0x4000;
    if (next >= 0xFF00)
        next = 0x4000;
    return next++;
}

} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) {
    LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
    LiveItems().erase(this);
    // The sub-items go first (they are owned), then the item leaves its parent.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    if (parent_) {
        auto& list = parent_->items_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TMenuItem* TMenuItem::Add(const std::string& caption) {
    auto* item = new TMenuItem(this);
    item->Caption = caption;
    item->parent_ = this;
    items_.push_back(item);
    return item;
}

int TMenuItem::MenuIndex() const {
    if (!parent_)
        return -1;
    const auto& list = parent_->items_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

void TMenuItem::Click() {
    if (Enabled && OnClick)
        OnClick(*this);
}

TMenuItem* TMenuItem::FindCommand(unsigned command) {
    if (command_ == command)
        return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindCommand(command))
            return found;
    return nullptr;
}

TMenuItem* LiveMenuItem(uintptr_t itemData) {
    auto* item = reinterpret_cast<const TMenuItem*>(itemData);
    return itemData && LiveItems().count(item) ? const_cast<TMenuItem*>(item) : nullptr;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    DestroyHandle();
}

bool TMenu::DispatchCommand(unsigned command) {
    // The root carries no command of its own.
    for (size_t i = 0; i < items_->Count(); ++i)
        if (TMenuItem* item = items_->Items(i)->FindCommand(command)) {
            item->Click();
            return true;
        }
    return false;
}

#ifndef _WIN32
// Without windows a menu has no handle and cannot be shown.
void* TMenu::Handle() {
    return handle_;
}
void TMenu::Rebuild() {}
void TMenu::DestroyHandle() {
    handle_ = nullptr;
}
unsigned TPopupMenu::Popup(int, int, bool) {
    return 0;
}
bool DispatchMenuOwnerDraw(unsigned, TWParam, TLParam, TMessageResult&) {
    return false;
}
#endif
