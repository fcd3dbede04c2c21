#include "sSkinableMenus.h"
#include "sSkinManager.h"
#include "controls/Application.h"

#include <algorithm>

namespace {

// What the extra line says until the program supplies its own text.
constexpr char ExtraLineReminder[] = "Set the skin manager's OnGetMenuExtraLineData to fill this line";

// The tab stops of a single line of text: every eight average characters.
int ExpandedWidth(const std::string& text, TsTextCanvas& canvas) {
    const size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return canvas.TextExtent(text).Width;
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const int average = (canvas.TextExtent(letters).Width + 26) / 52;
    const int stop = std::max(8 * average, 1);
    const int before = canvas.TextExtent(text.substr(0, tab)).Width;
    const int next = (before / stop + 1) * stop;
    return next + ExpandedWidth(text.substr(tab + 1), canvas);
}

// Walks the components a form owns: menus and loose items are handed on,
// anything else is searched for more.
void WalkMenus(TComponent& component, TsSkinableMenus& painter, bool on) {
    for (size_t i = 0; i < component.ComponentCount(); ++i) {
        TComponent* child = component.Components(i);
        if (auto* menu = dynamic_cast<TMenu*>(child))
            painter.SetOwnerDraw(*menu, on);
        else if (auto* item = dynamic_cast<TMenuItem*>(child))
            painter.SetOwnerDraw(*item, on);
        else
            WalkMenus(*child, painter, on);
    }
}

} // namespace

TsSkinableMenus::TsSkinableMenus(TsSkinManager& owner) : owner_(owner) {}

TsSkinableMenus::~TsSkinableMenus() = default;

int TsSkinableMenus::SkinBorderWidth() {
    if (skinBorderWidth_ < 0)
        skinBorderWidth_ = MenuSkinBorderWidth(owner_);
    return skinBorderWidth_;
}

void TsSkinableMenus::Activate(bool on) {
    if (!owner_.SkinnedPopups)
        return;
    for (size_t i = 0; i < Application().FormCount(); ++i)
        WalkMenus(*Application().Forms(i), *this, on);
}

void TsSkinableMenus::SetOwnerDraw(TMenu& menu, bool on) {
    TMenuItem& root = menu.Items();
    for (size_t i = 0; i < root.Count(); ++i)
        SetOwnerDraw(*root.Items(i), on);
}

void TsSkinableMenus::SetOwnerDraw(TMenuItem& item, bool on) {
    if (on && !item.OwnerDrawn()) {
        item.OnMeasureItem = [this](TMenuItem& i, void* dc, int& width, int& height) {
            MeasureItemOnDc(i, dc, width, height);
        };
        item.OnDrawItem = [this](TMenuItem& i, void* dc, const TBounds& b, unsigned state) {
            DrawItem(i, dc, state, TRect{b.Left, b.Top, b.Left + b.Width, b.Top + b.Height});
        };
        item.HandlersOwner = this;
    } else if (!on && item.HandlersOwner == this) {
        item.OnMeasureItem = nullptr;
        item.OnDrawItem = nullptr;
        item.HandlersOwner = nullptr;
    }
    for (size_t i = 0; i < item.Count(); ++i)
        SetOwnerDraw(*item.Items(i), on);
}

TsTextFont TsSkinableMenus::ItemFont(const TMenuItem& item) const {
    TsTextFont font = MenuFont ? *MenuFont : SystemMenuFont();
    if (item.Default)
        font.Bold = true;
    return font;
}

bool TsSkinableMenus::FirstColumn(const TMenuItem& item) const {
    const TMenuItem* parent = item.Parent();
    if (!parent)
        return true;
    for (size_t i = 0; i < parent->Count(); ++i) {
        const TMenuItem* other = parent->Items(i);
        if (other->Visible && other->Break != mbNone && i > 0)
            return false;
        if (other == &item)
            return true;
    }
    return true;
}

bool TsSkinableMenus::ExtraLineShown() const {
    return owner_.MenuSupport.UseExtraLine && extraLine_.Visible;
}

void TsSkinableMenus::EnterPopup(TMenuItem& item) {
    TMenuItem* parent = item.Parent();
    TMenuItem* first = parent && parent->Count() > 0 ? parent->Items(0) : &item;
    if (first == popupFirst_)
        return;
    popupFirst_ = first;
    DropPopupPicture();
    BorderDrawn = false;
    OutlineRects.clear();
    extraLine_ = TsExtraLineData{};
    if (parent && parent->Name() == "SkinSelectItem") {
        // The list of the manager's skins carries no extra line.
        extraLine_.Visible = false;
        return;
    }
    extraLine_.Text = ExtraLineReminder;
    if (owner_.OnGetMenuExtraLineData)
        owner_.OnGetMenuExtraLineData(*first, extraLine_.Section, extraLine_.Text, extraLine_.Picture,
                                      extraLine_.Visible);
    std::erase(extraLine_.Text, '&');
}

TsMenuSize TsSkinableMenus::MeasureItem(TMenuItem& item, TsTextCanvas& canvas, int iconWidth,
                                        int iconHeight) {
    EnterPopup(item);
    TsMenuMeasure m;
    m.Kind = MenuItemKind(item.Caption);
    m.IconWidth = iconWidth;
    m.IconHeight = iconHeight;
    m.Margin = Margin;
    m.Spacing = Spacing;
    canvas.SetFont(m.Kind == mkHeader ? CaptionFont : ItemFont(item));
    m.TextWidth = ExpandedWidth(MeasuredText(item.Caption, item.ShortCut), canvas);
    m.LetterHeight = canvas.TextExtent("W").Height;
    if (ExtraLineShown() && FirstColumn(item))
        m.ExtraLineWidth = owner_.MenuSupport.ExtraLineWidth;
    return MeasureMenuItem(m);
}

TsMenuSize TsSkinableMenus::PopupSizeOf(TMenuItem& parent, TsTextCanvas& canvas) {
    std::vector<TsMenuBox> boxes;
    for (size_t i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = *parent.Items(i);
        if (!item.Visible)
            continue;
        int width = 16, height = 16;
        IconSize(item, width, height);
        const TsMenuSize size = MeasureItem(item, canvas, width, height);
        boxes.push_back({size.Width, size.Height, item.Break != mbNone});
    }
    return PopupSize(boxes, BorderWidth);
}

#ifndef _WIN32
// Without windows there is nothing to draw on; the items keep their sizes.
TsTextFont SystemMenuFont() {
    return TsTextFont{};
}
void TsSkinableMenus::IconSize(const TMenuItem&, int& width, int& height) const {
    width = height = 16;
}
void TsSkinableMenus::MeasureItemOnDc(TMenuItem&, void*, int&, int&) {}
void TsSkinableMenus::DrawItem(TMenuItem&, void*, unsigned, const TRect&) {}
void TsSkinableMenus::MenuWindowCreated(void*) {}
void TsSkinableMenus::MenuWindowDestroyed(void*) {}
#endif
