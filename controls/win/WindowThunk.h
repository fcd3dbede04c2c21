#pragma once
// The one window procedure of every control's window: it finds the control
// by the window's property and hands it the message through Perform.
#include "controls/Controls.h"

#include <windows.h>

struct TWindowThunk {
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The control standing over a window, or null.
    static TWinControl* ControlOf(HWND window);
    static void Attach(HWND window, TWinControl* control);
};
