// List views: the edit family's border and colours, the list's own
// background and text colours from the section, thumb dragging that scrolls
// the list itself, and the column header drawn from the skin.
#include "sAdapterWnd.h"

#include "controls/Application.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sTextCanvasWin.h"
#include "skin/win/sWindowQueries.h"

#include <commctrl.h>

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace {

constexpr char kHeaderProperty[] = "QZSBSCH"; // the header's list adapter

} // namespace

TqzListViewWnd::~TqzListViewWnd() {
    UnhookHeader();
}

void TqzListViewWnd::Initialise() {
    TqzEditWnd::Initialise();
    foundBack_ = ListView_GetBkColor(window_);
    foundTextBack_ = ListView_GetTextBkColor(window_);
    foundText_ = ListView_GetTextColor(window_);
    pressedColumn_ = -1;
    HookHeader();
}

void TqzListViewWnd::Restore() {
    UnhookHeader();
    TqzEditWnd::Restore();
    if (!IsWindow(window_))
        return;
    ListView_SetBkColor(window_, foundBack_);
    ListView_SetTextBkColor(window_, foundTextBack_);
    ListView_SetTextColor(window_, GetSysColor(COLOR_WINDOWTEXT));
    InvalidateRect(window_, nullptr, TRUE);
}

void TqzListViewWnd::ApplyColors() {
    TqzEditWnd::ApplyColors();
    if (!Skinned())
        return;
    const TsGeneralData& section = manager_.gd[size_t(skinData_->SectionIndex)];
    const COLORREF back = dialogMode_ ? GetSysColor(COLOR_WINDOW) : TsSkinManager::ColorToRGB(section.Color);
    const COLORREF text =
        dialogMode_ ? GetSysColor(COLOR_WINDOWTEXT) : TsSkinManager::ColorToRGB(section.FontColor[0]);
    if (ListView_GetBkColor(window_) != back)
        ListView_SetBkColor(window_, back);
    if (ListView_GetTextBkColor(window_) != back)
        ListView_SetTextBkColor(window_, back);
    if (ListView_GetTextColor(window_) != text)
        ListView_SetTextColor(window_, text);
}

bool TqzListViewWnd::ReportView() const {
    return (GetWindowLongA(window_, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void TqzListViewWnd::HookHeader() {
    HWND header = ListView_GetHeader(window_);
    if (header == header_ || !header)
        return;
    UnhookHeader();
    header_ = header;
    SetPropA(header_, kHeaderProperty, this);
    headerPrevious_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TqzListViewWnd::HeaderThunk)));
    InvalidateRect(header_, nullptr, TRUE);
}

void TqzListViewWnd::UnhookHeader() {
    if (!header_)
        return;
    if (IsWindow(header_)) {
        if (GetWindowLongPtrA(header_, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(&TqzListViewWnd::HeaderThunk))
            SetWindowLongPtrA(header_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerPrevious_));
        RemovePropA(header_, kHeaderProperty);
        InvalidateRect(header_, nullptr, TRUE);
    }
    header_ = nullptr;
    headerPrevious_ = nullptr;
}

LRESULT CALLBACK TqzListViewWnd::HeaderThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = static_cast<TqzListViewWnd*>(GetPropA(window, kHeaderProperty));
    if (!list || list->header_ != window)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    bool done = false;
    // A failure while drawing the header goes to the error box; the header keeps working.
    Application().Run([&] {
        result = list->HeaderProc(message, wParam, lParam);
        done = true;
    });
    if (!done && list->headerPrevious_)
        result = CallWindowProcA(list->headerPrevious_, window, message, wParam, lParam);
    return result;
}

LRESULT TqzListViewWnd::HeaderProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = headerPrevious_;
    HWND header = header_;
    auto callPrevious = [&] { return CallWindowProcA(previous, header, message, wParam, lParam); };
    if (message == WM_NCDESTROY) {
        UnhookHeader();
        return CallWindowProcA(previous, header, message, wParam, lParam);
    }
    if (!SkinActive() || !Skinned() || !ReportView())
        return callPrevious();
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        AnswerPaint(header, wParam, [this](HDC dc) { PaintHeader(dc); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = callPrevious();
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        if (GetWindowLongA(header, GWL_STYLE) & HDS_BUTTONS) {
            if (message == WM_LBUTTONDOWN) {
                HDHITTESTINFO hit{};
                hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
                pressedColumn_ = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : hit.iItem;
            } else {
                pressedColumn_ = -1;
            }
            InvalidateRect(header, nullptr, FALSE);
        }
        return callPrevious();
    default:
        return callPrevious();
    }
}

void TqzListViewWnd::PaintHeader(HDC dc) {
    ApplyColors(); // the header's items lie on the list's skinned colour
    RECT client;
    GetClientRect(header_, &client);
    const int count = static_cast<int>(SendMessageA(header_, HDM_GETITEMCOUNT, 0, 0));
    std::vector<int> order(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        order[size_t(i)] = i;
    if (count > 0 && (GetWindowLongA(header_, GWL_STYLE) & HDS_DRAGDROP))
        SendMessageA(header_, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()));
    int right = 0;
    for (int index : order) {
        RECT item{};
        if (!SendMessageA(header_, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)))
            continue;
        PaintHeaderItem(dc, index, item, true);
        right = std::max(right, static_cast<int>(item.right));
    }
    // The empty area right of the last item is an item without text.
    if (right < client.right)
        PaintHeaderItem(dc, -1, {right, 0, client.right, client.bottom}, false);
}

void TqzListViewWnd::PaintHeaderItem(HDC dc, int index, const RECT& item, bool hasItem) {
    const int width = item.right - item.left, height = item.bottom - item.top;
    if (width <= 0 || height <= 0)
        return;
    const bool pressed = hasItem && index == pressedColumn_;
    std::string sectionName = "COLHEADER";
    int sectionIndex = manager_.FindSection(sectionName);
    if (sectionIndex < 0) {
        sectionName = "BUTTON";
        sectionIndex = manager_.FindSection(sectionName);
    }
    TsBitmap24 picture(width, height);
    const TsBackgroundDescriptor background =
        TsBackgroundDescriptor::OfColor(static_cast<TColor>(ListView_GetBkColor(window_)));
    PaintParentBackground(picture, {0, 0, width, height}, background);
    ComposeItem(&picture, manager_, sectionIndex, sectionName, background, true, pressed ? 2 : 0,
                {item.left, 0}, {0, 0, width, height});
    if (hasItem) {
        char text[129] = {};
        HDITEMA hd{};
        hd.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        hd.pszText = text;
        hd.cchTextMax = sizeof text;
        SendMessageA(header_, HDM_GETITEMA, index, reinterpret_cast<LPARAM>(&hd));
        const THeaderSort sort = (hd.fmt & HDF_SORTDOWN) ? THeaderSort::Down
                                 : (hd.fmt & HDF_SORTUP) ? THeaderSort::Up
                                                         : THeaderSort::None;
        // The sort arrow is the scroll bar's arrow of the same direction.
        const char* arrow = sort == THeaderSort::Down ? "SCROLLBTNBOTTOM" : "SCROLLBTNTOP";
        const int glyphIndex = sort == THeaderSort::None
                                   ? -1
                                   : manager_.FindMask(manager_.FindSection(arrow), arrow, "GLYPHMASK");
        const TsFrameSize glyph =
            glyphIndex >= 0 ? MaskFrameSize(manager_.ma[size_t(glyphIndex)]) : TsFrameSize{};
        HIMAGELIST images = ListView_GetImageList(window_, LVSIL_SMALL);
        int imageWidth = 0, imageHeight = 0;
        const bool withImage = (hd.fmt & HDF_IMAGE) && images;
        if (withImage)
            ImageList_GetIconSize(images, &imageWidth, &imageHeight);
        const unsigned align = hd.fmt & HDF_JUSTIFYMASK;
        {
            TsDibTextCanvas canvas(picture);
            canvas.SetFont(WindowFont(header_));
            const int textWidth = canvas.TextExtent(text).Width;
            const THeaderItemLayout layout =
                LayoutHeaderItem({0, 0, width, height}, pressed,
                                 align == HDF_RIGHT    ? THeaderAlign::Right
                                 : align == HDF_CENTER ? THeaderAlign::Center
                                                       : THeaderAlign::Left,
                                 textWidth, glyphIndex >= 0 ? sort : THeaderSort::None, glyph.W, glyph.H,
                                 withImage ? imageWidth : 0);
            TsItemSkin skin = SectionItemSkin(manager_, sectionName);
            skin.Font = WindowFont(header_);
            WriteSkinText(canvas, text, IsWindowEnabled(window_), pressed, skin,
                          tfVCenter | tfSingleLine | tfExpandTabs | tfEndEllipsis, layout.Text);
            canvas.Flush();
            if (glyphIndex >= 0)
                DrawMaskGlyph(picture, layout.Glyph, 0, background, manager_.ma[size_t(glyphIndex)], true);
        }
        if (withImage) {
            TsDibSection section(picture);
            ImageList_Draw(images, hd.iImage, section.Dc(), pressed ? 5 : 4,
                           (height - imageHeight) / 2 + pressed, ILD_TRANSPARENT);
            picture = PictureOfArea(section.Dc(), {0, 0, width, height});
        }
    }
    DrawBitmap24(dc, {item.left, item.top, item.right, item.bottom}, picture, 0, 0);
}

LRESULT TqzListViewWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinActive() || !Skinned())
        return TqzEditWnd::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (LOWORD(wParam) == SB_THUMBTRACK && lParam == 0) {
            // The list scrolls itself by the thumb's move: pixels across,
            // rows down.
            const bool vertical = message == WM_VSCROLL;
            const int previous = GetScrollPos(window_, vertical ? SB_VERT : SB_HORZ);
            const int delta = static_cast<short>(HIWORD(wParam)) - previous;
            if (delta != 0) {
                int step = 1;
                if (vertical && ReportView() && ListView_GetItemCount(window_) > 0) {
                    RECT row{};
                    ListView_GetItemRect(window_, 0, &row, LVIR_BOUNDS);
                    step = std::max(1, static_cast<int>(row.bottom - row.top));
                }
                ListView_Scroll(window_, vertical ? 0 : delta, vertical ? delta * step : 0);
            }
            RefreshScrollBars();
            return 0;
        }
        break;
    case SM_SKINCOMMAND:
        if (CommandOf(wParam) == 51) // the list moves its own scroll position
            return 1;
        break;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE || LOWORD(wParam) == WM_DESTROY) {
            const LRESULT result = TqzEditWnd::WindowProc(message, wParam, lParam);
            if (LOWORD(wParam) == WM_DESTROY && reinterpret_cast<HWND>(lParam) == header_)
                UnhookHeader();
            else
                HookHeader();
            return result;
        }
        break;
    default:
        break;
    }
    return TqzEditWnd::WindowProc(message, wParam, lParam);
}
