#pragma once
// What the skin asks of any window and of the system: a window's class,
// whether a skin component already draws it, the font it writes with, and
// whether the system is older than Windows 6 (whose windows draw their own
// frames differently).
#include "skin/sGraphUtils.h"
#include "skin/sMessages.h"

#include <windows.h>

#include <string>

inline std::string WindowClassOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

// The window answers command 7: a skin component draws it.
inline bool AnswersSkinned(HWND window) {
    return window && SendMessageA(window, SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0) == 1;
}

// A system font as skinned text takes it.
inline TsTextFont TextFontOf(const LOGFONTA& log) {
    TsTextFont font;
    font.Name = log.lfFaceName;
    font.Height = log.lfHeight;
    font.Bold = log.lfWeight >= FW_BOLD;
    font.Italic = log.lfItalic != 0;
    font.Underline = log.lfUnderline != 0;
    return font;
}

// The window's font (its WM_GETFONT answer, else the default GUI font) as skinned text takes it.
inline TsTextFont WindowFont(HWND window) {
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!handle)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA log{};
    return GetObjectA(handle, sizeof log, &log) ? TextFontOf(log) : TsTextFont{};
}

inline bool WindowsBefore6() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwMajorVersion < 6;
}

// The window reaches beyond its parent's client area (also when the parent
// scrolls it partly out of sight); a top-level window never does.
inline bool LiesPartlyOutsideParent(HWND window) {
    HWND parent = window ? GetParent(window) : nullptr;
    if (!parent || !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        return false;
    RECT client{}, own{};
    GetClientRect(parent, &client);
    GetWindowRect(window, &own);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&own), 2);
    return own.left < client.left || own.top < client.top || own.right > client.right ||
           own.bottom > client.bottom;
}
