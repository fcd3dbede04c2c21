#pragma once
// The adapter of a system dialog (a window of class "#32770", message boxes
// among them): its frame and caption are drawn by a form-frame component of
// its own, and each child window takes the adapter of its window class.
#include "sAdapterWnd.h"

#include <memory>
#include <vector>

class TCustomForm;
class TsSkinProvider;

class TqzDialogWnd : public TqzScrollWnd {
public:
    TqzDialogWnd(HWND window, TsSkinManager& manager);
    ~TqzDialogWnd() override;
    void Initialise() override;
    void Restore() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The children that took an adapter.
    const std::vector<std::unique_ptr<TqzMainWnd>>& Children() const { return children_; }
    TsSkinProvider* Frame() const { return provider_.get(); }

private:
    void AdaptChildren();
    // Adapts the message boxes this dialog owns that have no adapter yet.
    void AdaptOwnedMessageBoxes();
    HBRUSH FaceBrush();

    std::unique_ptr<TCustomForm> form_;
    std::unique_ptr<TsSkinProvider> provider_;
    std::vector<std::unique_ptr<TqzMainWnd>> children_;
    std::vector<std::unique_ptr<TqzDialogWnd>> ownedBoxes_; // each removes itself when its box goes
    HBRUSH brush_ = nullptr;
    COLORREF brushColor_ = 0;
};

// Whether every child window of a dialog can take an adapter (and no tab
// control of exactly 470 x 349 pixels is among them).
bool DialogChildrenAdaptable(HWND dialog);
// A message box: a dialog of texts, an icon and push buttons only.
bool IsMessageBoxDialog(HWND dialog);

// The window hook attaches dialog adapters through these.
void InstallDialogAdapterFactory();
