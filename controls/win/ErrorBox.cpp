// The application's standard error box on Windows.
#include "controls/Application.h"

#include <windows.h>

void ShowErrorBox(const std::string& text, const std::string& caption) {
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}
