#pragma once
// The control layer the windows stand on. A control has an owner (who frees
// it), a parent (whose child list holds it in creation order), bounds
// relative to the parent's client area, visibility, an enabled state, a font
// and a colour, and answers messages through Perform. Windowed controls stand
// over a real window; graphic controls have none: their parent paints them
// and hands them their mouse input, and messages reach them through Perform.
#include "base/Component.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// 0x00BBGGRR, or a system colour (0x80000000 | index).
using TColor = int32_t;
inline constexpr TColor clBtnFace = static_cast<TColor>(0x8000000Fu);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);

using TWParam = uintptr_t;
using TLParam = intptr_t;
using TMessageResult = intptr_t;

// Messages of the control layer itself (outside the range Windows uses).
inline constexpr unsigned CM_MOUSEENTER = 0xB013;
inline constexpr unsigned CM_MOUSELEAVE = 0xB014;

struct TBounds {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TBounds&) const = default;
};

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TColor Color = clWindowText;
    bool Bold = false;
    bool operator==(const TFont&) const = default;
};

class TWinControl;
class TCustomForm;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The class name as the control's kind is known to the skin's lists.
    virtual std::string ClassName() const { return "TControl"; }

    TWinControl* Parent() const { return parent_; }
    // Joins the end of the new parent's child list.
    virtual void SetParent(TWinControl* parent);
    // The form the control stands on (itself for a form), or null.
    TCustomForm* ParentForm();

    const TBounds& BoundsRect() const { return bounds_; }
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width; }
    int Height() const { return bounds_.Height; }
    virtual void SetBounds(const TBounds& bounds);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const TFont& Font() const { return font_; }
    virtual void SetFont(const TFont& font);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // Component state: being read from its description, being destroyed, in a designer.
    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    virtual void Loaded() { loading_ = false; }
    bool Destroying() const { return destroying_; }
    bool Designing() const { return false; }

    // Runs the control's own handling of a message at once.
    TMessageResult Perform(unsigned message, TWParam wParam = 0, TLParam lParam = 0) {
        return WndProc(message, wParam, lParam);
    }
    virtual TWinControl* AsWinControl() { return nullptr; }
    bool IsWindowed() { return AsWinControl() != nullptr; }
    // Has the control painted again (a graphic control by its parent).
    virtual void Invalidate();

protected:
    // Every message goes through here; what a control does not handle goes on
    // to DefaultHandler.
    virtual TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam);
    virtual TMessageResult DefaultHandler(unsigned, TWParam, TLParam) { return 0; }
    // Called first thing by a destructor that still needs the object whole.
    void MarkDestroying() { destroying_ = true; }

private:
    TWinControl* parent_ = nullptr;
    TBounds bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    TColor color_ = clBtnFace;
    int tag_ = 0;
    bool loading_ = false;
    bool destroying_ = false;
};

// A control without a window: its parent paints it and passes it its mouse
// input; dc is the parent's device context moved to the control's corner.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    std::string ClassName() const override { return "TGraphicControl"; }
    virtual void Paint(void* dc) = 0;
};

// A control that stands over a window and can hold children.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;
    std::string ClassName() const override { return "TWinControl"; }
    TWinControl* AsWinControl() override { return this; }

    size_t ControlCount() const { return controls_.size(); }
    TControl* Controls(size_t index) const { return controls_[index]; }

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }

    // The window (an HWND on Windows), or null before it is made.
    void* Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    // Makes the window: of the control's own window class (registered once,
    // named after ClassName) or over a system class, subclassed. The parent's
    // window is the parent control's, or params.ParentWindow.
    struct TCreateParams {
        std::string WindowClass; // empty: the control's own class
        std::string Caption;
        uint32_t Style = 0;
        uint32_t ExStyle = 0;
        void* ParentWindow = nullptr;
        uintptr_t Id = 0;
        int ClassStyle = 0; // of the own class
    };
    bool CreateHandle(const TCreateParams& params);
    // Takes over a window made elsewhere (subclassed until it is destroyed).
    void AttachHandle(void* window);
    // Gives a window taken over back to whoever made it: no longer
    // subclassed, not destroyed.
    void ReleaseHandle();
    void DestroyHandle();
    // The message through the control's window when it has one, else Perform.
    TMessageResult SendWindowMessage(unsigned message, TWParam wParam = 0, TLParam lParam = 0);
    bool Focused() const;
    void SetBounds(const TBounds& bounds) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    // Has a part of the window (client coordinates) painted again.
    void InvalidateArea(const TBounds& area);
    // The visible graphic children painted onto dc (the client area's device
    // context), each clipped to its bounds.
    void PaintControls(void* dc);

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;
    // What the window would do without the control: its class's own procedure.
    TMessageResult DefaultHandler(unsigned message, TWParam wParam, TLParam lParam) override;
    // Own-class windows: the background and the face, then the graphic children.
    virtual void EraseBackground(void* dc);
    virtual void PaintWindow(void*) {}
    // The visible graphic child under the point (client coordinates), topmost first.
    TControl* GraphicControlAt(int x, int y) const;

private:
    friend class TControl;
    friend struct TWindowThunk;
    bool HandleMouse(unsigned message, TWParam wParam, TLParam lParam, TMessageResult& result);
    void Detach();

    void* handle_ = nullptr;
    void* oldProc_ = nullptr; // a subclassed window's own procedure
    bool ownClass_ = false;
    TControl* mouseControl_ = nullptr;
    TControl* captureControl_ = nullptr;
    std::vector<TControl*> controls_;
    int tabOrder_ = 0;
};

// How a form's window is framed, and which title-bar buttons it has.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;

// A top-level window. Every form is in the application's list while it lives.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    std::string ClassName() const override { return "TForm"; }
    virtual bool IsMDIChild() const { return false; }

    // The frame the form's window is made with (its window styles follow it).
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons) { borderIcons_ = icons; }
    // Pixels between the frame and the client area.
    int BorderWidth() const { return borderWidth_; }
    // The form whose minimising minimises the whole application.
    bool IsMainForm() const { return mainForm_; }
    void SetMainForm(bool isMain) { mainForm_ = isMain; }

    // The form's control that took the focus last (its window).
    void ControlFocused(void* window);

    // The form's own painting over its background: dc is a device context
    // (an HDC on Windows) whose origin is the client area's top-left.
    std::function<void(TCustomForm& form, void* dc)> OnPaint;

protected:
    // A form active again gives the focus back to the control that had it
    // last (the modal windows shown over it took it away).
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;

private:
    void* focusedWindow_ = nullptr;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    int borderWidth_ = 0;
    bool mainForm_ = false;
};

// A windowed control known by the class name it is given (a system window
// such as a button or a status bar standing for the control the form names).
class TNamedWinControl : public TWinControl {
public:
    TNamedWinControl(TComponent* owner, std::string className)
        : TWinControl(owner), className_(std::move(className)) {}
    std::string ClassName() const override { return className_; }

private:
    std::string className_;
};

// A panel: a container with an outer and an inner bevel and an optional
// single-line border.
enum TPanelBevel { bvNone, bvLowered, bvRaised };
class TCustomPanel : public TWinControl {
public:
    TCustomPanel(TComponent* owner, TPanelBevel outer, TPanelBevel inner)
        : TWinControl(owner), bevelOuter_(outer), bevelInner_(inner) {}
    std::string ClassName() const override { return "TCustomPanel"; }
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    TPanelBevel BevelInner() const { return bevelInner_; }
    bool SingleBorder() const { return singleBorder_; }
    void SetSingleBorder(bool value) { singleBorder_ = value; }

private:
    TPanelBevel bevelOuter_;
    TPanelBevel bevelInner_;
    bool singleBorder_ = false;
};

// A standard label's look as a skin can change it: drawn without its own
// background, and in another font colour.
class TLabelLook {
public:
    virtual ~TLabelLook() = default;
    virtual bool Transparent() const = 0;
    virtual void SetTransparent(bool value) = 0;
    virtual void SetFontColor(TColor color) = 0;
};
