#include "Application.h"

#include "ReportLook.h"

#include <windows.h>

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::ShowException(const std::string& message) {
    const std::string text = ErrorBoxText(message);
    if (sink_) {
        sink_(text, title_);
        return;
    }
    MessageBoxA(GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}
