#pragma once
// Plain panels in the dialog's colour: a bevel, and the notifications of
// their children passed on to the window that holds them.
#include <windows.h>

// The main window's panel: a single raised bevel. Registered once.
const char* PanelClassName();
// The About box's panel: lowered outside, raised inside. Registered once.
const char* DoubleBevelPanelClassName();
