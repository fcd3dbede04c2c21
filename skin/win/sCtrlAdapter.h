#pragma once
// The control adapter of a form-frame component: it finds the standard
// controls of the form that the skin's class-name lists name and gives each
// an adapter item, whose adapter window object draws the control from the
// skin until the skin goes or the control's window does.
#include "skin/sCommonData.h"

#include <memory>
#include <string>
#include <vector>

class TsSkinProvider;
class TsSkinManager;
class TqzMainWnd;

class TqzAdapterItem {
public:
    explicit TqzAdapterItem(TControl& control);
    ~TqzAdapterItem();
    TqzAdapterItem(const TqzAdapterItem&) = delete;
    TqzAdapterItem& operator=(const TqzAdapterItem&) = delete;

    TControl& Control() const { return control_; }
    TsCommonData SkinData;
    TqzMainWnd* Adapter() const { return adapter_.get(); }
    // Gives the control the adapter its class name asks for (by the first
    // list that names it); false when it takes none.
    bool Attach(TsSkinManager& manager);
    // The adapter is gone or was taken off its window.
    bool Stale() const;

private:
    TControl& control_;
    std::unique_ptr<TqzMainWnd> adapter_;
};

class TqzCtrlAdapter {
public:
    explicit TqzCtrlAdapter(TsSkinProvider& provider);
    ~TqzCtrlAdapter();

    TsSkinProvider& Provider() const { return provider_; }
    std::vector<std::unique_ptr<TqzAdapterItem>> Items;

    // Every eligible control of start (by default the form), recursively.
    void AddAllItems(TWinControl* start = nullptr);
    // One control with the section (the form's OnSkinItem may refuse or change it).
    void AddNewItem(TControl& control, const std::string& section);
    void RemoveStaleItems();
    void RemoveAllItems();
    // The message to every adapted window.
    void WndProc(unsigned message, TWParam wParam, TLParam lParam);
    TqzAdapterItem* ItemOf(const TControl& control) const;

private:
    bool Eligible(TControl& control) const;
    void Walk(TWinControl& start, std::vector<TControl*>& seen);
    TsSkinManager* Manager() const;

    TsSkinProvider& provider_;
    bool adding_ = false;
};
