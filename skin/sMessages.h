#pragma once
// The skin command message: one private window message through which the
// manager and the skinned controls talk. The command number travels in the
// high word of wParam, a small argument in the low word.
#include "sBitmap.h"
#include "sSkinData.h"
#include "controls/Controls.h"

#include <cstdint>
#include <string>

inline constexpr unsigned SM_SKINCOMMAND = 0xA100;

enum TsSkinCommand : unsigned {
    scNewSkin = 1,          // lParam: manager
    scRemoveSkin = 2,       // lParam: manager
    scRefresh = 3,          // lParam: manager
    scGetFrame = 4,         // answer: the form-frame component, or 0
    scIsSkinned = 7,        // answer 1: skinned by a skin component
    scSuspendPaint = 8,     // low word 1: suspend, else resume
    scIsStale = 10,         // answer: cache stale or painting suspended
    scIsPartlyOutside = 11, // answer: partly outside the parent
    scTransparencyChange = 12,
    scStopAnimations = 16, // before a refresh
    scMarkStale = 17,
    scBackgroundChanged = 20, // low word 1: redraw too
    scGetChildColor = 21,     // answer: the colour children take as background
    scSetPartlyOutside = 22,
    scControlLoaded = 25,   // to a form; lParam: the control
    scGetSectionIndex = 26, // answer: section index + 1, 0 when not skinned
    scBeginUpdate = 31,
    scEndUpdate = 32,
    scGetBackground = 34,  // lParam: TsBackgroundRecord*
    scBackFlags = 36,      // lParam 1: recompute; else answer
    scGetApplication = 60, // answer: the application object
};

constexpr TWParam SkinCommand(unsigned command, unsigned argument = 0) {
    return static_cast<TWParam>((command & 0xFFFF) << 16 | (argument & 0xFFFF));
}
constexpr unsigned CommandOf(TWParam wParam) {
    return static_cast<unsigned>(wParam >> 16) & 0xFFFF;
}
constexpr unsigned ArgumentOf(TWParam wParam) {
    return static_cast<unsigned>(wParam) & 0xFFFF;
}

enum TsBackgroundKind : uint8_t { bkUnknown = 0, bkColor = 1, bkPicture = 2 };

// What a control learns from its parent about the background it blends
// with (command 34).
struct TsBackgroundRecord {
    const TsBitmap24* Picture = nullptr; // the parent's cached picture
    TColor FillColor = 0;                // the parent's colour when it has no picture
    TPoint Origin;                       // the asking control's origin inside Picture
    TRect Area;                          // the area to paint when DrawNow
    uint8_t Kind = bkUnknown;
    bool DrawNow = false; // the answerer paints Area into TargetDC itself
    void* TargetDC = nullptr;
};

// Sends a skin command to a control: by window message when it has a
// window, else directly.
TMessageResult SendSkinCommand(TControl& control, unsigned command, unsigned argument = 0,
                               TLParam lParam = 0);

// Delivers a message to the children of a window control, as the skin is
// announced: a control without a window gets it directly; a windowed control
// that answers command 7 gets it by window message and passes it on itself;
// any other windowed control is skipped and its own children are visited.
// Stops at a child that is being destroyed.
void DeliverToChildren(TWinControl& parent, unsigned message, TWParam wParam, TLParam lParam);

// The background of parent for a child: command 34, and when the parent does
// not answer it, its colour (command 21, else its own colour).
void GetParentBackground(TWinControl& parent, TsBackgroundRecord& record);

struct TsBackgroundDescriptor;
// The record as the painting code keeps it: a picture with the control's
// place in it, a fill colour, or nothing (no picture, X = -99).
TsBackgroundDescriptor DescriptorOf(const TsBackgroundRecord& record);

class TsSkinManager;

// A form-frame component, as command 4 hands it out: the manager it draws
// with, and the rebuilding of its frame after a skin change.
class TsFormFrame {
public:
    virtual ~TsFormFrame() = default;
    virtual TsSkinManager* FrameManager() const = 0;
    virtual void RebuildFrame() = 0;
};
// The form-frame component of a form (its answer to command 4), or null.
TsFormFrame* FormFrameOf(TWinControl& form);

// The window hook of the default manager (Windows); null where there is none.
class TsWindowHook {
public:
    virtual ~TsWindowHook() = default;
    virtual bool Installed() const = 0;
    virtual void Install(TsSkinManager& manager) = 0;
    virtual void Remove() = 0;
};
TsWindowHook* SkinWindowHook();

// A skin message to every form of the application and its children: first
// the forms (last to first) that are no MDI children, not being destroyed or
// read and not skinned by a component of their own (command 7), then every
// form that has a form-frame component.
void DeliverToForms(unsigned message, TWParam wParam, TLParam lParam);

// The manager's skin reaching the windows. AnnounceSkin runs between the
// manager's "loaded" flag being cleared and its setting (LoadedStep);
// RemoveSkinFromForms before the manager frees its tables.
void AnnounceSkin(TsSkinManager& manager, bool repaint);
void RemoveSkinFromForms(TsSkinManager& manager);
void RefreshSkinOfForms(TsSkinManager& manager);

// What the window hook does with a window being activated.
enum class TsHookDecision { Ignore, FormFrame, DialogAdapter };
struct TsActivatedWindow {
    std::string WindowClass;      // the window's class name
    bool ApplicationForm = false; // a form of the application (MDI children too)
    std::string FormClass;        // the form's class name
    int FormTag = 0;
    bool OtherAdaptedDialogsVisible = false;
    bool HasToolbarChild = false;  // a child window of class "toolbarwindow32"
    bool ChildrenAdaptable = true; // every child window can take an adapter
};
TsHookDecision DecideActivation(const TsActivatedWindow& window, unsigned skinningRules);

// A control whose tab order is -98 never gets an adapter.
bool MayAdapt(const TControl& control);
