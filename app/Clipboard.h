#pragma once
// Putting text on the clipboard.
#include <windows.h>

#include <string_view>

// Empties the clipboard and puts text there as CF_TEXT, ended by a NUL.
// Raises "Cannot open clipboard" when another window holds it open; the
// clipboard then keeps what it had.
void PutClipboardText(HWND owner, std::string_view text);
