#pragma once
// The main window: the report list with its status bar, five command
// buttons, a popup menu, two file dialogs, and the three information
// components the report is made from.
#include "FileDialog.h"
#include "GlyphButton.h"
#include "ReportListView.h"
#include "Panel.h"
#include "skin/sBitBtn.h"
#include "skin/sStatusBar.h"
#include "base/win/Handles.h"
#include "controls/Controls.h"
#include "controls/Menus.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

class TVexor_Engines;
class TVexor_OperatingSystem;
class TVexor_Machine;
class TsSkinManager;
class TsSkinProvider;

class TForm1 : public TCustomForm {
public:
    TForm1();
    ~TForm1() override;
    std::string ClassName() const override { return "TForm1"; }

    // Makes the window and its controls, then runs FormCreate; an error in it
    // is shown and the window still opens. The window stays hidden until Show.
    void CreateForm();
    void Show();
    // The main window's keyboard shortcuts (F5, Ctrl+S, Ctrl+O, Ctrl+C) for a
    // message of the thread; true when the message became the shortcut's command.
    bool TranslateShortcut(MSG& message);
    HWND Handle() const { return static_cast<HWND>(TWinControl::Handle()); }

    void FormCreate();
    void GetAllData();
    void SaveToTextFile();
    void LoadFromTextFile();
    void CopyItem1Click();
    void ListView1CustomDrawItem(int index, COLORREF& background);
    void sBitBtn1Click();
    void sBitBtn2Click();
    void sBitBtn3Click();
    void sBitBtn4Click();
    void sBitBtn5Click();

    TReportListView& ListView1() { return *listView_; }
    const TReportListView& ListView1() const { return *listView_; }
    std::string StatusText() const;
    void SetStatusText(const std::string& text);
    // A child window by its control name ("Panel1", "sStatusBar1", "sBitBtn1", ...).
    HWND Control(const std::string& name) const;
    TFileDialog& Save1() { return save1_; }
    TFileDialog& Open1() { return open1_; }
    TPopupMenu* PopupMenu1() const { return popupMenu_; }
    TMenuItem* CopyItem1 = nullptr;

    // The information components, owned by the form.
    TVexor_Engines* Eg1 = nullptr;
    TVexor_OperatingSystem* OS1 = nullptr;
    TVexor_Machine* Machine1 = nullptr;
    // The skin manager, with the internal skin loaded.
    TsSkinManager* sSkinManager1 = nullptr;
    TsSkinProvider* sSkinProvider1 = nullptr;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;

private:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void CreateControls();
    void ShowPopupMenu(LPARAM position);
    int Scale(int pixels) const;

    int pixelsPerInch_ = 96;
    UniqueFont font_;
    UniqueAccelerators shortcuts_;
    // The controls, owned by the form.
    TPanel* panel_ = nullptr;
    TReportListView* listView_ = nullptr;
    TsStatusBar* statusBar_ = nullptr;
    std::array<TsBitBtn*, 5> buttons_{};
    TPopupMenu* popupMenu_ = nullptr;
    TFileDialog save1_;
    TFileDialog open1_;
};
