#pragma once
// The default manager's window hook: it gives forms without a skin
// component of their own a form-frame component when they are activated,
// attaches dialog adapters to system dialogs and menu adapters to pop-up
// menus, and releases the adapters when their windows go.
#include "skin/sMessages.h"
#include "base/Component.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Something attached by the hook to a window that is not a control of ours.
class TsWindowAdapter {
public:
    virtual ~TsWindowAdapter() = default;
};

// Where the parts that attach themselves come from. The form-frame
// component, the dialog adapter and the menu adapter are made by their own
// units; until one is installed here, the hook records its decision and
// attaches nothing.
struct TsHookFactories {
    // A run-time form-frame component owned by the form, menu skinning off.
    std::function<TComponent*(TCustomForm& form, TsSkinManager& manager)> MakeFormFrame;
    // An adapter for a system dialog drawn from section (it is then sent command 1).
    std::function<std::unique_ptr<TsWindowAdapter>(HWND window, TsSkinManager& manager,
                                                   const std::string& section)>
        MakeDialogAdapter;
    // An adapter for a pop-up menu window drawn from section.
    std::function<std::unique_ptr<TsWindowAdapter>(HWND window, TsSkinManager& manager,
                                                   const std::string& section)>
        MakeMenuAdapter;
    // Whether every child window of a dialog can be adapted.
    std::function<bool(HWND dialog)> ChildrenAdaptable;
};
TsHookFactories& HookFactories();

// What the hook did, newest last (for whoever wants to see it: tests, tracing),
// for the windows that still exist: a window's records go with it.
struct TsHookAttachment {
    HWND Window = nullptr;
    std::string WindowClass;
    TsHookDecision Decision = TsHookDecision::Ignore; // FormFrame or DialogAdapter
    bool Menu = false;                                // a menu adapter
    bool Made = false;                                // a factory made the part
};
const std::vector<TsHookAttachment>& HookAttachments();
void ClearHookAttachments();
// Windows with an adapter of the hook at the moment.
size_t HookAdapterCount();
