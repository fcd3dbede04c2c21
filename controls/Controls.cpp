#include "Controls.h"
#include "Application.h"

#include <algorithm>

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    destroying_ = true;
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent_) {
        if (parent_->mouseControl_ == this)
            parent_->mouseControl_ = nullptr;
        if (parent_->captureControl_ == this)
            parent_->captureControl_ = nullptr;
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    parent_ = parent;
    if (parent_)
        parent_->controls_.push_back(this);
}

TCustomForm* TControl::ParentForm() {
    TControl* control = this;
    while (control->Parent())
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

void TControl::SetBounds(const TBounds& bounds) {
    if (bounds == bounds_)
        return;
    if (!AsWinControl())
        Invalidate(); // the old place
    bounds_ = bounds;
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (!AsWinControl() && parent_)
        parent_->InvalidateArea(bounds_);
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Invalidate();
}

void TControl::SetFont(const TFont& font) {
    if (font == font_)
        return;
    font_ = font;
    Invalidate();
}

void TControl::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Invalidate();
}

void TControl::Invalidate() {
    if (parent_ && !AsWinControl())
        parent_->InvalidateArea(bounds_);
}

TMessageResult TControl::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    return DefaultHandler(message, wParam, lParam);
}

TWinControl::~TWinControl() {
    MarkDestroying();
    DestroyHandle();
    // Children still here are no longer this control's.
    for (TControl* child : std::vector<TControl*>(controls_))
        child->SetParent(nullptr);
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    Application().AddForm(this);
}

TCustomForm::~TCustomForm() {
    MarkDestroying();
    Application().RemoveForm(this);
}

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::AddForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TApplication::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

int TApplication::HookMainWindow(TMainWindowHook hook) {
    hooks_.push_back({++lastHook_, std::move(hook)});
    return lastHook_;
}

void TApplication::UnhookMainWindow(int number) {
    std::erase_if(hooks_, [number](const THook& h) { return h.Number == number; });
}

bool TApplication::MainWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result) {
    // A hook may remove hooks while it runs: walk a copy.
    const std::vector<THook> hooks = hooks_;
    for (auto h = hooks.rbegin(); h != hooks.rend(); ++h)
        if (h->Hook && h->Hook(message, wParam, lParam, result))
            return true;
    return false;
}

std::string TApplication::ExceptionText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

void TApplication::ShowException(const std::string& message) {
    const std::string text = ExceptionText(message);
    if (sink_) {
        sink_(text, title_);
        return;
    }
    ShowErrorBox(text, title_);
}
