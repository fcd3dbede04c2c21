// Panels drawn from the skin: the section is chosen by the panel's bevels,
// the whole face is one composed picture, the caption is not drawn, and the
// graphic controls on the panel are painted over the picture.
#include "sAdapterWnd.h"

#include "controls/win/WindowThunk.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"

namespace {

// The form that holds a control.
TWinControl* FormOf(TControl* control) {
    TWinControl* form = control ? control->Parent() : nullptr;
    while (form && form->Parent())
        form = form->Parent();
    return form;
}

} // namespace

TqzPanelWnd::~TqzPanelWnd() = default;

void TqzPanelWnd::Initialise() {
    if (auto* panel = dynamic_cast<TCustomPanel*>(skinData_->OwnerControl()))
        skinData_->SetSkinSection(
            PanelSection(panel->BevelOuter(), panel->BevelInner(), panel->SingleBorder()));
    section_ = skinData_->SkinSection();
}

void TqzPanelWnd::Restore() {
    skinData_->SectionIndex = -1;
    skinData_->Cache.reset();
    screen_.reset();
}

int TqzPanelWnd::BorderWidth() const {
    RECT window, client;
    GetWindowRect(window_, &window);
    GetClientRect(window_, &client);
    return ((window.right - window.left) - client.right) / 2;
}

void TqzPanelWnd::RefreshPicture() {
    RECT r;
    GetWindowRect(window_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    TsCommonData& data = *skinData_;
    if (data.Cache && !data.CacheStale && !data.PartlyOutside && data.Cache->Width == width &&
        data.Cache->Height == height)
        return;
    data.Cache = std::make_unique<TsBitmap24>(width, height);
    TsBackgroundRecord record;
    const TsBackgroundDescriptor background = ParentBackground(record);
    ComposeItem(data.Cache.get(), manager_, data.SectionIndex, data.SkinSection(), background, true, 0,
                PositionInParent(), {0, 0, width, height});
    data.CacheStale = false;
    screenStale_ = true;
}

void TqzPanelWnd::PaintClient(HDC dc) {
    const int border = BorderWidth();
    RECT client;
    GetClientRect(window_, &client);
    if (!screen_)
        screen_ = std::make_unique<TsScreenPicture>();
    if (screenStale_ || !screen_->Fits(*skinData_->Cache)) {
        screen_->Update(dc, *skinData_->Cache);
        screenStale_ = false;
    }
    screen_->Paint(dc, {0, 0, client.right, client.bottom}, border, border);
    if (auto* panel = dynamic_cast<TWinControl*>(skinData_->OwnerControl()))
        panel->PaintControls(dc);
}

void TqzPanelWnd::PaintBorder(HDC windowDc) {
    const int border = BorderWidth();
    if (border > 0)
        CopyBorderStrips(windowDc, *skinData_->Cache, border, border, border, border);
}

LRESULT TqzPanelWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinActive() || !Skinned())
        return TqzMainWnd::WindowProc(message, wParam, lParam);
    TsCommonData& data = *skinData_;
    switch (message) {
    case WM_ERASEBKGND: {
        if (data.PaintSuspended)
            return 1;
        HDC dc = reinterpret_cast<HDC>(wParam);
        const TsGeneralData& section = manager_.gd[size_t(data.SectionIndex)];
        if (section.Transparency > 0) {
            RECT clip, client;
            GetClipBox(dc, &clip);
            GetClientRect(window_, &client);
            data.PartlyOutside = !EqualRect(&clip, &client);
        } else {
            data.PartlyOutside = false;
        }
        const bool rebuilt = data.CacheStale || data.PartlyOutside || !data.Cache;
        RefreshPicture();
        PaintClient(dc);
        if (rebuilt) // the children show the new face under their own
            for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        return 1;
    }
    case WM_PAINT: {
        if (wParam) // painting into a given device context
            return 0;
        PAINTSTRUCT paint;
        BeginPaint(window_, &paint);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_NCPAINT: {
        MeasureFrame();
        RefreshPicture();
        HDC dc = GetWindowDC(window_);
        PaintBorder(dc);
        ReleaseDC(window_, dc);
        return 1;
    }
    case WM_PRINT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        RefreshPicture();
        PaintBorder(dc);
        const int border = BorderWidth();
        const int state = SaveDC(dc);
        SetViewportOrgEx(dc, border, border, nullptr);
        PaintClient(dc);
        RestoreDC(dc, state);
        return 0;
    }
    case WM_SETTEXT:
        if (IsWindowVisible(window_)) {
            CallPrevious(WM_SETREDRAW, FALSE, 0);
            const LRESULT result = TqzMainWnd::WindowProc(message, wParam, lParam);
            CallPrevious(WM_SETREDRAW, TRUE, 0);
            data.CacheStale = true;
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
            return result;
        }
        break;
    case WM_UPDATEUISTATE:
        return 1;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE) {
            TWinControl* child = TWindowThunk::ControlOf(reinterpret_cast<HWND>(lParam));
            TWinControl* form = FormOf(skinData_->OwnerControl());
            if (child && form)
                form->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scControlLoaded),
                                        reinterpret_cast<TLParam>(static_cast<TControl*>(child)));
        }
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = TqzMainWnd::WindowProc(message, wParam, lParam);
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return result;
    }
    case SM_SKINCOMMAND:
        switch (CommandOf(wParam)) {
        case scNewSkin:
            if (auto* panel = dynamic_cast<TWinControl*>(skinData_->OwnerControl()))
                DeliverToChildren(*panel, message, wParam, lParam);
            break;
        case 6:
            if (data.PaintSuspended) {
                data.PaintSuspended = false;
                RedrawWindow(window_, nullptr, nullptr,
                             RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            }
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return TqzMainWnd::WindowProc(message, wParam, lParam);
}
