#pragma once
// A plain panel: the dialog's colour, a raised single bevel, and the
// notifications of its children passed on to the window that holds it.
#include <windows.h>

// Registers the panel window class once; returns its name.
const char* PanelClassName();
