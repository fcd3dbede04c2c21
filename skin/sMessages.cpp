// Skin messages between controls, and the skin's way to every form.
#include "sMessages.h"
#include "sCommonData.h"
#include "sGraphUtils.h"
#include "sSkinManager.h"
#include "base/Text.h"
#include "controls/Application.h"

#include <vector>

TMessageResult SendSkinCommand(TControl& control, unsigned command, unsigned argument, TLParam lParam) {
    if (TWinControl* windowed = control.AsWinControl())
        return windowed->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(command, argument), lParam);
    return control.Perform(SM_SKINCOMMAND, SkinCommand(command, argument), lParam);
}

void DeliverToChildren(TWinControl& parent, unsigned message, TWParam wParam, TLParam lParam) {
    for (size_t i = 0; i < parent.ControlCount(); ++i) {
        TControl* child = parent.Controls(i);
        if (child->Destroying())
            break;
        TWinControl* windowed = child->AsWinControl();
        if (!windowed) {
            child->Perform(message, wParam, lParam);
        } else if (windowed->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0) == 1) {
            windowed->SendWindowMessage(message, wParam, lParam);
        } else {
            DeliverToChildren(*windowed, message, wParam, lParam);
        }
    }
}

void GetParentBackground(TWinControl& parent, TsBackgroundRecord& record) {
    record.Kind = bkUnknown;
    parent.SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scGetBackground),
                             reinterpret_cast<TLParam>(&record));
    if (record.Kind != bkUnknown)
        return;
    // Not skinned: its colour for children, else its own colour.
    TColor color =
        static_cast<TColor>(parent.SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scGetChildColor), 0));
    if (color == 0)
        color = TsSkinManager::ColorToRGB(parent.Color());
    record.Kind = bkColor;
    record.FillColor = color;
    if (record.DrawNow && record.TargetDC)
        ControlPainter().FillRect(record.TargetDC, record.Area, color);
}

TsBackgroundDescriptor DescriptorOf(const TsBackgroundRecord& record) {
    if (record.Kind == bkPicture && record.Picture)
        return TsBackgroundDescriptor::OfPicture(*record.Picture, record.Origin.X, record.Origin.Y);
    if (record.Kind == bkColor)
        return TsBackgroundDescriptor::OfColor(record.FillColor);
    return TsBackgroundDescriptor{};
}

TsFormFrame* FormFrameOf(TWinControl& form) {
    const TMessageResult answer = form.SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scGetFrame), 0);
    return dynamic_cast<TsFormFrame*>(reinterpret_cast<TComponent*>(answer));
}

namespace {

std::vector<TCustomForm*> FormsNow() {
    std::vector<TCustomForm*> forms;
    for (size_t i = 0; i < Application().FormCount(); ++i)
        forms.push_back(Application().Forms(i));
    return forms;
}

bool StillAForm(TCustomForm* form) {
    for (size_t i = 0; i < Application().FormCount(); ++i)
        if (Application().Forms(i) == form)
            return true;
    return false;
}

// The visible forms framed by a component of this manager, their redraw
// locked while the skin changes.
std::vector<TCustomForm*> LockRedraw(TsSkinManager& manager) {
    std::vector<TCustomForm*> locked;
    for (TCustomForm* form : FormsNow()) {
        if (!form->Visible() || !form->HandleAllocated())
            continue;
        TsFormFrame* frame = FormFrameOf(*form);
        TsSkinManager* frameManager = frame ? frame->FrameManager() : nullptr;
        if (frame && (frameManager ? frameManager : DefaultManager()) == &manager) {
            ControlPainter().LockRedraw(*form, true);
            locked.push_back(form);
        }
    }
    return locked;
}

void Repaint(TsSkinManager& manager, const std::vector<TCustomForm*>& locked) {
    DeliverToForms(SM_SKINCOMMAND, SkinCommand(scStopAnimations), 0);
    DeliverToForms(SM_SKINCOMMAND, SkinCommand(scRefresh), reinterpret_cast<TLParam>(&manager));
    for (TCustomForm* form : locked)
        if (StillAForm(form))
            ControlPainter().LockRedraw(*form, false);
    for (TCustomForm* form : FormsNow()) {
        if (!form->HandleAllocated())
            continue;
        ControlPainter().RemoveOldWindowRegion(*form);
        if (TsFormFrame* frame = FormFrameOf(*form))
            frame->RebuildFrame();
        ControlPainter().Redraw(*form, true);
    }
}

} // namespace

void DeliverToForms(unsigned message, TWParam wParam, TLParam lParam) {
    const std::vector<TCustomForm*> forms = FormsNow();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TCustomForm* form = *it;
        if (!StillAForm(form) || form->IsMDIChild() || form->Destroying() || form->Loading())
            continue;
        if (form->SendWindowMessage(SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0) == 1)
            continue;
        form->SendWindowMessage(message, wParam, lParam);
        DeliverToChildren(*form, message, wParam, lParam);
    }
    for (TCustomForm* form : forms) {
        if (!StillAForm(form) || form->Destroying() || !FormFrameOf(*form))
            continue;
        form->SendWindowMessage(message, wParam, lParam);
        DeliverToChildren(*form, message, wParam, lParam);
    }
}

void AnnounceSkin(TsSkinManager& manager, bool repaint) {
    if (manager.Loading())
        return; // the form is being read: its controls take the skin when it is loaded
    std::vector<TCustomForm*> locked;
    if (repaint)
        locked = LockRedraw(manager);
    DeliverToForms(SM_SKINCOMMAND, SkinCommand(scNewSkin), reinterpret_cast<TLParam>(&manager));
    manager.SkinData.Active = manager.Active() && !manager.gd.empty();
    if (manager.IsDefault())
        if (TsWindowHook* hook = SkinWindowHook(); hook && !hook->Installed())
            hook->Install(manager);
    if (repaint)
        Repaint(manager, locked);
}

void RemoveSkinFromForms(TsSkinManager& manager) {
    if (manager.IsDefault())
        if (TsWindowHook* hook = SkinWindowHook(); hook && hook->Installed())
            hook->Remove();
    manager.SkinData.Active = false;
    DeliverToForms(SM_SKINCOMMAND, SkinCommand(scRemoveSkin), reinterpret_cast<TLParam>(&manager));
}

void RefreshSkinOfForms(TsSkinManager& manager) {
    const std::vector<TCustomForm*> locked = LockRedraw(manager);
    Repaint(manager, locked);
}

#ifndef _WIN32
TsWindowHook* SkinWindowHook() {
    return nullptr;
}
#endif

TsHookDecision DecideActivation(const TsActivatedWindow& window, unsigned skinningRules) {
    if (window.WindowClass == "TApplication" || window.WindowClass == "TQRStandardPreview")
        return TsHookDecision::Ignore;
    if (window.ApplicationForm) {
        if (window.FormClass == "TMessageForm")
            return skinningRules & srStdDialogs ? TsHookDecision::FormFrame : TsHookDecision::Ignore;
        return (skinningRules & srStdForms) && window.FormTag != -98 ? TsHookDecision::FormFrame
                                                                     : TsHookDecision::Ignore;
    }
    if (!(skinningRules & srStdDialogs))
        return TsHookDecision::Ignore;
    if (window.OtherAdaptedDialogsVisible && !window.HasToolbarChild)
        return TsHookDecision::Ignore;
    if ((SameText(window.WindowClass, "#32770") || window.WindowClass == "TMessageForm") &&
        window.ChildrenAdaptable)
        return TsHookDecision::DialogAdapter;
    return TsHookDecision::Ignore;
}

bool MayAdapt(const TControl& control) {
    const TWinControl* windowed = const_cast<TControl&>(control).AsWinControl();
    return !windowed || windowed->TabOrder() != -98;
}
