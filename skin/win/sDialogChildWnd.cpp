// The children of system dialogs: texts and icons drawn over their dialog's
// skinned face, push buttons drawn from the "BUTTON" section, and the
// adapter of each kind made by one factory.
#include "sAdapterWnd.h"
#include "sDialogWnd.h"

#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"

namespace {

// The text layout of a static control's style.
unsigned StaticTextFlags(LONG style) {
    const LONG type = style & SS_TYPEMASK;
    unsigned flags = tfExpandTabs;
    if (type == SS_CENTER)
        flags |= tfCenter;
    else if (type == SS_RIGHT)
        flags |= tfRight;
    if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
        flags |= tfSingleLine;
    else
        flags |= tfWordBreak;
    if (style & SS_NOPREFIX)
        flags |= tfNoPrefix;
    return flags;
}

} // namespace

LRESULT TqzTransparentWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinActive() || !Skinned())
        return TqzMainWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window_, &client);
        AnswerPaint(window_, wParam, [&](HDC dc) { PaintFace(dc, client); });
        return 0;
    }
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = TqzMainWnd::WindowProc(message, wParam, lParam);
        InvalidateRect(window_, nullptr, TRUE);
        return result;
    }
    default:
        return TqzMainWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT TqzToolBarWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND && SkinActive() && Skinned()) {
        PaintParentFace(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    return TqzMainWnd::WindowProc(message, wParam, lParam);
}

// Kinds without a face of their own draw themselves over the parent's face.
void TqzTransparentWnd::PaintFace(HDC dc, const RECT& client) {
    TsBitmap24 picture(client.right, client.bottom);
    TsDibSection section(picture);
    PaintParentFace(section.Dc());
    CallPrevious(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(section.Dc()), PRF_CLIENT);
    BitBlt(dc, 0, 0, client.right, client.bottom, section.Dc(), 0, 0, SRCCOPY);
}

void TqzStaticWnd::PaintFace(HDC dc, const RECT& client) {
    TsBitmap24 picture = ParentFacePicture();
    WriteText(picture, IsWindowEnabled(window_) != FALSE, false,
              StaticTextFlags(GetWindowLongA(window_, GWL_STYLE)), {0, 0, client.right, client.bottom});
    DrawBitmap24(dc, {0, 0, client.right, client.bottom}, picture, 0, 0);
}

void TqzIconWnd::PaintFace(HDC dc, const RECT& client) {
    TsBitmap24 picture = ParentFacePicture();
    TsDibSection section(picture);
    if (HICON icon = reinterpret_cast<HICON>(CallPrevious(STM_GETICON, 0, 0)))
        DrawIconEx(section.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    BitBlt(dc, 0, 0, client.right, client.bottom, section.Dc(), 0, 0, SRCCOPY);
}

void TqzBtnWnd::PaintFace(HDC dc, const RECT& client) {
    if (client.right <= 0 || client.bottom <= 0)
        return;
    const LRESULT buttonState = CallPrevious(BM_GETSTATE, 0, 0);
    const bool enabled = IsWindowEnabled(window_) != FALSE;
    const bool focused = GetFocus() == window_;
    const int state =
        !enabled                                                                                       ? 0
        : (buttonState & BST_PUSHED)                                                                   ? 2
        : (skinData_->MouseOver || focused || (GetWindowLongA(window_, GWL_STYLE) & BS_DEFPUSHBUTTON)) ? 1
                                                                                                       : 0;
    TsBitmap24 picture = ParentFacePicture();
    TsBackgroundRecord record;
    const TsBackgroundDescriptor background = ParentBackground(record);
    const TPoint at = PositionInParent();
    ComposeItem(&picture, manager_, skinData_->SectionIndex, skinData_->SkinSection(), background, true,
                state, at, {0, 0, client.right, client.bottom});
    const int shift = state == 2 ? 1 : 0; // pressed: one pixel right and down
    WriteText(picture, enabled, state > 0, tfCenter | tfVCenter | tfSingleLine,
              {shift, shift, client.right + shift, client.bottom + shift});
    if (!enabled)
        DisabledLook(picture, dkBlended, skinData_->ControlColor(), at, background);
    DrawBitmap24(dc, {0, 0, client.right, client.bottom}, picture, 0, 0);
    if (focused && !(CallPrevious(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = client;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT TqzBtnWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinActive() || !Skinned())
        return TqzMainWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE:
        if (!skinData_->MouseOver) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            TrackMouseEvent(&track);
        }
        break;
    case WM_MOUSELEAVE:
        skinData_->MouseOver = false;
        InvalidateRect(window_, nullptr, FALSE);
        break;
    default:
        break;
    }
    const LRESULT result = TqzTransparentWnd::WindowProc(message, wParam, lParam);
    // The platform button draws itself at once on these; the skinned face goes over it.
    switch (message) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_UPDATEUISTATE:
    case SM_SKINCOMMAND:
        if (!removed_ && IsWindowVisible(window_))
            if (HDC dc = GetDC(window_)) {
                RECT client;
                GetClientRect(window_, &client);
                PaintFace(dc, client);
                ReleaseDC(window_, dc);
            }
        break;
    default:
        break;
    }
    return result;
}

std::unique_ptr<TqzMainWnd> MakeAdapterWnd(TqzAdapterKind kind, HWND window, const std::string& section,
                                           TsSkinManager& manager, TsCommonData* skinData) {
    using K = TqzAdapterKind;
    auto make = [&]<typename T>(bool scrollBars) -> std::unique_ptr<TqzMainWnd> {
        return std::make_unique<T>(window, scrollBars, section, manager, skinData);
    };
    switch (kind) {
    case K::Edit:
        return make.operator()<TqzEditWnd>(true);
    case K::ListView:
        return make.operator()<TqzListViewWnd>(true);
    case K::ComboBox:
        return make.operator()<TqzComboBoxWnd>(false);
    case K::ComboList:
        return make.operator()<TqzComboListWnd>(true);
    case K::Grid:
        return make.operator()<TqzGridWnd>(true);
    case K::GridEh:
        return make.operator()<TqzGridEhWnd>(true);
    case K::TreeView:
        return make.operator()<TqzTreeViewWnd>(true);
    case K::VirtualTreeView:
        return make.operator()<TqzVirtualTreeViewWnd>(true);
    case K::WWComboBox:
        return make.operator()<TqzWWComboBoxWnd>(false);
    case K::Panel:
        return make.operator()<TqzPanelWnd>(false);
    case K::DlgPanel:
        return make.operator()<TqzDlgPanelWnd>(false);
    case K::Btn:
        return make.operator()<TqzBtnWnd>(false);
    case K::BitBtn:
        return make.operator()<TqzBitBtnWnd>(false);
    case K::CheckBox:
        return make.operator()<TqzCheckBoxWnd>(false);
    case K::GroupBox:
        return make.operator()<TqzGroupBoxWnd>(false);
    case K::Static:
        return make.operator()<TqzStaticWnd>(false);
    case K::Icon:
        return make.operator()<TqzIconWnd>(false);
    case K::Link:
        return make.operator()<TqzLinkWnd>(false);
    case K::Spin:
        return make.operator()<TqzSpinWnd>(false);
    case K::Sizer:
        return make.operator()<TqzSizerWnd>(false);
    case K::TransPanel:
        return make.operator()<TqzTransPanelWnd>(false);
    case K::TabControl:
        return make.operator()<TqzTabControlWnd>(false);
    case K::PageControl:
        return make.operator()<TqzPageControlWnd>(false);
    case K::ToolBar:
        return make.operator()<TqzToolBarWnd>(false);
    case K::ToolBarVCL:
        return make.operator()<TqzToolBarVCLWnd>(false);
    case K::StatusBar:
        return make.operator()<TqzStatusBarWnd>(false);
    case K::Dialog:
        return std::make_unique<TqzDialogWnd>(window, manager);
    case K::None:
        break;
    }
    return nullptr;
}
