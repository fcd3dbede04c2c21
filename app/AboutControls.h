#pragma once
// The small controls of the About box: labels and a picture without windows
// of their own (the panel paints them and hands them the mouse) that report
// mouse moves, the mouse leaving and clicks to their owner, show a cursor of
// their own and carry a hint text.
#include "AboutPictures.h"
#include "base/win/Handles.h"
#include "controls/Controls.h"

#include <windows.h>

#include <functional>
#include <string>

enum class TCursor { crDefault, crHandPoint };

// A colour, or a system colour looked up each time it is painted.
struct TControlColour {
    COLORREF Rgb = 0;
    int SystemIndex = -1;

    static TControlColour System(int index) { return {0, index}; }
    static TControlColour Of(COLORREF rgb) { return {rgb, -1}; }
    COLORREF Resolve() const { return SystemIndex >= 0 ? GetSysColor(SystemIndex) : Rgb; }
    bool operator==(const TControlColour&) const = default;
};

struct TPlacement {
    int Left, Top, Width, Height;
};

class TAboutControl : public TGraphicControl {
public:
    explicit TAboutControl(std::string className)
        : TGraphicControl(nullptr), className_(std::move(className)) {}
    std::string ClassName() const override { return className_; }

    // Places the control at placement (already scaled) in parent.
    void Create(TWinControl* parent, const TPlacement& placement);

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint) { hint_ = std::move(hint); }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }

    std::function<void(TAboutControl* sender)> OnClick;
    std::function<void(TAboutControl* sender)> OnMouseMove;
    std::function<void(TAboutControl* sender)> OnMouseLeave;

    // Draws the control's face on dc, whose origin is the control's corner.
    virtual void Paint(HDC dc, const RECT& client) const = 0;
    void Paint(void* dc) override;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;

private:
    std::string className_;
    std::string hint_;
    TCursor cursor_ = TCursor::crDefault;
    bool pressed_ = false;
};

// A label of fixed size: its text centred, on the parent's colour.
class TAboutLabel : public TAboutControl, public TLabelLook {
public:
    using TAboutControl::Paint;
    using TAboutControl::TAboutControl;
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    void SetFont(HFONT font);
    HFONT Font() const { return font_; }
    const TControlColour& Colour() const { return colour_; }
    void SetColour(TControlColour colour);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    // TLabelLook: a transparent label leaves its parent's face under its text.
    bool Transparent() const override { return transparent_; }
    void SetTransparent(bool value) override;
    void SetFontColor(TColor color) override { SetColour(TControlColour::Of(static_cast<COLORREF>(color))); }

    void Paint(HDC dc, const RECT& client) const override;

private:
    std::string caption_;
    HFONT font_ = nullptr;
    TControlColour colour_ = TControlColour::System(COLOR_WINDOWTEXT);
    bool wordWrap_ = false;
    bool transparent_ = false;
};

// A picture drawn unscaled from the control's top-left corner; what does not
// fit is cut off.
class TAboutImage : public TAboutControl {
public:
    TAboutImage() : TAboutControl("TImage") {}
    using TAboutControl::Paint;
    void SetPicture(const Picture24& picture);
    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }

    void Paint(HDC dc, const RECT& client) const override;

private:
    UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};
