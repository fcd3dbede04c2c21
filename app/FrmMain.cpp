#include "FrmMain.h"

#include "About.h"
#include "Application.h"
#include "Clipboard.h"
#include "FormPlacement.h"
#include "FrmMainSkin.h"
#include "Panel.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinableMenus.h"
#include "report/ReportComponents.h"
#include "report/ReportFile.h"
#include "report/ReportFileIo.h"
#include "report/ReportValues.h"
#include "base/Exception.h"
#include "ReportLook.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

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

// The keys users try first, each doing what a button or the menu does.
struct ShortcutLayout {
    BYTE modifiers;
    WORD key;
    void (TForm1::*command)();
};
constexpr int kShortcutIdBase = 300; // the N-th shortcut has id 300 + N

const ShortcutLayout kShortcuts[] = {
    {FVIRTKEY, VK_F5, &TForm1::sBitBtn2Click},           // Refresh
    {FVIRTKEY | FCONTROL, 'S', &TForm1::sBitBtn3Click},  // Save...
    {FVIRTKEY | FCONTROL, 'O', &TForm1::sBitBtn4Click},  // Load...
    {FVIRTKEY | FCONTROL, 'C', &TForm1::CopyItem1Click}, // Copy Item
};

// The panel, and inside it the list above the status bar (the panel's
// bevel takes one pixel on each side).
struct Placement {
    int left, top, width, height;
};
constexpr Placement kPanel1{0, 56, 705, 391};
constexpr Placement kListView1{1, 1, 703, 370};
constexpr Placement kStatusBar1{1, 371, 703, 19};

} // namespace

TForm1::TForm1()
    : TCustomForm(nullptr),
      save1_(TFileDialog::Kind::Save, "Save As...", "Text Files  (*.txt)|*.txt|all file|*.*", "txt",
             "Engine.txt", OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON | OFN_ENABLESIZING),
      open1_(TFileDialog::Kind::Open, "Open Report", "Text Files (*.*)|*.txt|All files|*.*", "txt",
             "Engine.txt", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING) {
    SetName("Form1");
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    // The skin manager and provider stand between the engines component and
    // the operating-system component, where the form has always had them.
    const TReportComponents components = MakeReportComponents(this, [this](TVexor_Nolt_Component& made) {
        if (made.Name() != "Eg1")
            return;
        sSkinManager1 = CreateSkinManager1(this);
        // The frame, caption bar and title buttons come from the skin's "FORM".
        sSkinProvider1 = new TsSkinProvider(*this);
        sSkinProvider1->SetName("sSkinProvider1");
        sSkinProvider1->SkinData.SetSkinManager(sSkinManager1);
    });
    Eg1 = components.Eg1;
    OS1 = components.OS1;
    Machine1 = components.Machine1;
    SetVisible(false); // until Show
    SetFont(TFont{"Tahoma", -11, clWindowText, false});
    // The controls in the order of the form: the panel with the list and the
    // status bar, then the buttons.
    panel_ = new TPanel(this, TPanel::TBevel::Raised);
    panel_->SetName("Panel1");
    panel_->SetParent(this);
    listView_ = new TReportListView(this);
    listView_->SetName("ListView1");
    listView_->SetParent(panel_);
    listView_->OnCustomDrawItem = [this](int index, COLORREF& background) {
        ListView1CustomDrawItem(index, background);
    };
    statusBar_ = new TsStatusBar(this);
    statusBar_->SetName("sStatusBar1");
    statusBar_->SetParent(panel_);
    for (const ButtonLayout& button : kButtons) {
        TsBitBtn*& control = buttons_[button.number - 1];
        control = new TsBitBtn(this);
        control->SetName("sBitBtn" + std::to_string(button.number));
        control->SetTabOrder(button.number);
        control->SetParent(this);
    }
    // Last in the form: the list's pop-up menu, drawn from the skin while it is active.
    popupMenu_ = new TPopupMenu(this);
    popupMenu_->SetName("PopupMenu1");
    CopyItem1 = popupMenu_->Items().Add("Copy Item");
    CopyItem1->SetName("CopyItem1");
    CopyItem1->SetCommand(kCopyItemId);
    CopyItem1->OnClick = [this](TMenuItem&) { Application().Run([this] { CopyItem1Click(); }); };
    sSkinManager1->SkinableMenus().Activate(sSkinManager1->SkinData.Active);
}

TForm1::~TForm1() {
    DestroyHandle();
}

int TForm1::Scale(int pixels) const {
    return MulDiv(pixels, pixelsPerInch_, 96);
}

void TForm1::CreateForm() {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    // Centred on the desktop, scaled with the system's font size as far as
    // the work area has room: the whole window stays on the screen.
    const TFormPlacement placement = PlaceForm(kClientWidth, kClientHeight, style, exStyle);
    pixelsPerInch_ = placement.PixelsPerInch;
    SetBounds({placement.Left, placement.Top, placement.Width, placement.Height});
    TCreateParams params;
    params.Caption = "Kestovo 1.0";
    params.Style = style;
    params.ExStyle = exStyle;
    if (!CreateHandle(params))
        throw Exception(FormatText("Cannot create the main window (error %lu)", GetLastError()));
    sSkinProvider1->AttachWindow();
    CreateControls();
    std::vector<ACCEL> keys;
    for (size_t i = 0; i < std::size(kShortcuts); ++i)
        keys.push_back({kShortcuts[i].modifiers, kShortcuts[i].key, static_cast<WORD>(kShortcutIdBase + i)});
    shortcuts_.Reset(CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
    Application().Run([this] { FormCreate(); });
}

void TForm1::CreateControls() {
    font_.Reset(CreateFontA(-Scale(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
    auto place = [this](TControl& control, const Placement& p) {
        control.SetBounds({Scale(p.left), Scale(p.top), Scale(p.width), Scale(p.height)});
    };
    auto useFont = [this](HWND control) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), 0);
    };

    // Panel1 first: it and the list in it come first in the tab order.
    place(*panel_, kPanel1);
    panel_->CreateWnd();
    place(*listView_, kListView1);
    listView_->CreateWnd();
    useFont(listView_->Handle());
    // One text across the whole bar; no size grip on a window that keeps its size.
    place(*statusBar_, kStatusBar1);
    statusBar_->SetFont(TFont{"Tahoma", -Scale(11), clWindowText, false});
    statusBar_->SetSimplePanel(true);
    statusBar_->SetSizeGrip(false);
    statusBar_->SkinData.SetSkinManager(sSkinManager1);
    statusBar_->CreateWnd();

    for (const ButtonLayout& button : kButtons) {
        const int index = button.number - 1;
        TsBitBtn& control = *buttons_[index];
        control.SetBounds({Scale(button.left), Scale(button.top), Scale(button.width), Scale(button.height)});
        control.SetFont(TFont{"Tahoma", -Scale(11), clWindowText, false});
        control.SetCaption(button.caption);
        control.SetGlyph(GlyphPicture(button.glyph()));
        control.SetBlend(30);
        control.SkinData.SetSkinManager(sSkinManager1);
        control.CreateWnd(static_cast<uintptr_t>(kButtonIdBase + button.number));
        useFont(static_cast<HWND>(control.Handle()));
    }

    popupMenu_->PopupOwner = Handle();
}

void TForm1::Show() {
    TCustomForm::SetVisible(true);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    // The program the user just started comes to the front, active.
    SetForegroundWindow(Handle());
    UpdateWindow(Handle());
    SetFocus(listView_->Handle());
}

bool TForm1::TranslateShortcut(MSG& message) {
    if (!Handle() || !shortcuts_ || !message.hwnd || GetAncestor(message.hwnd, GA_ROOT) != Handle())
        return false;
    return TranslateAcceleratorA(Handle(), shortcuts_.Get(), &message) != 0;
}

HWND TForm1::Control(const std::string& name) const {
    auto* control = dynamic_cast<TWinControl*>(FindComponent(name));
    return control ? static_cast<HWND>(control->Handle()) : nullptr;
}

std::string TForm1::StatusText() const {
    return statusBar_->SimpleText();
}

void TForm1::SetStatusText(const std::string& text) {
    statusBar_->SetSimpleText(text);
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
    listView_->Append(std::move(rows));
}

void TForm1::ListView1CustomDrawItem(int index, COLORREF& background) {
    if (const auto colour = RowBackgroundColorIndex(index))
        background = GetSysColor(*colour);
}

void TForm1::sBitBtn1Click() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::sBitBtn2Click() {
    listView_->Clear();
    GetAllData();
}

void TForm1::sBitBtn3Click() {
    if (save1_.Execute(Handle()))
        SaveToTextFile();
}

void TForm1::sBitBtn4Click() {
    if (open1_.Execute(Handle()))
        LoadFromTextFile();
}

void TForm1::SaveToTextFile() {
    WriteReportFile(save1_.FileName(), ReportFileText(listView_->Rows()));
}

void TForm1::LoadFromTextFile() {
    // Read whole before the list is touched: a file that cannot be read
    // leaves the list and the status bar as they were.
    std::vector<TReportRow> rows = ReadReportFile(open1_.FileName());
    listView_->Clear();
    listView_->Append(std::move(rows));
    SetStatusText("");
    SetStatusText(DataSourceText(open1_.FileName()));
}

void TForm1::CopyItem1Click() {
    const std::vector<int> selected = listView_->SelectedIndexes();
    if (selected.empty())
        return; // the clipboard keeps what it has
    PutClipboardText(Handle(), ClipboardText(listView_->Rows(), selected));
}

void TForm1::sBitBtn5Click() {
    if (TAboutBox* box = AboutBox())
        box->ShowModal();
}

void TForm1::ShowPopupMenu(LPARAM position) {
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) // from the keyboard (the Menu key, Shift+F10)
        at = listView_->KeyboardMenuPoint();
    popupMenu_->Popup(at.x, at.y);
}

TMessageResult TForm1::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    LRESULT result = 0;
    if (Handle() && HandleMessage(message, wParam, lParam, result))
        return result;
    return TCustomForm::WndProc(message, wParam, lParam);
}

bool TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) == 0 && popupMenu_->DispatchCommand(static_cast<unsigned>(id)))
            return true;
        if (HIWORD(wParam) == 1 && id >= kShortcutIdBase &&
            id < kShortcutIdBase + static_cast<int>(std::size(kShortcuts))) {
            const ShortcutLayout& shortcut = kShortcuts[id - kShortcutIdBase];
            Application().Run([this, &shortcut] { (this->*shortcut.command)(); });
            return true;
        }
        for (const ButtonLayout& button : kButtons) {
            if (id == kButtonIdBase + button.number && HIWORD(wParam) == BN_CLICKED) {
                Application().Run([this, &button] { (this->*button.click)(); });
                return true;
            }
        }
        return false;
    }
    case WM_NOTIFY:
        return listView_->HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == listView_->Handle()) {
            ShowPopupMenu(lParam);
            return true;
        }
        return false;
    case WM_SYSCOLORCHANGE:
        listView_->ApplyColors();
        SendMessageA(listView_->Handle(), WM_SYSCOLORCHANGE, wParam, lParam);
        return false;
    case WM_CLOSE:
        DestroyWindow(Handle());
        return true;
    case WM_DESTROY:
        // Closing the main form ends the message loop.
        if (IsMainForm())
            PostQuitMessage(0);
        return true;
    default:
        return false;
    }
}
