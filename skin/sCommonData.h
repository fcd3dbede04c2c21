#pragma once
// The skin state every skinned control carries: the section it is drawn
// from, that section's indexes in the manager's tables, the cached picture
// of the control and the flags that say when it must be rebuilt. The state
// answers the skin commands for any control that passes them on to it.
#include "sBitmap.h"
#include "sMessages.h"
#include "sSkinData.h"
#include "controls/Controls.h"

#include <functional>
#include <memory>
#include <string>

class TsSkinManager;
struct TsItemSkin;

// What the skin state asks of the window system: painting on a device
// context, redrawing a window, and messages to the window that holds a
// window control without a parent control. Portable builds paint nothing.
class TsControlPainter {
public:
    virtual ~TsControlPainter() = default;
    virtual void FillRect(void* dc, const TRect& area, TColor color) = 0;
    // Copies picture's pixels from (x, y) onto area of dc.
    virtual void CopyPicture(void* dc, const TRect& area, const TsBitmap24& picture, int x, int y) = 0;
    // Repaints the window and its children (erasing or not).
    virtual void Redraw(TWinControl& control, bool erase) = 0;
    // Locks (WM_SETREDRAW off) or unlocks a form's redrawing.
    virtual void LockRedraw(TWinControl& form, bool lock) = 0;
    // On Windows before version 6 the form's window region is taken away.
    virtual void RemoveOldWindowRegion(TWinControl& form) = 0;
    // The answer of the parent window of control's window; false when there is none.
    virtual bool SendToParentWindow(TControl& control, unsigned message, TWParam wParam, TLParam lParam,
                                    TMessageResult& result) = 0;
};
TsControlPainter& ControlPainter();
// Installs a painter (nullptr restores the build's own); returns the previous one.
TsControlPainter* SetControlPainter(TsControlPainter* painter);

class TsCommonData {
public:
    // owner: the control or component the state belongs to. withCache: the
    // state keeps a cached picture (an empty 24-bit picture until sized).
    TsCommonData(TComponent* owner, bool withCache);
    ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    // Published.
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(const std::string& value);
    // The manager named for the control; null means the default manager.
    TsSkinManager* SkinManager() const { return skinManager_; }
    void SetSkinManager(TsSkinManager* value);
    bool CustomColor() const { return customColor_; }
    void SetCustomColor(bool value);
    bool CustomFont() const { return customFont_; }
    void SetCustomFont(bool value);

    // The manager in use: the named one, else the default manager.
    TsSkinManager* Manager() const;
    TControl* OwnerControl() const { return ownerControl_; }
    TComponent* OwnerObject() const { return ownerObject_; }

    int SectionIndex = -1;
    int FrameMaskIndex = -1;
    int TextureMask = -1;
    int HotTextureMask = -1;
    std::unique_ptr<TsBitmap24> Cache;
    bool CacheStale = true;
    bool PaintSuspended = false;
    bool PartlyOutside = true;
    bool MouseOver = false;
    bool HasFocus = false;
    int KindCode = 0;
    int BackFlags = 0;
    int FillFlags = 0;

    // A form-frame component's state: the form it draws, whose colour it
    // takes and to which begin and end of update go; OnFrameRebuild marks
    // the frame for rebuilding when the section changes.
    TWinControl* FrameForm = nullptr;
    std::function<void()> OnFrameRebuild;

    // What the owning control and the painting code report: a move or size
    // change (stale only when it changes the background), a change of
    // visibility, a rebuilt cache, a finished paint.
    void BoundsChanged(bool backgroundAffected);
    void VisibilityChanged();
    void CacheRebuilt() { CacheStale = false; }
    void PaintDone() { PaintSuspended = false; }

    void UpdateIndexes();
    // An empty section at load takes the default of KindCode.
    void SetDefaultSection();
    static std::string DefaultSectionOf(int kindCode, const std::string& className);
    void BeginUpdate();
    void EndUpdate();
    // The cache: made when absent, 24 bits per pixel, sized to the owner control.
    TsBitmap24& EnsureCache();
    void Invalidate();

    // A manager, a section inside its table, the manager active, neither
    // the owner nor the manager being destroyed (and, when asked, the skin
    // finished loading).
    bool Skinned(bool requireLoaded = false) const;
    bool Hot() const;
    // The mouse leaving: MouseOver is cleared for the kinds that light up.
    void MouseLeft();
    static bool LightsUpUnderMouse(int kindCode);

    // The answer to a skin command (message SM_SKINCOMMAND); handled is false
    // for commands the state does not answer.
    TMessageResult HandleCommand(TWParam wParam, TLParam lParam, bool& handled);

    // The background colour of the control, and the colour its children take
    // (command 21).
    TColor ControlColor() const;
    TColor ChildBackgroundColor() const;
    // Command 34 with this control as the parent.
    void AnswerBackground(TsBackgroundRecord& record) const;
    // Bit 0 of BackFlags: the background is a plain colour.
    int ComputeBackFlags() const;
    // Forms, panels, scrolling containers and form-frame components keep BackFlags.
    bool KeepsBackFlags() const;

    // The state as the painting code composes it.
    TsItemSkin ItemSkin() const;

private:
    const TsGeneralData* Section() const;
    TColor OwnColor() const; // the owner's colour in RGB
    bool OwnerUsable() const;
    void SendToOwner(unsigned command, unsigned argument, TLParam lParam) const;
    void AfterManagerOrSectionChange();

    TComponent* ownerObject_;
    TControl* ownerControl_;
    std::string skinSection_;
    TsSkinManager* skinManager_ = nullptr;
    bool customColor_ = false;
    bool customFont_ = false;
};
