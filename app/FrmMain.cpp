#include "FrmMain.h"

#include "About.h"
#include "Application.h"
#include "Clipboard.h"
#include "FrmMainSkin.h"
#include "Panel.h"
#include "report/ReportFile.h"
#include "report/ReportFileIo.h"
#include "report/ReportValues.h"
#include "base/Exception.h"
#include "ReportLook.h"
#include "sysinfo/Dask_Engines.h"
#include "sysinfo/Dask_Machine.h"
#include "sysinfo/Dask_OS.h"

#include <commctrl.h>

namespace {

constexpr int kClientWidth = 705;
constexpr int kClientHeight = 447;
constexpr int kButtonIdBase = 100; // sBitBtnN has id 100 + N
constexpr int kCopyItemId = 200;

// The buttons, in tab order (Close first); the number is the N of sBitBtnN.
struct ButtonLayout {
    int number;
    const char* caption;
    int left, top, width, height;
    Glyph (*glyph)();
    void (TForm1::*click)();
};

const ButtonLayout kButtons[] = {
    {1, "Close", 622, 8, 75, 43, CrossGlyph, &TForm1::sBitBtn1Click},
    {2, "Refresh", 205, 6, 85, 43, CircularArrowGlyph, &TForm1::sBitBtn2Click},
    {3, "Save...", 8, 8, 89, 43, FloppyDiskGlyph, &TForm1::sBitBtn3Click},
    {4, "Load...", 110, 8, 82, 43, OpenFolderGlyph, &TForm1::sBitBtn4Click},
    {5, "About...", 520, 8, 96, 43, QuestionMarkGlyph, &TForm1::sBitBtn5Click},
};

// The panel, and inside it the list above the status bar (the panel's
// bevel takes one pixel on each side).
struct Placement {
    int left, top, width, height;
};
constexpr Placement kPanel1{0, 56, 705, 391};
constexpr Placement kListView1{1, 1, 703, 370};
constexpr Placement kStatusBar1{1, 371, 703, 19};

const char* FormClassName(WNDPROC windowProc) {
    static const char* const name = [windowProc] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TForm1";
        RegisterClassA(&wc);
        return "TForm1";
    }();
    return name;
}

} // namespace

TForm1::TForm1()
    : TComponent(nullptr),
      save1_(TFileDialog::Kind::Save, "Save As...", "Text Files  (*.txt)|*.txt|all file|*.*", "txt",
             "Engine.txt", OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON | OFN_ENABLESIZING),
      open1_(TFileDialog::Kind::Open, "Open Report", "Text Files (*.*)|*.txt|All files|*.*", "txt",
             "Engine.txt", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING) {
    SetName("Form1");
    Eg1 = new TVexor_Engines(this);
    Eg1->SetName("Eg1");
    sSkinManager1 = CreateSkinManager1(this);
    OS1 = new TVexor_OperatingSystem(this);
    OS1->SetName("OS1");
    Machine1 = new TVexor_Machine(this);
    Machine1->SetName("Machine1");
    listView_.OnCustomDrawItem = [this](int index, COLORREF& background) {
        ListView1CustomDrawItem(index, background);
    };
}

TForm1::~TForm1() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (popupMenu_)
        DestroyMenu(popupMenu_);
}

int TForm1::Scale(int pixels) const {
    return MulDiv(pixels, pixelsPerInch_, 96);
}

void TForm1::CreateForm() {
    {
        WindowDc screen(nullptr);
        pixelsPerInch_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred on the desktop.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    window_ = CreateWindowExA(exStyle, FormClassName(&TForm1::WindowProc), "Kestovo 1.0", style, left, top,
                              width, height, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!window_)
        throw Exception(FormatText("Cannot create the main window (error %lu)", GetLastError()));
    CreateControls();
    Application().Run([this] { FormCreate(); });
}

void TForm1::CreateControls() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    font_.Reset(CreateFontA(-Scale(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
    auto place = [this](const Placement& p) {
        return RECT{Scale(p.left), Scale(p.top), Scale(p.width), Scale(p.height)};
    };
    auto useFont = [this](HWND control) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), 0);
    };

    // Panel1 first: it and the list in it come first in the tab order.
    RECT r = place(kPanel1);
    panel_ =
        CreateWindowExA(WS_EX_CONTROLPARENT, PanelClassName(), "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        r.left, r.top, r.right, r.bottom, window_, nullptr, instance, nullptr);
    r = place(kListView1);
    HWND list =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA,
                        r.left, r.top, r.right, r.bottom, panel_, nullptr, instance, nullptr);
    useFont(list);
    listView_.Attach(list);
    r = place(kStatusBar1);
    statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                 r.left, r.top, r.right, r.bottom, panel_, nullptr, instance, nullptr);
    int wholeWidth = -1; // one text across the whole bar
    SendMessageA(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&wholeWidth));
    useFont(statusBar_);

    for (const ButtonLayout& button : kButtons) {
        const int index = button.number - 1;
        buttons_[index] = CreateWindowExA(
            0, "BUTTON", button.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW,
            Scale(button.left), Scale(button.top), Scale(button.width), Scale(button.height), window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonIdBase + button.number)), instance, nullptr);
        useFont(buttons_[index]);
        glyphs_[index] = std::make_unique<TGlyphImage>(button.glyph());
    }

    popupMenu_ = CreatePopupMenu();
    AppendMenuA(popupMenu_, MF_STRING, kCopyItemId, "Copy Item");
}

void TForm1::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetFocus(listView_.Handle());
}

HWND TForm1::Control(const std::string& name) const {
    if (name == "Panel1")
        return panel_;
    if (name == "ListView1")
        return listView_.Handle();
    if (name == "sStatusBar1")
        return statusBar_;
    for (const ButtonLayout& button : kButtons)
        if (name == "sBitBtn" + std::to_string(button.number))
            return buttons_[button.number - 1];
    return nullptr;
}

std::string TForm1::StatusText() const {
    char text[1024];
    const int length = GetWindowTextA(statusBar_, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

void TForm1::SetStatusText(const std::string& text) {
    SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TForm1::FormCreate() {
    GetAllData();
}

void TForm1::GetAllData() {
    // Every refresh finishes before the list or the status bar is touched, so
    // a failed refresh leaves both as they were.
    Eg1->Refresh();
    OS1->Refresh();
    Machine1->Refresh();
    SetStatusText(DataSourceText(Machine1->MachineName()));
    std::vector<TReportRow> rows;
    AppendReport(rows, ReportValuesOf(*Eg1, *OS1, *Machine1));
    listView_.Append(std::move(rows));
}

void TForm1::ListView1CustomDrawItem(int index, COLORREF& background) {
    if (const auto colour = RowBackgroundColorIndex(index))
        background = GetSysColor(*colour);
}

void TForm1::sBitBtn1Click() {
    SendMessageA(window_, WM_CLOSE, 0, 0);
}

void TForm1::sBitBtn2Click() {
    listView_.Clear();
    GetAllData();
}

void TForm1::sBitBtn3Click() {
    if (save1_.Execute(window_))
        SaveToTextFile();
}

void TForm1::sBitBtn4Click() {
    if (open1_.Execute(window_))
        LoadFromTextFile();
}

void TForm1::SaveToTextFile() {
    WriteReportFile(save1_.FileName(), ReportFileText(listView_.Rows()));
}

void TForm1::LoadFromTextFile() {
    // Read whole before the list is touched: a file that cannot be read
    // leaves the list and the status bar as they were.
    std::vector<TReportRow> rows = ReadReportFile(open1_.FileName());
    listView_.Clear();
    listView_.Append(std::move(rows));
    SetStatusText("");
    SetStatusText(DataSourceText(open1_.FileName()));
}

void TForm1::CopyItem1Click() {
    const std::vector<int> selected = listView_.SelectedIndexes();
    if (selected.empty())
        return; // the clipboard keeps what it has
    PutClipboardText(window_, ClipboardText(listView_.Rows(), selected));
}

void TForm1::sBitBtn5Click() {
    if (TAboutBox* box = AboutBox())
        box->ShowModal();
}

void TForm1::ShowPopupMenu(LPARAM position) {
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) { // from the keyboard: at the list's top-left corner
        at = {0, 0};
        ClientToScreen(listView_.Handle(), &at);
    }
    TrackPopupMenu(popupMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* form = static_cast<TForm1*>(created->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == kCopyItemId) {
            Application().Run([this] { CopyItem1Click(); });
            return 0;
        }
        for (const ButtonLayout& button : kButtons) {
            if (id == kButtonIdBase + button.number && HIWORD(wParam) == BN_CLICKED) {
                Application().Run([this, &button] { (this->*button.click)(); });
                return 0;
            }
        }
        break;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (listView_.HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
        break;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == listView_.Handle()) {
            ShowPopupMenu(lParam);
            return 0;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const int number = static_cast<int>(item.CtlID) - kButtonIdBase;
        if (number >= 1 && number <= 5 && glyphs_[number - 1]) {
            DrawGlyphButton(item, *glyphs_[number - 1], font_.Get());
            return TRUE;
        }
        break;
    }
    case WM_SYSCOLORCHANGE:
        listView_.ApplyColors();
        SendMessageA(listView_.Handle(), WM_SYSCOLORCHANGE, wParam, lParam);
        break;
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        if (isMainForm_)
            PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}
