#pragma once
// What the skin asks of any window: its class, whether a skin component
// already draws it, and the font it writes with.
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

// The window's font (its WM_GETFONT answer, else the default GUI font) as skinned text takes it.
inline TsTextFont WindowFont(HWND window) {
    TsTextFont font;
    HFONT handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (!handle)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA log{};
    if (GetObjectA(handle, sizeof log, &log)) {
        font.Name = log.lfFaceName;
        font.Height = log.lfHeight;
        font.Bold = log.lfWeight >= FW_BOLD;
        font.Italic = log.lfItalic != 0;
    }
    return font;
}
