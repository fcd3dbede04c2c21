#include "FormPlacement.h"

#include "WindowPlacement.h"
#include "base/win/Handles.h"

TFormPlacement PlaceForm(int clientWidth96, int clientHeight96, DWORD style, DWORD exStyle) {
    int systemPixelsPerInch = 96;
    {
        WindowDc screen(nullptr);
        systemPixelsPerInch = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const TScreenArea screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    TScreenArea work = screen;
    RECT area{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) && area.right > area.left &&
        area.bottom > area.top)
        work = {area.left, area.top, area.right, area.bottom};

    TFormPlacement p;
    p.PixelsPerInch = FittingPixelsPerInch(systemPixelsPerInch, clientWidth96, clientHeight96,
                                           frame.right - frame.left, frame.bottom - frame.top, work);
    p.Width = MulDiv(clientWidth96, p.PixelsPerInch, 96) + (frame.right - frame.left);
    p.Height = MulDiv(clientHeight96, p.PixelsPerInch, 96) + (frame.bottom - frame.top);
    const TWindowCorner corner = PlaceInWorkArea(p.Width, p.Height, screen, work);
    p.Left = corner.Left;
    p.Top = corner.Top;
    return p;
}
