// Standard controls on a real skinned form: panels drawn by their bevels,
// a list view in the section's colours and back in its own when the skin
// goes, the lists of class names matched exactly, skinned controls left to
// themselves, the column header and the scroll bars drawn and driven by
// the adapter, and system dialogs adapted with the children the adapters know.
#include "app/FrmMainSkin.h"
#include "app/Panel.h"
#include "skin/sBitBtn.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/sStatusBar.h"
#include "skin/win/sAdapterWnd.h"
#include "skin/win/sCtrlAdapter.h"
#include "skin/win/sDialogWnd.h"

#include "tests/fixtures/ModalStep.h"
#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <memory>

namespace {

HWND Hwnd(const TWinControl& control) {
    return static_cast<HWND>(control.Handle());
}

bool AnswersSkinned(HWND window) {
    return SendMessageA(window, SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0) == 1;
}

// A report-style list of class name className with rows (owner data, one column).
std::unique_ptr<TNamedWinControl> MakeList(TWinControl& parent, const char* className, int rows,
                                           bool column = true) {
    auto list = std::make_unique<TNamedWinControl>(nullptr, className);
    list->SetParent(&parent);
    list->SetBounds({10, 10, 260, 200});
    TWinControl::TCreateParams params;
    params.WindowClass = WC_LISTVIEWA;
    params.Style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA;
    params.ExStyle = WS_EX_CLIENTEDGE;
    list->CreateHandle(params);
    if (column) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH;
        c.pszText = const_cast<char*>("Engine");
        c.cx = 200;
        SendMessageA(Hwnd(*list), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&c));
    }
    ListView_SetItemCountEx(Hwnd(*list), rows, 0);
    ListView_SetBkColor(Hwnd(*list), RGB(10, 20, 30));
    ListView_SetTextColor(Hwnd(*list), RGB(200, 100, 50));
    return list;
}

class Adapters : public ::testing::Test {
protected:
    void SetUp() override {
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        form = std::make_unique<TTestForm>("Adapters", 640, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
        SetWindowPos(form->Window(), nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
        frame = std::make_unique<TsSkinProvider>(*form);
        frame->SkinData.SetSkinManager(manager.get());
    }
    void TearDown() override {
        frame.reset();
        controls.clear();
        form.reset();
        manager.reset();
    }
    TPanel& AddPanel(TPanel::TBevel bevel, TBounds bounds) {
        auto* panel = new TPanel(nullptr, bevel);
        controls.emplace_back(panel);
        panel->SetParent(form.get());
        panel->SetBounds(bounds);
        panel->CreateWnd();
        ShowWindow(panel->Handle(), SW_SHOW);
        return *panel;
    }
    TqzAdapterItem* ItemOf(const TControl& control) const { return frame->Adapter()->ItemOf(control); }

    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsSkinProvider> frame;
    std::vector<std::unique_ptr<TControl>> controls;
};

TEST_F(Adapters, PanelsAreDrawnFromTheSectionTheirBevelsChoose) {
    TPanel& main = AddPanel(TPanel::TBevel::Raised, {0, 0, 300, 150});
    TPanel& about = AddPanel(TPanel::TBevel::Double, {310, 0, 300, 150});
    frame->Adapter()->AddAllItems();
    ASSERT_NE(ItemOf(main), nullptr);
    ASSERT_NE(ItemOf(about), nullptr);
    EXPECT_EQ(ItemOf(main)->SkinData.SkinSection(), "PANEL");
    EXPECT_EQ(ItemOf(about)->SkinData.SkinSection(), "GROUPBOX");
    EXPECT_EQ(ItemOf(main)->SkinData.KindCode, 227);
    EXPECT_TRUE(AnswersSkinned(main.Handle()));
    // The face is the section's picture: its colour in the middle, its frame at the edge.
    for (TPanel* panel : {&main, &about}) {
        const TsBitmap24 painted = PaintedClient(panel->Handle(), [panel](HDC dc) {
            SendMessageA(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        });
        const TsGeneralData& section = manager->gd[size_t(ItemOf(*panel)->SkinData.SectionIndex)];
        EXPECT_EQ(painted.Pixel(150, 75), uint32_t(TsSkinManager::ColorToRGB(section.Color)));
        EXPECT_TRUE(SamePicture(painted, *ItemOf(*panel)->SkinData.Cache));
    }
}

TEST_F(Adapters, ListTakesTheSectionColoursAndGetsItsOwnBack) {
    TPanel& panel = AddPanel(TPanel::TBevel::Raised, {0, 0, 300, 260});
    auto list = MakeList(panel, "TListView", 5);
    frame->Adapter()->AddAllItems();
    HWND window = Hwnd(*list);
    ASSERT_TRUE(AnswersSkinned(window));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // The stored skin's "EDIT": white under black text, whatever the list's own colours.
    EXPECT_EQ(ListView_GetBkColor(window), RGB(255, 255, 255));
    EXPECT_EQ(ListView_GetTextBkColor(window), RGB(255, 255, 255));
    EXPECT_EQ(ListView_GetTextColor(window), RGB(0, 0, 0));

    manager->SetActive(false);
    EXPECT_FALSE(AnswersSkinned(window));
    EXPECT_EQ(ListView_GetBkColor(window), RGB(10, 20, 30));
    EXPECT_EQ(ListView_GetTextColor(window), GetSysColor(COLOR_WINDOWTEXT));

    manager->SetActive(true); // the frame takes the controls again
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(AnswersSkinned(window));
    EXPECT_EQ(ListView_GetBkColor(window), RGB(255, 255, 255));
}

TEST_F(Adapters, OnlyExactClassNamesAndNeverSelfSkinnedControls) {
    auto wrongCase = MakeList(*form, "TListview", 3);
    TsBitBtn button(nullptr);
    button.SetParent(form.get());
    button.SetBounds({300, 10, 80, 25});
    button.SkinData.SetSkinManager(manager.get());
    button.CreateWnd();
    TsStatusBar bar(nullptr);
    bar.SetParent(form.get());
    bar.SetBounds({0, 300, 400, 19});
    bar.SkinData.SetSkinManager(manager.get());
    bar.CreateWnd();
    // Both are named in the lists, and both skin themselves.
    manager->ThirdParty.Lists[1] = "TsBitBtn";
    manager->ThirdParty.Lists[16] = "TsStatusBar";
    manager->Loaded(); // the lists read again
    frame->Adapter()->AddAllItems();
    EXPECT_EQ(ItemOf(*wrongCase), nullptr);
    EXPECT_FALSE(AnswersSkinned(Hwnd(*wrongCase)));
    EXPECT_EQ(ItemOf(button), nullptr);
    EXPECT_EQ(ItemOf(bar), nullptr);
    EXPECT_EQ(TqzMainWnd::Of(Hwnd(button)), nullptr);
    EXPECT_EQ(TqzMainWnd::Of(Hwnd(bar)), nullptr);
}

TEST_F(Adapters, HeaderWithoutColumnsIsOneEmptyItem) {
    auto list = MakeList(*form, "TListView", 0, false);
    frame->Adapter()->AddAllItems();
    HWND header = ListView_GetHeader(Hwnd(*list));
    ASSERT_NE(header, nullptr);
    RECT r;
    GetClientRect(header, &r);
    ASSERT_GT(r.bottom, 0) << "the report view shows its header";
    const TsBitmap24 painted = PaintedClient(
        header, [header](HDC dc) { SendMessageA(header, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
    // The "COLHEADER" section over the whole width, state 0, on the list's white.
    TsBitmap24 reference(r.right, r.bottom);
    const TsBackgroundDescriptor white = TsBackgroundDescriptor::OfColor(0xFFFFFF);
    PaintParentBackground(reference, {0, 0, r.right, r.bottom}, white);
    ComposeItem(&reference, *manager, manager->FindSection("COLHEADER"), "COLHEADER", white, true, 0, {0, 0},
                {0, 0, r.right, r.bottom});
    EXPECT_TRUE(SamePicture(painted, reference));
}

TEST_F(Adapters, ScrollBarArrowsTrackAndThumbScrollTheList) {
    auto list = MakeList(*form, "TListView", 100);
    frame->Adapter()->AddAllItems();
    HWND window = Hwnd(*list);
    auto* adapter = dynamic_cast<TqzScrollWnd*>(TqzMainWnd::Of(window));
    ASSERT_NE(adapter, nullptr);
    adapter->RefreshScrollBars();
    RECT bar = adapter->BarRect(true), w;
    ASSERT_GT(bar.bottom - bar.top, 0) << "a list of 100 rows shows its vertical bar";
    GetWindowRect(window, &w);
    const int x = w.left + (bar.left + bar.right) / 2;
    const int arrow = GetSystemMetrics(SM_CYVSCROLL);
    auto click = [&](int y, int dragToY = -1) {
        const POINT at{x, y};
        EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), HTVSCROLL);
        SendMessageA(window, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(at.x, at.y));
        if (dragToY >= 0) {
            POINT client{x, dragToY};
            ScreenToClient(window, &client);
            SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        }
        SendMessageA(window, WM_LBUTTONUP, 0, 0);
    };
    const int page = ListView_GetCountPerPage(window);
    ASSERT_GT(page, 1);
    click(w.top + bar.bottom - arrow / 2); // the down arrow: one row
    EXPECT_EQ(ListView_GetTopIndex(window), 1);
    click(w.top + bar.bottom - arrow - 2); // the track below the thumb: a page
    EXPECT_EQ(ListView_GetTopIndex(window), 1 + page);
    click(w.top + bar.top + arrow / 2); // the up arrow
    EXPECT_EQ(ListView_GetTopIndex(window), page);
    // The thumb dragged to the end of the track shows the last page.
    adapter->RefreshScrollBars();
    const TqzScrollInfo info = adapter->Bar(true).Info;
    const int track = bar.bottom - bar.top - 2 * arrow;
    const int thumbTop =
        bar.top + arrow +
        (info.Pos - info.Min) * (track - ThumbLength(info, track, 8)) / (info.Max - info.Min + 1 - info.Page);
    click(w.top + thumbTop + 2, w.top + bar.bottom + 50);
    EXPECT_EQ(ListView_GetTopIndex(window), 100 - page);
    EXPECT_EQ(GetCapture(), nullptr);
    // Right clicks on the bar are swallowed.
    EXPECT_EQ(SendMessageA(window, WM_NCRBUTTONDOWN, HTVSCROLL, MAKELPARAM(x, w.top + bar.top + 30)), 0);
}

TEST_F(Adapters, SystemDialogsAreAdaptedWithTheChildrenAdaptersKnow) {
    InstallDialogAdapterFactory();
    bool boxSkinned = false, textAdapted = false, buttonAdapted = false;
    WhenModal([&] {
        HWND box = FindWindowA("#32770", "Adapted");
        if (!box)
            return;
        boxSkinned = AnswersSkinned(box);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[64] = {}, text[64] = {};
            GetClassNameA(child, name, sizeof name);
            GetWindowTextA(child, text, sizeof text);
            if (lstrcmpiA(name, "Static") == 0 && std::string(text) == "A message")
                textAdapted = dynamic_cast<TqzStaticWnd*>(TqzMainWnd::Of(child)) != nullptr;
            if (lstrcmpiA(name, "Button") == 0)
                buttonAdapted = dynamic_cast<TqzBtnWnd*>(TqzMainWnd::Of(child)) != nullptr;
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxA(nullptr, "A message", "Adapted", MB_OK | MB_ICONERROR);
    EXPECT_TRUE(boxSkinned);
    EXPECT_TRUE(textAdapted);
    EXPECT_TRUE(buttonAdapted);

    // The file dialog is adapted when it is first activated; the shell's view
    // that it makes later is of a class without an adapter and is left alone.
    bool dialogAdapted = false, viewLeftAlone = false, okAdapted = false;
    WhenModal([&] {
        HWND dialog = FindWindowA("#32770", "Open a report");
        if (!dialog)
            return;
        dialogAdapted = dynamic_cast<TqzDialogWnd*>(TqzMainWnd::Of(dialog)) != nullptr;
        HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
        viewLeftAlone = view && !TqzMainWnd::Of(view);
        okAdapted = dynamic_cast<TqzBtnWnd*>(TqzMainWnd::Of(GetDlgItem(dialog, IDOK))) != nullptr;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Open a report";
    ofn.Flags = OFN_EXPLORER;
    EXPECT_FALSE(GetOpenFileNameA(&ofn)) << "cancelled";
    EXPECT_TRUE(dialogAdapted);
    EXPECT_TRUE(viewLeftAlone);
    EXPECT_TRUE(okAdapted);
    HookFactories() = TsHookFactories{};
}

} // namespace
