// The skin state's painting and window requests on Windows.
#include "skin/sCommonData.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sWindowQueries.h"
#include "base/win/Handles.h"

#include <windows.h>

namespace {

HWND Window(TWinControl& control) {
    return static_cast<HWND>(control.Handle());
}

class TWinControlPainter final : public TsControlPainter {
public:
    void FillRect(void* dc, const TRect& area, TColor color) override {
        const RECT r{area.Left, area.Top, area.Right, area.Bottom};
        UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(TsSkinManager::ColorToRGB(color))));
        ::FillRect(static_cast<HDC>(dc), &r, brush.Get());
    }
    void CopyPicture(void* dc, const TRect& area, const TsBitmap24& picture, int x, int y) override {
        DrawBitmap24(static_cast<HDC>(dc), area, picture, x, y);
    }
    void Redraw(TWinControl& control, bool erase) override {
        if (HWND window = Window(control))
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                             (erase ? RDW_ERASE : RDW_NOERASE));
    }
    void LockRedraw(TWinControl& form, bool lock) override {
        if (HWND window = Window(form))
            SendMessageA(window, WM_SETREDRAW, lock ? FALSE : TRUE, 0);
    }
    void RemoveOldWindowRegion(TWinControl& form) override {
        if (HWND window = Window(form); window && WindowsBefore6())
            SetWindowRgn(window, nullptr, TRUE);
    }
    bool SendToParentWindow(TControl& control, unsigned message, TWParam wParam, TLParam lParam,
                            TMessageResult& result) override {
        TWinControl* windowed = control.AsWinControl();
        HWND window = windowed ? Window(*windowed) : nullptr;
        HWND parent = window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
        if (!parent)
            return false;
        result = SendMessageA(parent, message, wParam, lParam);
        return true;
    }
};

} // namespace

TsControlPainter& DefaultControlPainter() {
    static TWinControlPainter painter;
    return painter;
}
