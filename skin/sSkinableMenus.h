#pragma once
// The menu painter of a skin manager: it turns the application's menus into
// owner-drawn menus, measures every item, draws it from the skin into a
// picture and copies that to the menu window, and gives the pop-up window a
// skinned background, border and outline.
#include "sBitBtnLayout.h"
#include "sBitmap.h"
#include "sGraphUtils.h"
#include "sSkinData.h"
#include "sSkinableMenusLayout.h"
#include "controls/Menus.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TsSkinManager;

// The font the system writes menus in.
TsTextFont SystemMenuFont();

// What the extra line at the left of a pop-up shows.
struct TsExtraLineData {
    std::string Section = "EXTRALINE";
    std::string Text;
    bool Visible = true;
    TsBitmapPtr Picture;
};

class TsSkinableMenus {
public:
    explicit TsSkinableMenus(TsSkinManager& owner);
    ~TsSkinableMenus();
    TsSkinableMenus(const TsSkinableMenus&) = delete;
    TsSkinableMenus& operator=(const TsSkinableMenus&) = delete;

    TsSkinManager& Owner() const { return owner_; }
    int Margin = 2;
    int Spacing = 6;
    int BorderWidth = 3;
    int BevelWidth = 0; // kept for the menu's settings, not drawn
    TsTextFont CaptionFont;
    TAlignment Alignment = taLeftJustify;
    // The items' font; none: the system menu font.
    std::optional<TsTextFont> MenuFont;
    // Key-coloured rectangles cut from the current pop-up window's region.
    std::vector<TRect> OutlineRects;
    // The current pop-up window already got its region.
    bool BorderDrawn = false;
    // Called after an item is drawn, with the item's picture.
    std::function<void(TMenuItem& item, TsBitmap24& picture)> OnDrawItem;

    // The skin's border width of the pop-up, read once from the skin.
    int SkinBorderWidth();
    // Forgets it (a new skin is being announced).
    void ResetSkinBorderWidth() { skinBorderWidth_ = -1; }

    // Every menu of the application (main menus, pop-up menus and loose
    // items, with their sub-items) made owner-drawn by the painter or given
    // back; only while the manager draws pop-ups from the skin.
    void Activate(bool on);
    // One item and its sub-items; items with handlers of their own are left alone.
    void SetOwnerDraw(TMenuItem& item, bool on);
    void SetOwnerDraw(TMenu& menu, bool on);

    // The font an item is written in: the menu font (else the system's),
    // bold for the default item.
    TsTextFont ItemFont(const TMenuItem& item) const;
    // An item's size, its text measured on the canvas; the icon size is the
    // item's bitmap's (or the menu's images', 16 x 16 without either).
    TsMenuSize MeasureItem(TMenuItem& item, TsTextCanvas& canvas, int iconWidth, int iconHeight);
    // The pop-up size (used when the menu window is not known).
    TsMenuSize PopupSizeOf(TMenuItem& parent, TsTextCanvas& canvas);

    // The extra line of the current pop-up, set up once per pop-up.
    const TsExtraLineData& ExtraLine() const { return extraLine_; }
    bool ExtraLineShown() const;
    // The pop-up the item belongs to is not the current one: it becomes the
    // current one, its picture is dropped and its extra line set up.
    void EnterPopup(TMenuItem& item);
    void DropPopupPicture() { popupPicture_.reset(); }
    // No pop-up is current any more: the next item drawn starts a new one.
    void ForgetPopup() {
        popupFirst_ = nullptr;
        popupPicture_.reset();
        BorderDrawn = false;
    }
    const TsBitmap24* PopupPicture() const { return popupPicture_.get(); }

    // Windows: the item measured and drawn on a device context (the handlers
    // the painter gives the items).
    void MeasureItemOnDc(TMenuItem& item, void* dc, int& width, int& height);
    void DrawItem(TMenuItem& item, void* dc, unsigned state, const TRect& rect);
    // A top-level item of a form's menu line drawn into picture at r (the
    // picture's coordinates): the "MENUITEM" section over the line's copy
    // (line, whose top-left lies at lineOrigin in picture) and the caption
    // centred, hot when selected.
    void DrawLineItem(const std::string& caption, bool enabled, bool selected, TsBitmap24& picture,
                      const TRect& r, const TsBitmap24& line, TPoint lineOrigin);
    // A pop-up menu window has been created (the window hook saw it).
    void MenuWindowCreated(void* window);
    void MenuWindowDestroyed(void* window);
    // The pop-up window being drawn now, or null.
    void* MenuWindow() const { return menuWindow_; }

private:
    bool FirstColumn(const TMenuItem& item) const;
    void IconSize(const TMenuItem& item, int& width, int& height) const;
    void BuildPopupPicture(void* window, int width, int height);
    void SetRegion(void* window);
    void DrawExtraLineText(TsBitmap24& picture, const TRect& strip);

    TsSkinManager& owner_;
    int skinBorderWidth_ = -1;
    const TMenuItem* popupFirst_ = nullptr; // the first item of the pop-up being drawn
    std::unique_ptr<TsBitmap24> popupPicture_;
    TsExtraLineData extraLine_;
    void* menuWindow_ = nullptr;
    std::vector<void*> menuWindows_; // open pop-up windows the hook told of, newest last
};

// Windows: the default manager's window hook gives every pop-up menu window
// a menu adapter that tells the manager's painter of it.
void InstallMenuAdapterFactory();
