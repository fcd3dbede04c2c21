#pragma once
// Keys a form's message loop hands the skinned buttons before the dialog
// manager sees them: Enter clicks the focused or the default button, Escape
// the cancel button.
#include <windows.h>

// True when a skinned button took the key (the message is then done).
bool HandleButtonKeys(const MSG& message);
