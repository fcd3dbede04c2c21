// Edit-like windows: the border composed from the section, the control's
// colours from the skin (given back when the skin goes), and the skinned
// scroll bars kept up to date after everything that moves them.
#include "sAdapterWnd.h"

#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"

#include <commctrl.h>

namespace {

// Messages after which the window may have moved its scroll bars.
bool MovesScrollBars(UINT message) {
    switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_SETREDRAW:
    case WM_STYLECHANGED:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETCURSEL:
    case LVM_SETITEMCOUNT:
    case LVM_INSERTITEMA:
    case LVM_DELETEALLITEMS:
    case LVM_ENSUREVISIBLE:
    case LVM_SCROLL:
    case LVM_SETITEMSTATE:
        return true;
    default:
        return false;
    }
}

} // namespace

void TqzEditWnd::Initialise() {
    if (TControl* owner = OwnerControl()) {
        foundColor_ = owner->Color();
        foundFontColor_ = owner->Font().Color;
    }
}

void TqzEditWnd::Restore() {
    if (TControl* owner = OwnerControl()) {
        owner->SetColor(foundColor_);
        TFont font = owner->Font();
        font.Color = foundFontColor_;
        owner->SetFont(font);
    }
    skinData_->Cache.reset();
    if (IsWindow(window_))
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Windows without an owner control (dialog children) paint their own client
// area in the system's colours: only the frame comes from the skin.
void TqzEditWnd::ApplyColors() {
    TsCommonData& data = *skinData_;
    TControl* owner = OwnerControl();
    if (!Skinned() || !owner)
        return;
    const TsGeneralData& section = manager_.gd[size_t(data.SectionIndex)];
    if (!data.CustomColor())
        owner->SetColor(data.ControlColor());
    if (!data.CustomFont()) {
        TFont font = owner->Font();
        font.Color = TsSkinManager::ColorToRGB(section.HotFontColor[0]);
        owner->SetFont(font);
    }
}

void TqzEditWnd::RefreshPicture() {
    RECT r;
    GetWindowRect(window_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    TsCommonData& data = *skinData_;
    if (data.Cache && !data.CacheStale && data.Cache->Width == width && data.Cache->Height == height)
        return;
    ApplyColors();
    data.Cache = std::make_unique<TsBitmap24>(width, height);
    TsBitmap24& picture = *data.Cache;
    const TColor border = manager_.SkinData.BorderColor;
    TsBackgroundRecord record;
    const TsBackgroundDescriptor background = ParentBackground(record);
    if (dialogMode_ && border != static_cast<TColor>(0xFF00FF)) {
        // Dialog children: the window colour in a one-pixel frame.
        PaintParentBackground(
            picture, {0, 0, width, height},
            TsBackgroundDescriptor::OfColor(static_cast<TColor>(GetSysColor(COLOR_WINDOW))));
        const TColor frame = TsSkinManager::ColorToRGB(border);
        for (int x = 0; x < width; ++x) {
            picture.SetPixel(x, 0, frame);
            picture.SetPixel(x, height - 1, frame);
        }
        for (int y = 0; y < height; ++y) {
            picture.SetPixel(0, y, frame);
            picture.SetPixel(width - 1, y, frame);
        }
    } else {
        ComposeItem(&picture, manager_, data.SectionIndex, data.SkinSection(), background, true, 0,
                    PositionInParent(), {0, 0, width, height});
    }
    if (!IsWindowEnabled(window_))
        DisabledLook(picture, dkBlended, skinData_->ControlColor(), PositionInParent(), background);
    data.CacheStale = false;
}

void TqzEditWnd::PaintFrame(HDC windowDc) {
    MeasureFrame();
    RefreshPicture();
    CopyBorderStrips(windowDc, *skinData_->Cache, leftBorder_, topBorder_, rightBorder_, bottomBorder_);
    if (withScrollBars_) {
        ReadBars();
        PaintScrollBars(windowDc);
    }
}

LRESULT TqzEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinActive() || !Skinned())
        return TqzBaseWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_NCPAINT:
        if (IsWindowVisible(window_)) {
            HDC dc = GetWindowDC(window_);
            PaintFrame(dc);
            ReleaseDC(window_, dc);
            return 0;
        }
        break;
    case WM_PAINT:
    case WM_ERASEBKGND:
        if (skinData_->PaintSuspended) {
            ValidateRect(window_, nullptr);
            return message == WM_ERASEBKGND;
        }
        ApplyColors();
        break;
    case WM_ENABLE:
        skinData_->CacheStale = true;
        break;
    default:
        break;
    }
    const LRESULT result = TqzBaseWnd::WindowProc(message, wParam, lParam);
    if (removed_)
        return result;
    if (message == WM_SIZE || message == WM_ENABLE)
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    else if (withScrollBars_ && MovesScrollBars(message))
        RefreshScrollBars();
    return result;
}
