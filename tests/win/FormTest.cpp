#include "app/Application.h"
#include "app/FrmMain.h"
#include "report/ReportFile.h"
#include "tests/fixtures/ModalStep.h"
#include "base/Exception.h"
#include "skin/sBitBtn.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinableMenus.h"
#include "skin/win/sAdapterWnd.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct ShownError {
    std::string text, caption;
};

// A main window as the program makes it, with error boxes collected instead
// of shown.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application().SetErrorSink([this](const std::string& text, const std::string& caption) {
            errors.push_back({text, caption});
        });
    }
    void TearDown() override { Application().SetErrorSink(nullptr); }

    int ItemCount() const { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }
    HWND List() const { return form.Control("ListView1"); }
    std::string Cell(int row, int column) const {
        char text[512] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    void Click(const char* button) {
        HWND handle = form.Control(button);
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(handle), BN_CLICKED),
                     reinterpret_cast<LPARAM>(handle));
    }

    // The engines read the machine (Wine offers ODBC, DirectX and a DirectMusic
    // synthesizer): 17 rows plus one per DirectX list entry.
    int ReportRowCount() const {
        const TVexor_DirectX& directX = *form.Eg1->DirectX();
        return static_cast<int>(17 + directX.Direct3D().Count() + directX.DirectMusic().Count() +
                                directX.DirectPlay().Count());
    }
    static std::string Shown(const std::string& value, const char* notInstalled) {
        return value.empty() ? notInstalled : value;
    }

    TForm1 form;
    std::vector<ShownError> errors;
};

struct FailingEngines : TVexor_Engines {
    using TVexor_Engines::TVexor_Engines;
    void Refresh() override {
        if (fail)
            throw Exception("Invalid data type for 'DLLPATH'");
        TVexor_Engines::Refresh();
    }
    bool fail = true;
};

struct ListedDirectX : TVexor_DirectX {
    explicit ListedDirectX(TComponent* owner) : TVexor_DirectX(owner) {}
    void Refresh() override {
        TVexor_DirectX::Refresh();
        version_ = "4.09.00.0904";
        direct3D_ = {"RGB Emulation", "Direct3D HAL", "Reference Rasterizer"};
        directMusic_ = {"Microsoft Synthesizer"};
    }
};

struct ListedEngines : TVexor_Engines {
    explicit ListedEngines(TComponent* owner) : TVexor_Engines(owner) {
        delete directX_;
        directX_ = new ListedDirectX(this);
        directX_->SetName("DirectX");
    }
};

struct NamedMachine : TVexor_Machine {
    using TVexor_Machine::TVexor_Machine;
    void Refresh() override {
        TVexor_Machine::Refresh();
        machineName_ = "PC01";
    }
};

TEST_F(FormTest, CreationFillsTheReportOnce) {
    form.CreateForm();
    ASSERT_TRUE(IsWindow(form.Handle()));
    EXPECT_TRUE(errors.empty());
    ASSERT_EQ(ItemCount(), ReportRowCount());
    EXPECT_EQ(Cell(0, 0), "Engines Report for Machine: ");
    EXPECT_EQ(Cell(0, 1), form.Machine1->MachineName());
    EXPECT_EQ(Cell(1, 1), form.OS1->OSName() + " " + form.OS1->OSEdition());
    EXPECT_EQ(Cell(3, 1), Shown(form.Eg1->ODBC(), "ODBC Not Installed"));
    EXPECT_EQ(Cell(12, 0), "ASPI32 - Advanced SCSI Programming Interface: ");
    EXPECT_EQ(Cell(13, 1), Shown(form.Eg1->DirectX()->Version(), "DirectX Not Installed"));
    EXPECT_EQ(Cell(14, 0), "Microsoft DirectX Direct 3D: ");
    const TVexor_DirectX& directX = *form.Eg1->DirectX();
    EXPECT_EQ(Cell(14, 1), directX.Direct3D().Empty() ? "" : "Direct3D:");
    EXPECT_EQ(Cell(16 + static_cast<int>(directX.Direct3D().Count() + directX.DirectMusic().Count()), 0),
              "Microsoft DirectX Direct Play: ");
    EXPECT_EQ(form.StatusText(), "Data Source: " + form.Machine1->MachineName());

    Click("sBitBtn2");
    Click("sBitBtn2");
    EXPECT_EQ(ItemCount(), ReportRowCount());
    EXPECT_EQ(form.ListView1().Rows().size(), static_cast<size_t>(ReportRowCount()));
    EXPECT_TRUE(errors.empty());
}

TEST_F(FormTest, RefreshDropsTheSelection) {
    form.CreateForm();
    ListView_SetItemState(List(), 3, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_EQ(form.ListView1().SelectedIndexes(), std::vector<int>{3});
    Click("sBitBtn2");
    EXPECT_TRUE(form.ListView1().SelectedIndexes().empty());
    EXPECT_EQ(ItemCount(), ReportRowCount());
}

TEST_F(FormTest, ReportShowsComponentValuesAndHiddenHeaderLabels) {
    delete form.Eg1;
    form.Eg1 = new ListedEngines(&form);
    delete form.Machine1;
    form.Machine1 = new NamedMachine(&form);
    form.CreateForm();
    ASSERT_EQ(ItemCount(), 17 + 3 + 1);
    EXPECT_EQ(Cell(0, 1), "PC01");
    EXPECT_EQ(form.StatusText(), "Data Source: PC01");
    EXPECT_EQ(Cell(13, 1), "4.09.00.0904");
    const auto& rows = form.ListView1().Rows();
    EXPECT_EQ(rows[14].SubItems, (TStringList{"Direct3D:", "Direct3D:", "Direct3D:"}));
    EXPECT_EQ(Cell(14, 1), "Direct3D:");
    EXPECT_EQ(Cell(16, 1), "Direct3D HAL");
    EXPECT_EQ(Cell(17, 0), "");
    EXPECT_EQ(Cell(18, 0), "Microsoft DirectX Direct Music: ");
    EXPECT_EQ(rows[18].SubItems, (TStringList{"Direct Music:"}));
    EXPECT_EQ(Cell(19, 1), "Microsoft Synthesizer");
    EXPECT_TRUE(rows[20].SubItems.Empty());
}

TEST_F(FormTest, FailedRefreshEmptiesTheListKeepsTheStatusAndShowsTheError) {
    auto* engines = new FailingEngines(&form);
    delete form.Eg1;
    form.Eg1 = engines;
    delete form.Machine1;
    form.Machine1 = new NamedMachine(&form);

    engines->fail = false;
    form.CreateForm();
    ASSERT_EQ(ItemCount(), ReportRowCount());
    ASSERT_EQ(form.StatusText(), "Data Source: PC01");

    engines->fail = true;
    Click("sBitBtn2");
    EXPECT_EQ(ItemCount(), 0);
    EXPECT_EQ(form.StatusText(), "Data Source: PC01");
    ASSERT_EQ(errors.size(), 1u);
    // The message ends in "'", whose code is below that of ".": no full stop.
    EXPECT_EQ(errors[0].text, "Invalid data type for 'DLLPATH'");
    EXPECT_EQ(errors[0].caption, "Kestova 1.0");
    EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(FormTest, FailedCreationRefreshStillOpensAnEmptyWindow) {
    delete form.Eg1;
    form.Eg1 = new FailingEngines(&form);
    form.CreateForm();
    EXPECT_TRUE(IsWindow(form.Handle()));
    EXPECT_EQ(ItemCount(), 0);
    EXPECT_EQ(form.StatusText(), "");
    ASSERT_EQ(errors.size(), 1u);
}

TEST_F(FormTest, WindowIsFixedSizeWithMinimiseOnly) {
    form.CreateForm();
    char caption[64];
    GetWindowTextA(form.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Kestovo 1.0");
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    // The window is made with its system menu; the skinned frame holds it
    // while it draws the caption bar itself.
    TsSkinProvider* frame = dynamic_cast<TsSkinProvider*>(FormFrameOf(form));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE((style & WS_SYSMENU) || frame->HadSysMenu());
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 705);
    EXPECT_EQ(client.bottom, 447);
}

TEST_F(FormTest, ControlsSitWhereTheLayoutPutsThemInTabOrder) {
    form.CreateForm();
    auto placement = [this](const char* name) {
        RECT r;
        HWND control = form.Control(name);
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    EXPECT_EQ(placement("Panel1"), (std::vector<long>{0, 56, 705, 391}));
    EXPECT_EQ(placement("ListView1"), (std::vector<long>{1, 1, 703, 370}));
    EXPECT_EQ(placement("sStatusBar1"), (std::vector<long>{1, 371, 703, 19}));
    EXPECT_EQ(placement("sBitBtn3"), (std::vector<long>{8, 8, 89, 43}));
    EXPECT_EQ(placement("sBitBtn4"), (std::vector<long>{110, 8, 82, 43}));
    EXPECT_EQ(placement("sBitBtn2"), (std::vector<long>{205, 6, 85, 43}));
    EXPECT_EQ(placement("sBitBtn5"), (std::vector<long>{520, 8, 96, 43}));
    EXPECT_EQ(placement("sBitBtn1"), (std::vector<long>{622, 8, 75, 43}));

    const char* order[] = {"ListView1", "sBitBtn1", "sBitBtn2", "sBitBtn3",
                           "sBitBtn4",  "sBitBtn5", "ListView1"};
    const char* captions[] = {"", "Close", "Refresh", "Save...", "Load...", "About...", ""};
    HWND at = form.Control(order[0]);
    for (int i = 1; i < 7; ++i) {
        at = GetNextDlgTabItem(form.Handle(), at, FALSE);
        EXPECT_EQ(at, form.Control(order[i])) << order[i];
        char text[32] = {};
        GetWindowTextA(at, text, sizeof text);
        EXPECT_STREQ(text, captions[i]);
    }
}

TEST_F(FormTest, ColumnsShareTheClientWidthOddPixelFirst) {
    form.CreateForm();
    auto check = [this] {
        RECT client;
        GetClientRect(List(), &client);
        const int first = ListView_GetColumnWidth(List(), 0);
        const int second = ListView_GetColumnWidth(List(), 1);
        EXPECT_EQ(first + second, client.right);
        EXPECT_EQ(first - second, client.right % 2);
        return client.right;
    };
    const int without = check();
    EXPECT_EQ(without % 2, 1); // 703 less the sunken border
    // Enough rows for a vertical scroll bar: the width changes, the rule holds.
    form.ListView1().Assign(std::vector<TReportRow>(60, TReportRow{"row", {"value"}}));
    const int with = check();
    EXPECT_LT(with, without);
}

TEST_F(FormTest, RowsAreBandedByIndex) {
    form.CreateForm();
    form.ListView1().Assign(std::vector<TReportRow>(40, TReportRow{"row", {"value"}}));
    const COLORREF own = RGB(1, 2, 3);
    auto paintColour = [&](int index) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = List();
        draw.nmcd.hdr.idFrom = GetDlgCtrlID(List());
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = index;
        draw.clrTextBk = own;
        // Sent to the list's parent, as the list itself does.
        const LRESULT result =
            SendMessageA(GetParent(List()), WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
        EXPECT_EQ(result, CDRF_DODEFAULT);
        return draw.clrTextBk;
    };
    EXPECT_EQ(paintColour(0), GetSysColor(COLOR_MENUBAR));
    EXPECT_EQ(paintColour(1), own);
    EXPECT_EQ(paintColour(2), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(paintColour(34), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(paintColour(35), own);
    EXPECT_EQ(paintColour(36), own);
    EXPECT_EQ(ListView_GetBkColor(List()), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    const DWORD ex = ListView_GetExtendedListViewStyle(List());
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(GetWindowLongA(List(), GWL_STYLE) & LVS_SINGLESEL);
}

TEST_F(FormTest, PopupMenuAndDialogsAreSetUp) {
    form.CreateForm();
    char item[32] = {};
    HMENU popup = static_cast<HMENU>(form.PopupMenu1()->Handle());
    ASSERT_EQ(GetMenuItemCount(popup), 1);
    GetMenuStringA(popup, 0, item, sizeof item, MF_BYPOSITION);
    EXPECT_STREQ(item, "Copy Item");

    char buffer[MAX_PATH];
    std::string filter;
    OPENFILENAMEA save = form.Save1().Describe(form.Handle(), buffer, filter);
    EXPECT_STREQ(save.lpstrTitle, "Save As...");
    EXPECT_EQ(std::string(save.lpstrFilter, filter.size()),
              std::string("Text Files  (*.txt)\0*.txt\0all file\0*.*\0\0", 40));
    EXPECT_STREQ(save.lpstrFile, "Engine.txt");
    EXPECT_STREQ(save.lpstrDefExt, "txt");
    EXPECT_EQ(save.nFilterIndex, 1u);
    EXPECT_EQ(save.Flags & (OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON | OFN_ENABLESIZING | OFN_HIDEREADONLY),
              DWORD(OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON | OFN_ENABLESIZING));

    form.Open1().SetFileName("C:\\reports\\last.txt");
    OPENFILENAMEA open = form.Open1().Describe(form.Handle(), buffer, filter);
    EXPECT_STREQ(open.lpstrTitle, "Open Report");
    EXPECT_EQ(std::string(open.lpstrFilter, filter.size()),
              std::string("Text Files (*.*)\0*.txt\0All files\0*.*\0\0", 38));
    EXPECT_STREQ(open.lpstrFile, "C:\\reports\\last.txt");
    EXPECT_EQ(open.Flags & (OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING | OFN_OVERWRITEPROMPT),
              DWORD(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING));
    // Each dialog keeps its own last name.
    EXPECT_EQ(form.Save1().FileName(), "Engine.txt");
}

TEST_F(FormTest, CloseButtonClosesTheWindow) {
    form.CreateForm();
    Click("sBitBtn1");
    EXPECT_FALSE(IsWindow(form.Handle()));
}

} // namespace

namespace {

void PumpFor(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG message;
    while (GetTickCount() < end) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

std::string ClipboardNow() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

TEST_F(FormTest, RightClickOnARowOpensTheMenuAndCopyItemCopiesThatRow) {
    form.CreateForm();
    form.Show();
    ASSERT_GT(ItemCount(), 4);
    RECT row{};
    ListView_GetItemRect(List(), 4, &row, LVIR_LABEL);
    const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
    bool menuOpen = false;
    // The skin draws the menu: its item is owner-drawn by the skin's painter.
    EXPECT_EQ(form.CopyItem1->HandlersOwner, &form.sSkinManager1->SkinableMenus());
    WhenModal([&] {
        menuOpen = FindWindowA("#32768", nullptr) != nullptr;
        // The first (only) item, chosen from the keyboard.
        PostMessageA(form.Handle(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    });
    // The list follows the button up that is already queued, as for a click.
    PostMessageA(List(), WM_RBUTTONUP, 0, at);
    SendMessageA(List(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    PumpFor(300);
    EXPECT_TRUE(menuOpen) << "the pop-up menu opened";
    ASSERT_EQ(form.ListView1().SelectedIndexes(), std::vector<int>{4});
    const int selected[] = {4};
    EXPECT_EQ(ClipboardNow(), ClipboardText(form.ListView1().Rows(), selected));
}

TEST_F(FormTest, TypingALetterSelectsTheFirstRowItBegins) {
    form.CreateForm();
    form.Show();
    const auto& rows = form.ListView1().Rows();
    for (const char letter : {'M', 'a', 'D'}) {
        int expected = -1;
        for (size_t i = 0; i < rows.size() && expected < 0; ++i)
            if (!rows[i].Caption.empty() && std::toupper(static_cast<unsigned char>(rows[i].Caption[0])) ==
                                                std::toupper(static_cast<unsigned char>(letter)))
                expected = static_cast<int>(i);
        ASSERT_GE(expected, 0) << letter;
        SetFocus(List());
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_SetItemState(List(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
        SendMessageA(List(), WM_CHAR, letter, 1); // a repeat count of one
        EXPECT_EQ(form.ListView1().SelectedIndexes(), std::vector<int>{expected}) << letter;
        Sleep(1100); // the list forgets what was typed after a second
    }
}

// With the skin switched off, the main window is the plain platform window
// and still works; switched on again, the skinned look comes back.
TEST_F(FormTest, WithTheSkinOffTheWindowIsThePlainPlatformWindowAndWorks) {
    form.CreateForm();
    form.Show();
    TsSkinManager& manager = *form.sSkinManager1;
    TsSkinProvider& frame = *form.sSkinProvider1;
    ASSERT_TRUE(frame.HadSysMenu());
    auto* panel = dynamic_cast<TWinControl*>(form.FindComponent("Panel1"));
    ASSERT_NE(panel, nullptr);
    HWND panelWindow = static_cast<HWND>(panel->Handle());
    EXPECT_NE(TqzMainWnd::Of(List()), nullptr) << "the report list is drawn by its adapter";
    EXPECT_NE(TqzMainWnd::Of(panelWindow), nullptr);
    EXPECT_EQ(ListView_GetBkColor(List()), RGB(255, 255, 255));
    manager.SetActive(false);
    // The list and the panel are the platform's again, in the list's own colours.
    EXPECT_EQ(TqzMainWnd::Of(List()), nullptr);
    EXPECT_EQ(TqzMainWnd::Of(panelWindow), nullptr);
    EXPECT_EQ(ListView_GetBkColor(List()), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
    EXPECT_EQ(ListView_GetTextColor(List()), GetSysColor(COLOR_WINDOWTEXT));
    const LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "the system draws the caption bar and its buttons";
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form.Handle(), region), ERROR) << "a plain rectangle";
    DeleteObject(region);
    EXPECT_EQ(form.Color(), clBtnFace);
    for (const char* name : {"sBitBtn1", "sBitBtn2", "sBitBtn3", "sBitBtn4", "sBitBtn5"}) {
        auto* button = dynamic_cast<TsBitBtn*>(form.FindComponent(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_FALSE(button->SkinData.Skinned()) << name;
    }
    // Still a working window: Refresh fills the list again.
    ListView_DeleteAllItems(List());
    Click("sBitBtn2");
    EXPECT_GT(ItemCount(), 10);
    EXPECT_TRUE(errors.empty());

    manager.SetActive(true);
    EXPECT_TRUE(frame.HadSysMenu());
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_STYLE) & WS_SYSMENU);
    EXPECT_NE(TqzMainWnd::Of(List()), nullptr) << "the list is taken again";
}
