#pragma once
// The adapter window objects: each subclasses one standard window that has
// no skin state of its own (a panel, the report list, the children of a
// system dialog), keeps a skin state for it, and takes over its border, its
// scroll bars and its background from the skin.
#include "skin/sAdapterRules.h"
#include "skin/sCommonData.h"
#include "skin/sGraphUtils.h"
#include "skin/win/sSkinHook.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

class TsSkinManager;
class TsScreenPicture;

// The window property through which an adapted window's adapter is found.
inline constexpr char kAdapterProperty[] = "QZSBSC";

// The base of the family: subclassing, skin state, the common skin commands.
class TqzMainWnd : public TsWindowAdapter {
public:
    TqzMainWnd(HWND window, bool withScrollBars, std::string section, TsSkinManager& manager,
               TsCommonData* skinData);
    ~TqzMainWnd() override;
    TqzMainWnd(const TqzMainWnd&) = delete;
    TqzMainWnd& operator=(const TqzMainWnd&) = delete;

    // Takes the window over: visual theme off, skin state set up, subclassed.
    void Attach();
    // Puts the window back as it was found (once).
    void Detach();

    // In slot order: remember the control's colours as found, restore the
    // window, apply the skin's colours, the window procedure.
    virtual void Initialise() {}
    virtual void Restore() {}
    virtual void ApplyColors() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Handle() const { return window_; }
    bool Removed() const { return removed_; }
    bool DialogMode() const { return dialogMode_; }
    void SetDialogMode(bool value) { dialogMode_ = value; }
    TsCommonData& SkinData() { return *skinData_; }
    TsSkinManager& Manager() const { return manager_; }
    const std::string& Text() const { return text_; }
    // The adapter of a window, or null.
    static TqzMainWnd* Of(HWND window);
    // The window the mouse is over, of all adapted windows.
    static HWND HotWindow();

protected:
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    bool SkinActive() const;
    bool Skinned() const;
    // Window and client rectangles (window coordinates) and the border widths.
    void MeasureFrame();
    // The background the window's parent shows under it, at the window's place.
    TsBackgroundDescriptor ParentBackground(TsBackgroundRecord& record) const;
    // The window's place in its parent's client area.
    TPoint PositionInParent() const;
    // The picture of the whole window (frame included), rebuilt when stale.
    virtual void RefreshPicture() {}
    // Command 34 for children: the window's picture, or its colour.
    void AnswerBackground(TsBackgroundRecord& record);
    // The four border strips of a picture of the whole window onto its device context.
    static void CopyBorderStrips(HDC windowDc, const TsBitmap24& picture, int left, int top, int right,
                                 int bottom);
    // The window's text onto picture in its own font and its section's colours.
    void WriteText(TsBitmap24& picture, bool enabled, bool hot, unsigned flags, const TRect& rect) const;
    // The parent's face under the window's client area, as a picture and onto dc.
    TsBitmap24 ParentFacePicture() const;
    void PaintParentFace(HDC dc);

    HWND window_;
    bool withScrollBars_;
    std::string section_;
    TsSkinManager& manager_;
    std::unique_ptr<TsCommonData> ownData_;
    TsCommonData* skinData_;
    WNDPROC previous_ = nullptr;
    std::string text_;
    RECT windowRect_{}, clientRect_{}; // window coordinates
    int leftBorder_ = 0, rightBorder_ = 0, bottomBorder_ = 0, topBorder_ = 0;
    bool dialogMode_ = false;
    bool removed_ = false;
    bool attached_ = false;

private:
    static LRESULT CALLBACK Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT AnswerSkinCommand(WPARAM wParam, LPARAM lParam, bool& handled);
};

// One scroll bar of a window with skinned scroll bars.
struct TqzScrollBar {
    TqzScrollInfo Info;
    bool Vertical = false;
    bool Visible = false;
    bool Enabled = true;
    UINT DisabledArrows = 0; // ESB_DISABLE_LTUP / ESB_DISABLE_RTDN
    int MinThumb = 8;
    void Read(HWND window);
};

// Windows whose scroll bars are drawn from the skin into the non-client area.
class TqzScrollWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
    ~TqzScrollWnd() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    TqzScrollBar& Bar(bool vertical) { return bars_[vertical ? 1 : 0]; }
    // Reads both bars' scroll information and styles.
    void ReadBars();
    // Reads both bars and paints them.
    void RefreshScrollBars();
    // The bars and the size box into the window's device context.
    void PaintScrollBars(HDC windowDc);
    // The bar's rectangle in window coordinates (empty when not shown).
    RECT BarRect(bool vertical) const;

protected:
    // Sends a scroll message with the part's code (commands 51 and 52 around it).
    virtual void SendScroll(bool vertical, int code, int position);
    // The skin's parts of a bar into picture (bar coordinates).
    void PaintBar(TsBitmap24& picture, bool vertical, const TRect& bar);

private:
    bool MouseMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Press(bool vertical, TPoint p);
    void Release();
    void Track(TPoint p);
    void Timer(UINT_PTR id);
    TqzScrollGeometry Geometry(bool vertical) const;
    TPoint CursorInWindow() const;

    std::array<TqzScrollBar, 2> bars_{TqzScrollBar{}, TqzScrollBar{{}, true}}; // horizontal, vertical
    bool leftScrollBar_ = false;
    // Mouse state: the hot part, the pressed part and the bar they are on.
    int hotBar_ = -1, hotPart_ = spNone;
    int pressedBar_ = -1, pressedPart_ = spNone;
    bool partShownPressed_ = false;
    int grabOffset_ = 0, trackPos_ = 0;
    bool hoverTimer_ = false;
};

// Bordered windows with scroll bars.
class TqzBaseWnd : public TqzScrollWnd {
public:
    using TqzScrollWnd::TqzScrollWnd;
};

// Edit-like controls: the border and the colours from the section.
class TqzEditWnd : public TqzBaseWnd {
public:
    using TqzBaseWnd::TqzBaseWnd;
    void Initialise() override;
    void Restore() override;
    void ApplyColors() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void RefreshPicture() override;
    // The border strips from the picture, then the scroll bars.
    void PaintFrame(HDC windowDc);
    TControl* OwnerControl() const { return skinData_->OwnerControl(); }

    TColor foundColor_ = clNone, foundFontColor_ = clNone;
};

// List views: also the column header and the list colours.
class TqzListViewWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
    ~TqzListViewWnd() override;
    void Initialise() override;
    void Restore() override;
    void ApplyColors() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND Header() const { return header_; }
    int PressedColumn() const { return pressedColumn_; }

private:
    static LRESULT CALLBACK HeaderThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HeaderProc(UINT message, WPARAM wParam, LPARAM lParam);
    void HookHeader();
    void UnhookHeader();
    void PaintHeader(HDC dc);
    void PaintHeaderItem(HDC dc, int index, const RECT& item, bool hasItem);
    bool ReportView() const;

    HWND header_ = nullptr;
    WNDPROC headerPrevious_ = nullptr;
    int pressedColumn_ = -1;
    COLORREF foundBack_ = 0, foundTextBack_ = 0, foundText_ = 0;
};

// The other edit-family members, for lists, combo boxes, grids and trees.
class TqzComboBoxWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};
class TqzComboListWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};
class TqzGridWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};
class TqzGridEhWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};
class TqzTreeViewWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};
class TqzVirtualTreeViewWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};
class TqzWWComboBoxWnd : public TqzEditWnd {
public:
    using TqzEditWnd::TqzEditWnd;
};

// Panels: the section by their bevels, the face and border from the skin.
class TqzPanelWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
    ~TqzPanelWnd() override;
    void Initialise() override;
    void Restore() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void RefreshPicture() override;
    void PaintClient(HDC dc);
    void PaintBorder(HDC windowDc);
    int BorderWidth() const;

private:
    // The picture in the display's format, made again after each rebuild.
    std::unique_ptr<TsScreenPicture> screen_;
    bool screenStale_ = true;
};

// Windows that show their parent's skinned face under their own: the
// children of system dialogs (texts, icons, buttons, check boxes, nested
// dialogs) and the plain controls this program never adapts itself.
class TqzTransparentWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The parent's face under the window, then what the window draws itself.
    virtual void PaintFace(HDC dc, const RECT& client);
};
class TqzStaticWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;

protected:
    void PaintFace(HDC dc, const RECT& client) override;
};
class TqzIconWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;

protected:
    void PaintFace(HDC dc, const RECT& client) override;
};
// Push buttons of dialogs, drawn from the section like the skinned button.
class TqzBtnWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PaintFace(HDC dc, const RECT& client) override;
};
class TqzBitBtnWnd : public TqzBtnWnd {
public:
    using TqzBtnWnd::TqzBtnWnd;
};
class TqzCheckBoxWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;
};
class TqzGroupBoxWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;
};
class TqzLinkWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;
};
class TqzSpinWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
};
class TqzSizerWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;
};
class TqzTransPanelWnd : public TqzTransparentWnd {
public:
    using TqzTransparentWnd::TqzTransparentWnd;
};
class TqzDlgPanelWnd : public TqzPanelWnd {
public:
    using TqzPanelWnd::TqzPanelWnd;
};
class TqzTabControlWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
};
class TqzPageControlWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
};
class TqzPageWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
};
// Tool bars keep drawing their buttons, over their parent's skinned face.
class TqzToolBarWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
class TqzToolBarVCLWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
};
class TqzStatusBarWnd : public TqzMainWnd {
public:
    using TqzMainWnd::TqzMainWnd;
};

// Makes the adapter of the kind for a window (not yet attached); none for
// TqzAdapterKind::None.
std::unique_ptr<TqzMainWnd> MakeAdapterWnd(TqzAdapterKind kind, HWND window, const std::string& section,
                                           TsSkinManager& manager, TsCommonData* skinData);

// A paint message answered by paint: onto the device context the message
// carries (wParam), else between BeginPaint and EndPaint.
void AnswerPaint(HWND window, WPARAM dc, const std::function<void(HDC)>& paint);

// The system's visual theme switched off for a window (when the system has themes).
void SwitchThemeOff(HWND window);
