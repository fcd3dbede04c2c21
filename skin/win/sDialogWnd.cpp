#include "sDialogWnd.h"

#include "base/Text.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "skin/win/sWindowQueries.h"

#include <commctrl.h>

namespace {

// A dialog with the sizing style has the sizing frame, a wider one than the
// fixed dialog frame.
TFormBorderStyle DialogBorderStyle(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) ? bsSizeable : bsDialog;
}

// A dialog's window seen as a form, so that the form frame can draw it.
class TDialogForm final : public TCustomForm {
public:
    explicit TDialogForm(HWND window) : TCustomForm(nullptr) {
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        SetBorderStyle(DialogBorderStyle(window));
        SetBorderIcons(((style & WS_SYSMENU) ? TBorderIcons(biSystemMenu) : 0u) |
                       ((style & WS_MINIMIZEBOX) ? TBorderIcons(biMinimize) : 0u) |
                       ((style & WS_MAXIMIZEBOX) ? TBorderIcons(biMaximize) : 0u));
        RECT r;
        GetWindowRect(window, &r);
        SetBounds({r.left, r.top, r.right - r.left, r.bottom - r.top});
        AttachHandle(window);
    }
    ~TDialogForm() override { ReleaseHandle(); }
    std::string ClassName() const override { return "#32770"; }
};

} // namespace

bool DialogChildrenAdaptable(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string windowClass = WindowClassOf(child);
        const uint32_t style = static_cast<uint32_t>(GetWindowLongA(child, GWL_STYLE));
        if (ChooseDialogChildAdapter(windowClass, style).Kind == TqzAdapterKind::None)
            return false;
        if (SameText(windowClass, WC_TABCONTROLA)) {
            RECT r;
            GetWindowRect(child, &r);
            if (r.right - r.left == 470 && r.bottom - r.top == 349)
                return false;
        }
    }
    return true;
}

bool IsMessageBoxDialog(HWND dialog) {
    if (WindowClassOf(dialog) != "#32770")
        return false;
    bool button = false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string windowClass = WindowClassOf(child);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (SameText(windowClass, "Button") && (style & 0xF) <= BS_DEFPUSHBUTTON)
            button = true;
        else if (!SameText(windowClass, "Static"))
            return false;
    }
    return button;
}

namespace {

// The message boxes without an adapter that a dialog owns.
struct TOwnedBoxes {
    HWND owner;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectOwnedBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TOwnedBoxes*>(context);
    if (GetWindow(window, GW_OWNER) == search->owner && !AnswersSkinned(window) &&
        IsMessageBoxDialog(window) && DialogChildrenAdaptable(window))
        search->boxes.push_back(window);
    return TRUE;
}

} // namespace

TqzDialogWnd::TqzDialogWnd(HWND window, TsSkinManager& manager)
    : TqzScrollWnd(window, false, "DIALOG", manager, nullptr) {
    dialogMode_ = true;
}

TqzDialogWnd::~TqzDialogWnd() {
    Detach();
    if (brush_)
        DeleteObject(brush_);
}

void TqzDialogWnd::Initialise() {
    form_ = std::make_unique<TDialogForm>(window_);
    provider_ = std::make_unique<TsSkinProvider>(*form_);
    provider_->SkinData.SetSkinManager(&manager_);
    provider_->SkinData.SetSkinSection("DIALOG");
    AdaptChildren();
}

void TqzDialogWnd::AdaptChildren() {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (AnswersSkinned(child))
            continue;
        const TqzAdapterChoice choice = ChooseDialogChildAdapter(
            WindowClassOf(child), static_cast<uint32_t>(GetWindowLongA(child, GWL_STYLE)));
        std::unique_ptr<TqzMainWnd> adapter =
            MakeAdapterWnd(choice.Kind, child, choice.Section, manager_, nullptr);
        if (!adapter)
            continue;
        adapter->SetDialogMode(choice.DialogMode);
        adapter->Attach();
        children_.push_back(std::move(adapter));
    }
}

// The window hook leaves a dialog opened while another adapted one is
// visible alone, unless it has a tool bar: so the questions a system dialog
// asks in a message box of its own ("File already exists ...") would be left
// plain inside the skinned dialog. Their owner adapts them: when it hands the
// activation to the box, and at the latest when the box first waits for the
// user.
void TqzDialogWnd::AdaptOwnedMessageBoxes() {
    TOwnedBoxes search{window_, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectOwnedBox, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.boxes) {
        auto adapter = std::make_unique<TqzDialogWnd>(box, manager_);
        adapter->Attach();
        SendMessageA(box, SM_SKINCOMMAND, SkinCommand(scNewSkin), reinterpret_cast<LPARAM>(&manager_));
        ownedBoxes_.push_back(std::move(adapter));
    }
}

void TqzDialogWnd::Restore() {
    ownedBoxes_.clear();
    children_.clear(); // each child's window back as it was
    provider_.reset();
    form_.reset();
}

HBRUSH TqzDialogWnd::FaceBrush() {
    const COLORREF color =
        static_cast<COLORREF>(CallPrevious(SM_SKINCOMMAND, SkinCommand(scGetChildColor), 0));
    if (!brush_ || color != brushColor_) {
        if (brush_)
            DeleteObject(brush_);
        brush_ = CreateSolidBrush(color);
        brushColor_ = color;
    }
    return brush_;
}

LRESULT TqzDialogWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case SM_SKINCOMMAND:
        switch (CommandOf(wParam)) {
        case scIsSkinned:
            return 1;
        case scRemoveSkin:
            if (reinterpret_cast<TsSkinManager*>(lParam) == &manager_) {
                Detach();
                return 0;
            }
            break;
        default:
            break;
        }
        // The frame answers the rest.
        return CallPrevious(message, wParam, lParam);
    case WM_DESTROY:
    case WM_NCDESTROY:
        return TqzMainWnd::WindowProc(message, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && lParam && SkinActive() && Skinned())
            AdaptOwnedMessageBoxes();
        break;
    case WM_ENTERIDLE:
        if (wParam == MSGF_DIALOGBOX && SkinActive() && Skinned())
            AdaptOwnedMessageBoxes();
        break;
    case WM_STYLECHANGED: {
        // A resizable file dialog takes its sizing style after it was first
        // activated: from then on its frame is the sizing frame.
        const LRESULT result = CallPrevious(message, wParam, lParam);
        if (static_cast<int>(wParam) == GWL_STYLE && form_ && provider_ &&
            form_->BorderStyle() != DialogBorderStyle(window_)) {
            form_->SetBorderStyle(DialogBorderStyle(window_));
            provider_->RebuildFrame();
        }
        return result;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        if (SkinActive() && Skinned()) {
            // Children that draw themselves do it on the dialog's skinned colour.
            HDC dc = reinterpret_cast<HDC>(wParam);
            const TsGeneralData& section = manager_.gd[size_t(skinData_->SectionIndex)];
            SetTextColor(dc, TsSkinManager::ColorToRGB(section.FontColor[0]));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(FaceBrush());
        }
        break;
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

void InstallDialogAdapterFactory() {
    TsHookFactories& factories = HookFactories();
    factories.MakeDialogAdapter = [](HWND window, TsSkinManager& manager,
                                     const std::string&) -> std::unique_ptr<TsWindowAdapter> {
        auto adapter = std::make_unique<TqzDialogWnd>(window, manager);
        adapter->Attach();
        return adapter;
    };
    factories.ChildrenAdaptable = DialogChildrenAdaptable;
}
