#pragma once
// Menus as components: a menu holds a tree of items; each item has a caption,
// a shortcut text, its states, an optional bitmap and sub-items, and may be
// drawn by its owner (measure and draw handlers). On Windows a menu becomes a
// menu handle made afresh from the tree, and the owner-draw and command
// messages its window receives are routed back to the items.
#include "base/Component.h"
#include "controls/Controls.h"

#include <functional>
#include <string>
#include <vector>

class TMenu;

// A column break before the item: a new column (with or without a bar).
enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

// Owner-draw states of an item being drawn (the values Windows passes).
enum : unsigned {
    odSelected = 0x0001,
    odGrayed = 0x0002,
    odDisabled = 0x0004,
    odChecked = 0x0008,
    odFocus = 0x0010,
    odDefault = 0x0020,
    odHotLight = 0x0040,
    odNoAccel = 0x0100,
};

class TMenuItem : public TComponent {
public:
    using TMeasureEvent = std::function<void(TMenuItem& item, void* dc, int& width, int& height)>;
    using TDrawEvent = std::function<void(TMenuItem& item, void* dc, const TBounds& rect, unsigned state)>;

    // Items are owned by the item (or menu) above them.
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    std::string Caption;
    std::string ShortCut; // the shortcut as the menu shows it ("Alt+F4"), empty for none
    bool Enabled = true;
    bool Checked = false;
    bool RadioItem = false;
    bool Default = false;
    bool Visible = true;
    TMenuBreak Break = mbNone;
    void* Bitmap = nullptr; // a bitmap handle the item shows in its icon column, not owned
    int ImageIndex = -1;    // its picture in the menu's image list
    std::function<void(TMenuItem& item)> OnClick;
    TMeasureEvent OnMeasureItem;
    TDrawEvent OnDrawItem;
    // Who set the measure and draw handlers (null: the item's own), so that
    // a painter that set them can take back only its own.
    const void* HandlersOwner = nullptr;

    // The command number the item's window messages carry (one of its own
    // unless set).
    unsigned Command() const { return command_; }
    void SetCommand(unsigned command) { command_ = command; }

    size_t Count() const { return items_.size(); }
    TMenuItem* Items(size_t index) const { return items_[index]; }
    // Makes a new sub-item at the end (owned by this item).
    TMenuItem* Add(const std::string& caption);
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    // The menu the item belongs to, or null for a loose item.
    TMenu* GetParentMenu() const;
    // A separator: the caption "-".
    bool IsLine() const { return Caption == "-"; }
    bool OwnerDrawn() const { return static_cast<bool>(OnDrawItem) || static_cast<bool>(OnMeasureItem); }
    // Runs OnClick when the item is enabled.
    void Click();

    // A live item with the command number or the identity, searched from
    // this item down; null when none.
    TMenuItem* FindCommand(unsigned command);

private:
    friend class TMenu;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on the root item of a menu
    std::vector<TMenuItem*> items_;
    unsigned command_ = 0;
};

// The item whose identity a menu handle carries as its item data, when it is
// still alive; null otherwise.
TMenuItem* LiveMenuItem(uintptr_t itemData);

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item; its sub-items are the menu's items.
    TMenuItem& Items() { return *items_; }
    const TMenuItem& Items() const { return *items_; }
    // An image list handle the items take their pictures from (not owned), or null.
    void* Images = nullptr;
    // Items read from right to left.
    bool RightToLeft = false;
    virtual bool IsPopup() const { return false; }

    // The menu handle made from the items (Windows); made afresh by Rebuild.
    void* Handle();
    void Rebuild();
    // Runs the click of the item with the command number; false when none has it.
    bool DispatchCommand(unsigned command);

protected:
    void DestroyHandle();

private:
    TMenuItem* items_ = nullptr;
    void* handle_ = nullptr;
};

class TMainMenu : public TMenu {
public:
    using TMenu::TMenu;
};

class TPopupMenu : public TMenu {
public:
    using TMenu::TMenu;
    bool IsPopup() const override { return true; }
    // The window the menu reports to (its commands and owner-draw messages).
    void* PopupOwner = nullptr;
    // Shows the menu at the screen point and returns when it closes. With
    // returnCommand the chosen command is returned (0 none) and not sent to
    // the owner window.
    unsigned Popup(int x, int y, bool returnCommand = false);
};

// An owner-draw message (WM_MEASUREITEM or WM_DRAWITEM) of a menu item,
// handed to the item's handlers; false when it is no message of a live item.
bool DispatchMenuOwnerDraw(unsigned message, TWParam wParam, TLParam lParam, TMessageResult& result);
