// The baseline of the window start-up benchmark: a window with the main
// window's controls (panel, report list, status bar, five buttons) in their
// places, showing fixed rows, and nothing else: no components, no skin.
// With --floor it first makes the raw system calls of a full gathering
// (FloorCalls.h): the floor of the main window's start.
#ifdef _WIN32
#include "FloorCalls.h"
#include "base/win/Handles.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kRows = 22;

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* display = reinterpret_cast<NMLVDISPINFOA*>(lParam);
        if (display->hdr.code == LVN_GETDISPINFOA && (display->item.mask & LVIF_TEXT)) {
            std::snprintf(display->item.pszText, display->item.cchTextMax, "%s %d",
                          display->item.iSubItem == 0 ? "Caption" : "Value", display->item.iItem);
            return 0;
        }
    }
    if (message == WM_DESTROY && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

// The panel is of the window's own class, so the list's notifications reach
// the same procedure.
HWND Child(const char* className, const char* text, DWORD style, DWORD exStyle, RECT r, HWND parent,
           HFONT font) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right, r.bottom, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    return control;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--floor") == 0)
        floor_calls::Floor();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "KestovaBareWindow";
    RegisterClassA(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, 586, 418};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT | WS_EX_APPWINDOW);
    HWND window =
        CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_APPWINDOW, windowClass.lpszClassName, "Bare window",
                        style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    UniqueFont font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
    HWND panel = Child(windowClass.lpszClassName, "", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                       RECT{8, 8, 570, 360}, window, font.Get());
    HWND list = Child(WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA,
                      WS_EX_CLIENTEDGE, RECT{2, 2, 566, 334}, panel, font.Get());
    Child(STATUSCLASSNAMEA, "Data source: BARE", CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
          RECT{2, 336, 566, 22}, panel, font.Get());
    for (int i = 0; i < 5; ++i)
        Child("BUTTON", "Button", WS_TABSTOP | BS_PUSHBUTTON, 0, RECT{8 + i * 116, 378, 100, 30}, window,
              font.Get());
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 200;
    column.pszText = const_cast<char*>("Caption");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = 340;
    column.pszText = const_cast<char*>("Value");
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list, LVM_SETITEMCOUNT, kRows, 0);

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
#else
int main() {
    return 0;
}
#endif
