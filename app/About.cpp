#include "About.h"

#include "Application.h"
#include "FormPlacement.h"
#include "Panel.h"
#include "kestova/Version.h"
#include "skin/win/sBitBtnWin.h"

#include <shellapi.h>

#include <iterator>
#include <utility>
#include <vector>

namespace {

TAboutBox* g_aboutBox = nullptr;

constexpr int kClientWidth = 298;
constexpr int kClientHeight = 253;
constexpr TPlacement kPanel1{9, 8, 281, 198};
constexpr TPlacement kImage1{68, 84, 145, 105};
constexpr TPlacement kOkButton{112, 214, 75, 33};

// The maker's texts.
constexpr const char* kWebAddress = "https://kestova.example/";
constexpr const char* kWebAddressShown = "kestova.example";
constexpr const char* kNotice = "Freeware (C) 2026 Kestova Software";
constexpr const char* kTagline = "Finds the versions of your desktop engines";

constexpr COLORREF kBannerColour = RGB(43, 53, 77);

// The plain labels of the panel, top to bottom; each is 281 wide with its
// text centred.
struct LabelLayout {
    const char* name;
    TPlacement placement;
    const char* caption;
    TControlColour colour;
    bool wordWrap;
};

const LabelLayout kLabels[] = {
    {"Label1", {0, 32, 281, 13}, kNotice, TControlColour::System(COLOR_WINDOWTEXT), false},
    {"Comments", {0, 66, 281, 13}, kWebAddressShown, TControlColour::System(COLOR_WINDOWTEXT), true},
};

// The skinned labels: the banner with its shadow above the notice, the
// tagline below it; both 281 wide, centred, of fixed size.
struct SkinnedLabelLayout {
    TPlacement placement;
    const char* caption;
    int fontHeight;
    bool bold;
};
constexpr SkinnedLabelLayout kBanner{{0, 1, 281, 30}, "Kestova", 19, true};
constexpr SkinnedLabelLayout kTaglineLabel{{0, 48, 281, 13}, kTagline, 11, false};

// While a modal box is open the thread's other windows are disabled; they
// are enabled again however the box's message loop ends.
class DisabledThreadWindows {
public:
    explicit DisabledThreadWindows(HWND except) : except_(except) {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledThreadWindows::Disable,
                          reinterpret_cast<LPARAM>(this));
    }
    ~DisabledThreadWindows() {
        for (HWND window : disabled_)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
    }
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self) {
        auto* list = reinterpret_cast<DisabledThreadWindows*>(self);
        if (window != list->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            list->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND except_;
    std::vector<HWND> disabled_;
};

} // namespace

TAboutBox* AboutBox() {
    return g_aboutBox;
}

TAboutBox::TAboutBox() : TCustomForm(nullptr) {
    SetName("AboutBox");
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetVisible(false);
    g_aboutBox = this;
    panel_ = new TPanel(this, TPanel::TBevel::Double);
    panel_->SetName("Panel1");
    panel_->SetParent(this);
    banner_ = new TsLabelFX(this);
    banner_->SetName("sLabelFX1");
    tagline_ = new TsLabel(this);
    tagline_->SetName("sLabel1");
    TAboutControl* inPanel[] = {&notice_, &comments_, &image_};
    const char* names[] = {"Label1", "Comments", "Image1"};
    for (size_t i = 0; i < std::size(inPanel); ++i)
        inPanel[i]->SetName(names[i]);
    okButton_ = new TsBitBtn(this);
    okButton_->SetName("sBitBtn1");
    okButton_->SetTabOrder(1);
    okButton_->SetParent(this);
    comments_.OnClick = [this](TAboutControl* sender) { CommentsClick(sender); };
    comments_.OnMouseMove = [this](TAboutControl* sender) { CommentsMouseMove(sender); };
    comments_.OnMouseLeave = [this](TAboutControl* sender) { CommentsMouseLeave(sender); };
    image_.OnClick = [this](TAboutControl* sender) { Image1Click(sender); };
    image_.OnMouseMove = [this](TAboutControl* sender) { Image1MouseMove(sender); };
    image_.OnMouseLeave = [this](TAboutControl* sender) { Image1MouseLeave(sender); };
}

TAboutBox::~TAboutBox() {
    if (g_aboutBox == this)
        g_aboutBox = nullptr;
    DestroyHandle();
}

int TAboutBox::Scale(int pixels) const {
    return MulDiv(pixels, pixelsPerInch_, 96);
}

void TAboutBox::CreateForm(HWND owner) {
    owner_ = owner;
    // A dialog frame: fixed size, a title bar with only the close box;
    // centred on the screen and kept inside its work area.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const TFormPlacement placement = PlaceForm(kClientWidth, kClientHeight, style, exStyle);
    pixelsPerInch_ = placement.PixelsPerInch;
    SetBounds({placement.Left, placement.Top, placement.Width, placement.Height});
    TCreateParams params;
    params.Caption = "Kestova " KESTOVA_VERSION_TEXT;
    params.Style = style;
    params.ExStyle = exStyle;
    params.ParentWindow = owner;
    if (!CreateHandle(params))
        return;
    HMENU system = GetSystemMenu(Handle(), FALSE); // a dialog's menu: move and close only
    DeleteMenu(system, SC_RESTORE, MF_BYCOMMAND);
    DeleteMenu(system, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(system, SC_MINIMIZE, MF_BYCOMMAND);
    DeleteMenu(system, SC_MAXIMIZE, MF_BYCOMMAND);
    CreateControls();
}

void TAboutBox::CreateControls() {
    auto makeFont = [this](int height, int weight) {
        return CreateFontA(-Scale(height), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    };
    font_.Reset(makeFont(11, FW_NORMAL));
    auto scaled = [this](const TPlacement& p) {
        return TPlacement{Scale(p.Left), Scale(p.Top), Scale(p.Width), Scale(p.Height)};
    };

    const TPlacement panel = scaled(kPanel1);
    panel_->SetBounds({panel.Left, panel.Top, panel.Width, panel.Height});
    panel_->CreateWnd();
    auto skinned = [&](TsCustomLabel& label, const SkinnedLabelLayout& layout) {
        const TPlacement p = scaled(layout.placement);
        label.SetAutoSize(false);
        label.SetAlignment(taCenter);
        label.SetFont(TFont{"MS Sans Serif", -Scale(layout.fontHeight), static_cast<TColor>(kBannerColour),
                            layout.bold});
        label.SetCaption(layout.caption);
        label.SetBounds({p.Left, p.Top, p.Width, p.Height});
        label.SetParent(panel_);
    };
    skinned(*banner_, kBanner);
    skinned(*tagline_, kTaglineLabel);
    TAboutLabel* labels[] = {&notice_, &comments_};
    for (size_t i = 0; i < std::size(kLabels); ++i) {
        const LabelLayout& layout = kLabels[i];
        TAboutLabel& label = *labels[i];
        label.SetCaption(layout.caption);
        label.SetFont(font_.Get());
        label.SetColour(layout.colour);
        label.SetWordWrap(layout.wordWrap);
        label.Create(panel_, scaled(layout.placement));
    }
    comments_.SetHint(kWebAddress);
    image_.SetHint(kWebAddress);
    image_.SetPicture(AboutLogo());
    image_.Create(panel_, scaled(kImage1));

    const TPlacement ok = scaled(kOkButton);
    okButton_->SetBounds({ok.Left, ok.Top, ok.Width, ok.Height});
    okButton_->SetKind(bkOK);
    okButton_->SetGlyph(GlyphPicture(OkGlyph()));
    okButton_->SetFont(TFont{"MS Sans Serif", -Scale(11), clWindowText, false});
    okButton_->CreateWnd();
    SendMessageA(OkWindow(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), 0);
}

TControl* TAboutBox::ControlByName(const std::string& name) {
    if (auto* owned = dynamic_cast<TControl*>(FindComponent(name)))
        return owned;
    TAboutControl* inPanel[] = {&notice_, &comments_, &image_};
    for (TAboutControl* control : inPanel)
        if (control->Name() == name)
            return control;
    return nullptr;
}

HWND TAboutBox::Control(const std::string& name) {
    TControl* control = ControlByName(name);
    TWinControl* windowed = control ? control->AsWinControl() : nullptr;
    return windowed ? static_cast<HWND>(windowed->Handle()) : nullptr;
}

int TAboutBox::ShowModal() {
    if (!Handle())
        return mrNone;
    modalResult_ = mrNone;
    // The window that was active before gets the activation back, however the box is closed.
    HWND previous = GetActiveWindow();
    {
        DisabledThreadWindows others(Handle());
        ShowWindow(Handle(), SW_SHOWNORMAL);
        SetActiveWindow(Handle());
        SetFocus(OkWindow());
        MSG message;
        while (modalResult_ == mrNone) {
            const BOOL got = GetMessageA(&message, nullptr, 0, 0);
            if (got <= 0) {
                // The program is ending: leave the quit for the main loop.
                if (got == 0)
                    PostQuitMessage(static_cast<int>(message.wParam));
                modalResult_ = mrCancel;
                break;
            }
            if (HandleButtonKeys(message) || IsDialogMessageA(Handle(), &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // The others are enabled before the box hides, so the owner gets the
        // activation back.
    }
    if (Handle())
        ShowWindow(Handle(), SW_HIDE);
    if (previous && previous != Handle() && IsWindow(previous) && IsWindowEnabled(previous))
        SetActiveWindow(previous);
    return modalResult_;
}

void TAboutBox::CommentsClick(TAboutControl* sender) {
    if (auto* label = dynamic_cast<TAboutLabel*>(sender))
        OpenLink(label->Hint());
}

void TAboutBox::CommentsMouseMove(TAboutControl*) {
    comments_.SetCursor(TCursor::crHandPoint);
    comments_.SetColour(TControlColour::Of(RGB(0, 0, 255)));
}

void TAboutBox::CommentsMouseLeave(TAboutControl*) {
    comments_.SetCursor(TCursor::crDefault);
    comments_.SetColour(TControlColour::Of(RGB(0, 0, 0)));
}

void TAboutBox::Image1Click(TAboutControl* sender) {
    if (auto* image = dynamic_cast<TAboutImage*>(sender))
        OpenLink(image->Hint());
}

void TAboutBox::Image1MouseMove(TAboutControl*) {
    image_.SetCursor(TCursor::crHandPoint);
}

void TAboutBox::Image1MouseLeave(TAboutControl*) {
    image_.SetCursor(TCursor::crDefault);
}

void TAboutBox::OpenLink(const std::string& target) const {
    ShellExecuteA(owner_, "Open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

TMessageResult TAboutBox::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    switch (message) {
    case WM_COMMAND:
        // OK, by a click or by Enter (the dialog manager sends IDOK).
        if (LOWORD(wParam) == IDOK && (HIWORD(wParam) == BN_CLICKED || lParam == 0)) {
            modalResult_ = mrOk;
            return 0;
        }
        // Escape (the dialog manager sends IDCANCEL): closed as by its close box.
        if (LOWORD(wParam) == IDCANCEL && (HIWORD(wParam) == BN_CLICKED || lParam == 0)) {
            modalResult_ = mrCancel;
            return 0;
        }
        break;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        // The close box: the box is kept for the next time.
        modalResult_ = mrCancel;
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    case WM_NCDESTROY:
        // The owner's end takes the box's window with it.
        modalResult_ = mrCancel; // a modal loop still running ends
        break;
    default:
        break;
    }
    return TCustomForm::WndProc(message, wParam, lParam);
}
