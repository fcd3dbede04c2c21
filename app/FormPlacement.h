#pragma once
// A form's size and place on this screen: its pixels per inch (the system's,
// or fewer where the window would not fit the work area) and its window
// rectangle, centred on the screen and inside the work area.
#include <windows.h>

struct TFormPlacement {
    int PixelsPerInch = 96;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// For a form whose client area is clientWidth96 x clientHeight96 at 96
// pixels per inch, with the given window styles.
TFormPlacement PlaceForm(int clientWidth96, int clientHeight96, DWORD style, DWORD exStyle);
