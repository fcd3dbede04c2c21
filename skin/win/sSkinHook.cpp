#include "sSkinHook.h"
#include "skin/sSkinManager.h"
#include "controls/win/WindowThunk.h"
#include "skin/win/sWindowQueries.h"

#include <algorithm>

namespace {

class TCbtHook final : public TsWindowHook {
public:
    bool Installed() const override { return hook_ != nullptr; }
    void Install(TsSkinManager& manager) override {
        manager_ = &manager;
        if (!hook_)
            hook_ = SetWindowsHookExA(WH_CBT, &TCbtHook::Proc, nullptr, GetCurrentThreadId());
    }
    void Remove() override {
        if (hook_)
            UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        manager_ = nullptr;
        adapters_.clear();
        retired_.clear();
        attachments.clear();
    }

    std::vector<TsHookAttachment> attachments;
    size_t AdapterCount() const { return adapters_.size(); }

private:
    struct Adapted {
        HWND window;
        std::unique_ptr<TsWindowAdapter> adapter;
        bool dialog;
    };

    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    void Created(HWND window);
    void Activated(HWND window);
    void Destroyed(HWND window);
    bool HasAdapter(HWND window) const {
        return std::any_of(adapters_.begin(), adapters_.end(),
                           [window](const Adapted& a) { return a.window == window; });
    }
    bool OtherAdaptedDialogsVisible(HWND window) const {
        return std::any_of(adapters_.begin(), adapters_.end(), [window](const Adapted& a) {
            return a.dialog && a.window != window && IsWindowVisible(a.window);
        });
    }

    // Adapters of destroyed windows are freed at the next event of the hook:
    // the window's own procedure (and theirs) may still be running.
    void FreeRetired() { retired_.clear(); }

    HHOOK hook_ = nullptr;
    TsSkinManager* manager_ = nullptr;
    std::vector<Adapted> adapters_;
    std::vector<std::unique_ptr<TsWindowAdapter>> retired_;
    std::vector<HWND> decided_; // forms already given (or refused) a frame
};

TCbtHook& Hook() {
    static TCbtHook hook;
    return hook;
}

LRESULT CALLBACK TCbtHook::Proc(int code, WPARAM wParam, LPARAM lParam) {
    TCbtHook& hook = Hook();
    const LRESULT next = CallNextHookEx(hook.hook_, code, wParam, lParam);
    if (!hook.manager_)
        return next;
    HWND window = reinterpret_cast<HWND>(wParam);
    // What the hook holds for a window goes with the window, whether or not
    // a skin is active at that moment.
    switch (code) {
    case HCBT_CREATEWND:
    case HCBT_ACTIVATE:
        hook.FreeRetired();
        break;
    case HCBT_DESTROYWND:
        hook.Destroyed(window);
        return next;
    default:
        return next;
    }
    if (!hook.manager_->Active())
        return next;
    if (code == HCBT_CREATEWND)
        hook.Created(window);
    else
        hook.Activated(window);
    return next;
}

void TCbtHook::Created(HWND window) {
    if (WindowClassOf(window) != "#32768" || HasAdapter(window) || AnswersSkinned(window))
        return;
    TsHookAttachment record{window, "#32768", TsHookDecision::Ignore, true, false};
    if (HookFactories().MakeMenuAdapter)
        if (auto adapter = HookFactories().MakeMenuAdapter(window, *manager_, "MAINMENU")) {
            adapters_.push_back({window, std::move(adapter), false});
            record.Made = true;
        }
    attachments.push_back(record);
}

void TCbtHook::Activated(HWND window) {
    if (HasAdapter(window) || std::find(decided_.begin(), decided_.end(), window) != decided_.end() ||
        AnswersSkinned(window))
        return;
    TsActivatedWindow seen;
    seen.WindowClass = WindowClassOf(window);
    TCustomForm* form = dynamic_cast<TCustomForm*>(TWindowThunk::ControlOf(window));
    if (form) {
        seen.ApplicationForm = true;
        seen.FormClass = form->ClassName();
        seen.FormTag = form->Tag();
    } else {
        seen.OtherAdaptedDialogsVisible = OtherAdaptedDialogsVisible(window);
        seen.HasToolbarChild = FindWindowExA(window, nullptr, "toolbarwindow32", nullptr) != nullptr;
        seen.ChildrenAdaptable =
            !HookFactories().ChildrenAdaptable || HookFactories().ChildrenAdaptable(window);
    }
    const TsHookDecision decision = DecideActivation(seen, manager_->SkinningRules);
    if (decision == TsHookDecision::Ignore)
        return;
    TsHookAttachment record{window, seen.WindowClass, decision, false, false};
    if (decision == TsHookDecision::FormFrame) {
        decided_.push_back(window);
        if (HookFactories().MakeFormFrame)
            record.Made = HookFactories().MakeFormFrame(*form, *manager_) != nullptr;
    } else if (HookFactories().MakeDialogAdapter) {
        if (auto adapter = HookFactories().MakeDialogAdapter(window, *manager_, "DIALOG")) {
            adapters_.push_back({window, std::move(adapter), true});
            record.Made = true;
            SendMessageA(window, SM_SKINCOMMAND, SkinCommand(scNewSkin), reinterpret_cast<LPARAM>(manager_));
        }
    } else {
        // No dialog adapter yet: the dialog's activations are decided once.
        decided_.push_back(window);
    }
    attachments.push_back(record);
}

void TCbtHook::Destroyed(HWND window) {
    for (Adapted& a : adapters_)
        if (a.window == window || !IsWindow(a.window))
            retired_.push_back(std::move(a.adapter));
    std::erase_if(adapters_, [](const Adapted& a) { return !a.adapter; });
    std::erase_if(decided_, [window](HWND w) { return w == window || !IsWindow(w); });
    std::erase_if(attachments,
                  [window](const TsHookAttachment& a) { return a.Window == window || !IsWindow(a.Window); });
}

} // namespace

TsWindowHook* SkinWindowHook() {
    return &Hook();
}

TsHookFactories& HookFactories() {
    static TsHookFactories factories;
    return factories;
}

const std::vector<TsHookAttachment>& HookAttachments() {
    return Hook().attachments;
}

void ClearHookAttachments() {
    Hook().attachments.clear();
}

size_t HookAdapterCount() {
    return Hook().AdapterCount();
}
