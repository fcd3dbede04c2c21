#include "Panel.h"

namespace {

template <UINT Edge> LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_CONTEXTMENU:
    case WM_DRAWITEM:
        return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT rect;
        GetClientRect(window, &rect);
        FillRect(reinterpret_cast<HDC>(wParam), &rect, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT rect;
        GetClientRect(window, &rect);
        DrawEdge(dc, &rect, Edge, BF_RECT);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

const char* RegisterPanelClass(const char* name, WNDPROC windowProc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return name;
}

} // namespace

const char* PanelClassName() {
    static const char* const name = RegisterPanelClass("TPanel", PanelProc<BDR_RAISEDINNER>);
    return name;
}

const char* DoubleBevelPanelClassName() {
    static const char* const name =
        RegisterPanelClass("TBevelPanel", PanelProc<BDR_SUNKENOUTER | BDR_RAISEDINNER>);
    return name;
}
