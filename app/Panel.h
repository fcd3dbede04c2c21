#pragma once
// Plain panels in the dialog's colour: a bevel, and the notifications of
// their children passed on to the window that holds them.
#include "controls/Controls.h"

#include <windows.h>

class TPanel : public TCustomPanel {
public:
    enum class TBevel {
        Raised, // the main window's panel: a single raised bevel
        Double, // the About box's panel: lowered outside, raised inside
    };
    TPanel(TComponent* owner, TBevel bevel)
        : TCustomPanel(owner, bevel == TBevel::Raised ? bvRaised : bvLowered,
                       bevel == TBevel::Raised ? bvNone : bvRaised) {}
    std::string ClassName() const override { return "TPanel"; }
    HWND Handle() const { return static_cast<HWND>(TWinControl::Handle()); }
    // Makes the panel's window in its parent's.
    bool CreateWnd();

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;
    void PaintWindow(void* dc) override;
};
