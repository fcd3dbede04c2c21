// Menus on Windows: the menu handle made from the item tree, showing a
// pop-up menu, and the owner-draw messages routed back to the items.
#include "controls/Menus.h"

#include <windows.h>

namespace {

HMENU MakeMenu(const TMenuItem& parent, bool popup);

void AppendItem(HMENU menu, TMenuItem& item) {
    if (!item.Visible)
        return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
    info.fType = item.IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (item.OwnerDrawn())
        info.fType |= MFT_OWNERDRAW;
    if (item.RadioItem)
        info.fType |= MFT_RADIOCHECK;
    if (item.Break == mbBreak)
        info.fType |= MFT_MENUBREAK;
    else if (item.Break == mbBarBreak)
        info.fType |= MFT_MENUBARBREAK;
    info.fState = (item.Enabled ? MFS_ENABLED : MFS_GRAYED) | (item.Checked ? MFS_CHECKED : 0u) |
                  (item.Default ? MFS_DEFAULT : 0u);
    info.wID = item.Command();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    // The text travels also with owner-drawn items: it gives the keyboard
    // its mnemonic and the menu its text for whoever reads it.
    std::string text = item.Caption;
    if (!item.ShortCut.empty())
        text += "\t" + item.ShortCut;
    if (!item.IsLine()) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
    }
    if (item.Count() > 0) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = MakeMenu(item, true);
    }
    if (!item.OwnerDrawn() && item.Bitmap && !item.IsLine()) {
        info.fMask |= MIIM_CHECKMARKS;
        info.hbmpUnchecked = static_cast<HBITMAP>(item.Bitmap);
    }
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

HMENU MakeMenu(const TMenuItem& parent, bool popup) {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    if (!menu)
        return nullptr;
    for (size_t i = 0; i < parent.Count(); ++i)
        AppendItem(menu, *parent.Items(i));
    return menu;
}

} // namespace

void* TMenu::Handle() {
    if (!handle_)
        handle_ = MakeMenu(*items_, IsPopup());
    return handle_;
}

void TMenu::Rebuild() {
    DestroyHandle();
    Handle();
}

void TMenu::DestroyHandle() {
    if (handle_)
        DestroyMenu(static_cast<HMENU>(handle_)); // sub-menus go with it
    handle_ = nullptr;
}

unsigned TPopupMenu::Popup(int x, int y, bool returnCommand) {
    // Made afresh: the items may have changed since the last time.
    Rebuild();
    HWND owner = static_cast<HWND>(PopupOwner);
    UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON;
    if (returnCommand)
        flags |= TPM_RETURNCMD;
    const BOOL chosen = TrackPopupMenu(static_cast<HMENU>(Handle()), flags, x, y, 0, owner, nullptr);
    return returnCommand ? static_cast<unsigned>(chosen) : 0u;
}

bool DispatchMenuOwnerDraw(unsigned message, TWParam, TLParam lParam, TMessageResult& result) {
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!measure || measure->CtlType != ODT_MENU)
            return false;
        TMenuItem* item = LiveMenuItem(measure->itemData);
        if (!item || !item->OnMeasureItem)
            return false;
        int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
        // A screen context to measure with; the item's handler picks its font.
        HDC dc = GetDC(nullptr);
        item->OnMeasureItem(*item, dc, width, height);
        ReleaseDC(nullptr, dc);
        measure->itemWidth = static_cast<UINT>(width > 0 ? width : 0);
        measure->itemHeight = static_cast<UINT>(height > 0 ? height : 0);
        result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!draw || draw->CtlType != ODT_MENU)
            return false;
        TMenuItem* item = LiveMenuItem(draw->itemData);
        if (!item || !item->OnDrawItem)
            return false;
        const RECT& r = draw->rcItem;
        item->OnDrawItem(*item, draw->hDC, TBounds{r.left, r.top, r.right - r.left, r.bottom - r.top},
                         draw->itemState);
        result = TRUE;
        return true;
    }
    return false;
}
