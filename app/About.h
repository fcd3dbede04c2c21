#pragma once
// The About box: the program's name, its maker and a link to the maker's web
// page. One instance is made, hidden, at start-up and shown modally by the
// main window's About... button as often as the user asks.
#include "AboutControls.h"
#include "GlyphButton.h"
#include "Panel.h"
#include "base/win/Handles.h"
#include "controls/Controls.h"
#include "skin/sBitBtn.h"
#include "skin/sLabel.h"

#include <windows.h>

#include <memory>
#include <string>

// Results of ShowModal: mrNone, mrOk (IDOK) and mrCancel (IDCANCEL) of the skinned button.

class TAboutBox : public TCustomForm {
public:
    // The box becomes the program's AboutBox() until it is destroyed.
    TAboutBox();
    ~TAboutBox() override;
    std::string ClassName() const override { return "TAboutBox"; }

    // Makes the window and its controls, hidden, owned by owner (the main
    // window; it may be null).
    void CreateForm(HWND owner);
    HWND Handle() const { return static_cast<HWND>(TWinControl::Handle()); }

    // Shows the box and returns when it is closed: mrOk by OK or Enter,
    // mrCancel by its close box. Meanwhile the thread's other windows take
    // no input.
    int ShowModal();
    int ModalResult() const { return modalResult_; }

    // A control by its name ("Panel1", "sLabelFX1", "Label1", "sLabel1",
    // "Comments", "Image1", "sBitBtn1"); the window of a windowed one.
    TControl* ControlByName(const std::string& name);
    HWND Control(const std::string& name);
    TsLabelFX& sLabelFX1() { return *banner_; }
    TAboutLabel& Label1() { return notice_; }
    TsLabel& sLabel1() { return *tagline_; }
    TAboutLabel& Comments() { return comments_; }
    TAboutImage& Image1() { return image_; }

    void CommentsClick(TAboutControl* sender);
    void CommentsMouseMove(TAboutControl* sender);
    void CommentsMouseLeave(TAboutControl* sender);
    void Image1Click(TAboutControl* sender);
    void Image1MouseMove(TAboutControl* sender);
    void Image1MouseLeave(TAboutControl* sender);

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;

private:
    void CreateControls();
    // Hands the hint to the shell's "Open" verb; whatever happens, the box
    // stays as it is.
    void OpenLink(const std::string& target) const;
    int Scale(int pixels) const;
    HWND OkWindow() const { return static_cast<HWND>(okButton_->Handle()); }

    HWND owner_ = nullptr;
    int pixelsPerInch_ = 96;
    int modalResult_ = mrNone;
    UniqueFont font_;
    TPanel* panel_ = nullptr;      // owned by the box
    TsBitBtn* okButton_ = nullptr; // owned by the box
    TsLabelFX* banner_ = nullptr;  // owned by the box
    TsLabel* tagline_ = nullptr;   // owned by the box
    TAboutLabel notice_{"TLabel"};
    TAboutLabel comments_{"TLabel"};
    TAboutImage image_;
};

// The program's About box, or null before one is made.
TAboutBox* AboutBox();
