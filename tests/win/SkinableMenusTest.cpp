// Skinned pop-up menus with the internal skin: items drawn on a device
// context as the menu asks for them (frame, separator, shortcut, disabled
// look), and a real pop-up window opened with its skinned outline.
#include "app/FrmMainSkin.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinableMenus.h"
#include "skin/win/sSkinHook.h"
#include "tests/fixtures/ModalStep.h"
#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>

namespace {

// The darkest channel of any pixel in the columns [left, right).
int DarkestChannel(const TsBitmap24& picture, int left, int right) {
    int darkest = 255;
    for (int y = 0; y < picture.Height; ++y)
        for (int x = std::max(left, 0); x < std::min(right, picture.Width); ++x) {
            const uint32_t p = picture.Pixel(x, y);
            darkest = std::min({darkest, int(p & 0xFF), int(p >> 8 & 0xFF), int(p >> 16 & 0xFF)});
        }
    return darkest;
}

// The rightmost column holding text (a channel below half).
int RightmostInk(const TsBitmap24& picture) {
    for (int x = picture.Width - 1; x >= 0; --x)
        if (DarkestChannel(picture, x, x + 1) < 0x80)
            return x;
    return -1;
}

class SkinableMenus : public ::testing::Test {
protected:
    void SetUp() override {
        InstallMenuAdapterFactory();
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->SkinData.Active);
    }
    void TearDown() override {
        menu.reset();
        manager.reset();
        HookFactories().MakeMenuAdapter = nullptr;
    }
    TsSkinableMenus& Painter() { return manager->SkinableMenus(); }
    TMenuItem* Add(const std::string& caption, const std::string& shortcut = {}) {
        TMenuItem* item = menu->Items().Add(caption);
        item->ShortCut = shortcut;
        return item;
    }
    // The item as the menu asks for it: drawn on a memory context at (0, 0).
    TsBitmap24 Draw(TMenuItem& item, unsigned state, int width, int height) {
        return PaintedPicture(width, height, [&](HDC dc) {
            Painter().DrawItem(item, dc, state, {0, 0, width, height});
        });
    }
    // The width the menu gives its items: the pop-up's less its border.
    int ItemWidth(TMenuItem& first) {
        Draw(first, 0, 1, 1);
        return Painter().PopupPicture()->Width - 6;
    }
    // The pop-up picture beneath an item drawn at (0, 0): the menu window's border lies around it.
    uint32_t Beneath(int x, int y) { return Painter().PopupPicture()->Pixel(x + 3, y + 3); }
    const TsMaskData& Mask(const char* section, const char* property) {
        const int index = manager->FindMask(manager->FindSection(section), section, property);
        EXPECT_GE(index, 0) << section << " " << property;
        return manager->ma[size_t(std::max(index, 0))];
    }
    uint32_t Master(int x, int y) { return manager->MasterBitmap->Pixel(x, y); }

    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TPopupMenu> menu = std::make_unique<TPopupMenu>(nullptr);
};

TEST_F(SkinableMenus, TheItemFrameShowsOnlyOnTheSelectedItem) {
    TMenuItem* copy = Add("Copy Item");
    Add("Another");
    Painter().SetOwnerDraw(*menu, true);
    ASSERT_TRUE(copy->OwnerDrawn());
    const int w = ItemWidth(*copy), h = 20;
    const TsBitmap24 normal = Draw(*copy, 0, w, h);
    const TsBitmap24 selected = Draw(*copy, odSelected, w, h);
    // The frame's picture in the skin: its outer line, and the hot colour inside.
    const TsMaskData& frame = Mask("MENUITEM", "BORDERSMASK");
    const int third = frame.R.Width() / frame.ImageCount;
    const uint32_t edge = Master(frame.R.Left + third, frame.R.Top + third / 2);
    const uint32_t hot =
        static_cast<uint32_t>(manager->gd[size_t(manager->FindSection("MENUITEM"))].HotColor);
    const TPoint edges[] = {{0, h / 2}, {w - 1, h / 2}, {w / 2, 0}, {w / 2, h - 1}};
    for (const TPoint& p : edges) {
        EXPECT_EQ(normal.Pixel(p.X, p.Y), Beneath(p.X, p.Y))
            << p.X << "," << p.Y << ": nothing over the pop-up";
        EXPECT_EQ(selected.Pixel(p.X, p.Y), edge) << p.X << "," << p.Y;
    }
    EXPECT_EQ(normal.Pixel(w - 6, h / 2), Beneath(w - 6, h / 2));
    EXPECT_EQ(selected.Pixel(w - 6, h / 2), hot);
    // A selected but disabled item shows no frame either.
    copy->Enabled = false;
    EXPECT_NE(Draw(*copy, odSelected | odGrayed | odDisabled, w, h).Pixel(0, h / 2), edge);
}

TEST_F(SkinableMenus, TheSeparatorIsTheTrackBarChannelOrAnEtchedLine) {
    TMenuItem* move = Add("Move");
    TMenuItem* line = Add("-");
    Add("Close", "Alt+F4");
    const int w = ItemWidth(*move);
    ASSERT_LT(manager->FindSection("DIVIDERV"), 0) << "the stored skin has no divider";
    const TsMaskData& channel = Mask("TRACKBAR", "SLIDERCHANNEL");
    const struct {
        bool channelRemoved;
        uint32_t top, bottom;
    } rows[] = {
        {false, Master(channel.R.Left + 4, channel.R.Top), Master(channel.R.Left + 4, channel.R.Bottom - 1)},
        {true, 0x808080, 0xFFFFFF},
    };
    for (const auto& row : rows) {
        if (row.channelRemoved)
            manager
                ->ma[size_t(manager->FindMask(manager->FindSection("TRACKBAR"), "TRACKBAR", "SLIDERCHANNEL"))]
                .PropertyName = "NOCHANNEL";
        const TsBitmap24 drawn = Draw(*line, 0, w, 2);
        // From the text's left (icon 16 + 2 x 2 + 6 = 26) to 2 x 2 + 6 before the end.
        for (int x = 26; x < w - 10; x += 7) {
            EXPECT_EQ(drawn.Pixel(x, 0), row.top) << x << (row.channelRemoved ? " etched" : "");
            EXPECT_EQ(drawn.Pixel(x, 1), row.bottom) << x;
        }
        EXPECT_EQ(drawn.Pixel(10, 0), Beneath(10, 0)) << "the icon column is left alone";
        EXPECT_EQ(drawn.Pixel(w - 5, 1), Beneath(w - 5, 1));
    }
}

TEST_F(SkinableMenus, TheShortcutEndsEightPixelsBeforeTheRightEnd) {
    // Pop-ups of different widths: the shortcut follows the right end.
    for (const char* other : {"", "Close this window and every other one"}) {
        menu = std::make_unique<TPopupMenu>(nullptr);
        TMenuItem* close = Add("Close", "Alt+F4");
        if (*other)
            Add(other);
        const int w = ItemWidth(*close);
        const TsBitmap24 drawn = Draw(*close, 0, w, 20);
        const int right = RightmostInk(drawn);
        EXPECT_LE(right, w - 9) << w;
        EXPECT_GE(right, w - 12) << w << ": the text's last letter ends at its rectangle";
        EXPECT_LT(DarkestChannel(drawn, 26, 40), 0x80) << w << ": the caption at the text's left";
    }
}

TEST_F(SkinableMenus, DisabledSystemMenuItemsAreFadedOverThePopup) {
    // The main window's frame: a single border, system menu and minimise box.
    TTestForm form("Kestovo 1.0", 320, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    form.SetBorderStyle(bsSingle);
    form.SetBorderIcons(biSystemMenu | biMinimize);
    auto* frame = new TsSkinProvider(form);
    frame->SkinData.SetSkinManager(manager.get());
    frame->AttachWindow();
    SendMessageA(form.Window(), SM_SKINCOMMAND, SkinCommand(scNewSkin),
                 reinterpret_cast<LPARAM>(manager.get()));
    ASSERT_NE(frame->SystemMenuHandle(), nullptr);
    auto* system = dynamic_cast<TPopupMenu*>(frame->FindComponent("SystemMenu"));
    ASSERT_NE(system, nullptr);
    auto item = [&](const char* name) {
        return dynamic_cast<TMenuItem*>(system->Items().FindComponent(name));
    };
    const struct {
        const char* name;
        bool enabled;
    } rows[] = {{"ItemRestore", false}, {"ItemMove", true}, {"ItemSize", false}, {"ItemMinimize", true}};
    for (const auto& row : rows) {
        TMenuItem* entry = item(row.name);
        ASSERT_NE(entry, nullptr) << row.name;
        EXPECT_EQ(entry->HandlersOwner, &Painter()) << row.name << ": skinned before it is shown";
        EXPECT_EQ(entry->Enabled, row.enabled) << row.name;
        const int w = ItemWidth(*item("ItemRestore"));
        const TsBitmap24 drawn = Draw(*entry, row.enabled ? 0u : unsigned(odGrayed | odDisabled), w, 20);
        if (row.enabled)
            EXPECT_LT(DarkestChannel(drawn, 26, w), 0x40) << row.name;
        else
            EXPECT_GT(DarkestChannel(drawn, 26, w), 0x80) << row.name << ": faded";
        EXPECT_EQ(drawn.Pixel(w - 5, 10), Beneath(w - 5, 10)) << row.name << ": the pop-up shows through";
    }
    delete frame;
}

TEST_F(SkinableMenus, HeaderItemsCheckGlyphsAndTheExtraLine) {
    manager->MenuSupport.UseExtraLine = true;
    manager->OnGetMenuExtraLineData = [](TMenuItem&, std::string&, std::string& text, TsBitmapPtr&, bool&) {
        text = "&Kestova";
    };
    // A check glyph for the skin, cut from the close button's glyph.
    TsMaskData check = Mask("GLOBALINFO", "BICONCLOSE");
    check.PropertyName = "BOXCHECKED";
    manager->ma.push_back(check);
    TMenuItem* header = Add("-Tools-");
    TMenuItem* copy = Add("Copy Item");
    const int w = ItemWidth(*header), h = 22, extra = manager->MenuSupport.ExtraLineWidth;
    EXPECT_EQ(Painter().ExtraLine().Text, "Kestova");
    // The extra line's strip (its section takes the dark title colours) inside
    // the border, below the title frame's top line and highlight.
    const TsBitmap24& popup = *Painter().PopupPicture();
    const int mid = popup.Height / 2;
    const uint32_t strip = popup.Pixel(5, 8);
    EXPECT_LT(std::min({strip & 0xFF, strip >> 8 & 0xFF, strip >> 16 & 0xFF}), 0xC0u) << std::hex << strip;
    const TColor icoLine = manager->gd[size_t(manager->FindSection("ICOLINE"))].Color;
    EXPECT_EQ(popup.Pixel(3 + extra + 5, mid), static_cast<uint32_t>(icoLine))
        << "the icon column right of it";

    const TsBitmap24 title = Draw(*header, 0, w, h);
    EXPECT_EQ(title.Pixel(w / 2, 0), Beneath(w / 2, 0)) << "the section one pixel inside";
    EXPECT_LT(DarkestChannel(title, w / 2 - 30, w / 2 + 30), 0x80) << "the header's text in the middle";

    const TsBitmap24 plain = Draw(*copy, 0, w, h);
    copy->Checked = true;
    const TsBitmap24 checked = Draw(*copy, 0, w, h);
    EXPECT_EQ(plain.Pixel(extra / 2, h / 2), 0u) << "the extra line's columns are not the item's";
    const TsFrameSize glyph = MaskFrameSize(check);
    bool differs = false;
    for (int x = extra + 2; x < extra + 2 + glyph.W; ++x)
        differs = differs || plain.Pixel(x, h / 2) != checked.Pixel(x, h / 2);
    EXPECT_TRUE(differs) << "the check glyph at the margin";
    for (int x = extra + 2 + glyph.W + 1; x < w; x += 5)
        EXPECT_EQ(plain.Pixel(x, 2), checked.Pixel(x, 2)) << x;
}

// Opens the menu over the form and runs check once the pop-up window has
// been drawn, then closes the menu.
void WithOpenMenu(TPopupMenu& menu, HWND owner, TsSkinableMenus& painter,
                  const std::function<void(HWND window)>& check) {
    int tries = 0;
    std::function<void()> step = [&] {
        HWND window = FindWindowA("#32768", nullptr);
        if ((!window || !painter.PopupPicture() || !painter.BorderDrawn) && ++tries < 200) {
            Sleep(10);
            WhenModal(step);
            return;
        }
        check(window);
        EndMenu();
    };
    WhenModal(step);
    menu.PopupOwner = owner;
    menu.Popup(100, 100);
}

TEST_F(SkinableMenus, ThePopupWindowIsDrawnByThePainterAndCutAtItsCorners) {
    TTestForm form("Menu owner", 320);
    Add("Copy Item");
    Add("-");
    Add("Close", "Alt+F4");
    const struct {
        bool keyCorners;
        std::vector<TPoint> outside, inside;
    } rows[] = {
        {true, {{0, 0}, {-1, 0}, {0, -1}, {-1, -1}}, {{1, 0}, {-2, 0}, {0, 1}, {5, 5}}},
        // Without key-coloured pixels only the top-left pixel goes.
        {false, {{0, 0}}, {{1, 0}, {-1, 0}, {0, -1}, {-1, -1}, {0, 1}}},
    };
    for (const auto& row : rows) {
        if (!row.keyCorners) {
            const TsMaskData& border = Mask("MAINMENU", "BORDERSMASK");
            for (int y = border.R.Top; y < border.R.Bottom; ++y)
                for (int x = border.R.Left; x < border.R.Right; ++x)
                    if (manager->MasterBitmap->Pixel(x, y) == static_cast<uint32_t>(clNone))
                        manager->MasterBitmap->SetPixel(x, y, 0x808080);
        }
        Painter().SetOwnerDraw(*menu, true);
        bool checked = false;
        WithOpenMenu(*menu, form.Window(), Painter(), [&](HWND window) {
            ASSERT_NE(window, nullptr);
            checked = true;
            RECT w{};
            GetWindowRect(window, &w);
            const int width = w.right - w.left, height = w.bottom - w.top;
            EXPECT_EQ(Painter().MenuWindow(), window);
            ASSERT_NE(Painter().PopupPicture(), nullptr);
            EXPECT_EQ(Painter().PopupPicture()->Width, width);
            EXPECT_EQ(Painter().PopupPicture()->Height, height);
            HDC dc = GetDC(window);
            EXPECT_EQ(SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
            ReleaseDC(window, dc);
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            ASSERT_NE(GetWindowRgn(window, region), ERROR);
            auto at = [&](TPoint p) {
                return PtInRegion(region, p.X < 0 ? width + p.X : p.X, p.Y < 0 ? height + p.Y : p.Y) != 0;
            };
            for (const TPoint& p : row.outside)
                EXPECT_FALSE(at(p)) << p.X << "," << p.Y << (row.keyCorners ? "" : " (no key pixels)");
            for (const TPoint& p : row.inside)
                EXPECT_TRUE(at(p)) << p.X << "," << p.Y << (row.keyCorners ? "" : " (no key pixels)");
            DeleteObject(region);
        });
        EXPECT_TRUE(checked);
        EXPECT_EQ(Painter().PopupPicture(), nullptr) << "closing the window drops the picture";
        manager->SkinableMenus().ResetSkinBorderWidth();
    }
}

} // namespace
