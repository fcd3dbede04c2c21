// Windowed controls where there are no windows (portable builds and their
// tests): messages go to the control directly.
#include "Controls.h"
#include "Application.h"

#include <cstdio>

bool TWinControl::CreateHandle(const TCreateParams&) {
    return false;
}
void TWinControl::AttachHandle(void* window) {
    handle_ = window;
}
void TWinControl::Detach() {
    handle_ = nullptr;
}
void TWinControl::ReleaseHandle() {
    Detach();
}
void TWinControl::DestroyHandle() {
    Detach();
}
TMessageResult TWinControl::SendWindowMessage(unsigned message, TWParam wParam, TLParam lParam) {
    return Perform(message, wParam, lParam);
}
bool TWinControl::Focused() const {
    return false;
}
void TWinControl::SetBounds(const TBounds& bounds) {
    TControl::SetBounds(bounds);
}
void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
}
void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
}
void TWinControl::Invalidate() {}
void TWinControl::InvalidateArea(const TBounds&) {}
TMessageResult TWinControl::DefaultHandler(unsigned, TWParam, TLParam) {
    return 0;
}
void TWinControl::EraseBackground(void*) {}
void TWinControl::PaintControls(void*) {}
TControl* TWinControl::GraphicControlAt(int, int) const {
    return nullptr;
}
bool TWinControl::HandleMouse(unsigned, TWParam, TLParam, TMessageResult&) {
    return false;
}
TMessageResult TWinControl::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    return TControl::WndProc(message, wParam, lParam);
}
void TCustomForm::ControlFocused(void* window) {
    focusedWindow_ = window;
}
TMessageResult TCustomForm::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    return TWinControl::WndProc(message, wParam, lParam);
}

void ShowErrorBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}
