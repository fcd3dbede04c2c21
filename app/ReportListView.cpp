#include "ReportListView.h"

#include "ReportLook.h"

#include <algorithm>
#include <cstring>

bool TReportListView::CreateWnd() {
    TCreateParams params;
    params.WindowClass = WC_LISTVIEWA;
    params.Style = WS_CHILD | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA;
    params.ExStyle = WS_EX_CLIENTEDGE;
    if (!CreateHandle(params))
        return false;
    ListView_SetExtendedListViewStyle(Handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const char* titles[] = {"Engine", "Version"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(titles[i]);
        column.iSubItem = i;
        column.cx = 50;
        SendMessageA(Handle(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    ApplyColors();
    ItemCountChanged(); // rows given before the window was made
    return true;
}

void TReportListView::Clear() {
    rows_.clear();
    Deselect();
    ItemCountChanged();
}

void TReportListView::Append(std::vector<TReportRow> rows) {
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    ItemCountChanged();
}

void TReportListView::Assign(std::vector<TReportRow> rows) {
    rows_ = std::move(rows);
    Deselect();
    ItemCountChanged();
}

// The list keeps selection by index; rows that are gone take it with them.
// Only the selected rows are visited: a long report has one at most.
void TReportListView::Deselect() {
    if (!Handle())
        return;
    int index = -1;
    while ((index = ListView_GetNextItem(Handle(), index, LVNI_SELECTED)) >= 0)
        ListView_SetItemState(Handle(), index, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const int focused = ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED);
    if (focused >= 0)
        ListView_SetItemState(Handle(), focused, 0, LVIS_FOCUSED);
}

void TReportListView::ItemCountChanged() {
    if (!Handle())
        return;
    SendMessageA(Handle(), LVM_SETITEMCOUNT, rows_.size(), 0);
    InvalidateRect(Handle(), nullptr, TRUE);
    AutoSizeColumns(); // a scroll bar may have come or gone
    EnsureFocusedRow();
}

// A focused list shows where the keyboard is: when no row has the focus,
// the first one takes it (selecting nothing).
void TReportListView::EnsureFocusedRow() {
    if (!Handle() || rows_.empty() || GetFocus() != Handle())
        return;
    if (ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED) < 0)
        ListView_SetItemState(Handle(), 0, LVIS_FOCUSED, LVIS_FOCUSED);
}

POINT TReportListView::KeyboardMenuPoint() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    int top = client.top;
    if (HWND header = ListView_GetHeader(Handle()); header && IsWindowVisible(header)) {
        RECT h{};
        GetWindowRect(header, &h);
        top += h.bottom - h.top;
    }
    POINT at{client.left, top};
    int row = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED);
    if (row < 0)
        row = ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED);
    RECT r{};
    // A row scrolled out of sight leaves the menu under the header.
    if (row >= 0 && ListView_GetItemRect(Handle(), row, &r, LVIR_LABEL) && r.top >= top &&
        r.bottom <= client.bottom)
        at = {r.left + (r.bottom - r.top) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(Handle(), &at);
    return at;
}

std::vector<int> TReportListView::SelectedIndexes() const {
    std::vector<int> selected;
    if (!Handle())
        return selected;
    int index = -1;
    while ((index = ListView_GetNextItem(Handle(), index, LVNI_SELECTED)) >= 0 &&
           index < static_cast<int>(rows_.size()))
        selected.push_back(index);
    return selected;
}

void TReportListView::AutoSizeColumns() {
    if (!Handle())
        return;
    RECT client;
    GetClientRect(Handle(), &client);
    const ColumnWidths widths = ::AutoSizeColumns(client.right - client.left);
    ListView_SetColumnWidth(Handle(), 0, widths.Engine);
    ListView_SetColumnWidth(Handle(), 1, widths.Version);
}

void TReportListView::ApplyColors() {
    if (!Handle())
        return;
    const COLORREF background = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    ListView_SetBkColor(Handle(), background);
    ListView_SetTextBkColor(Handle(), background);
    ListView_SetTextColor(Handle(), GetSysColor(COLOR_WINDOWTEXT));
}

bool TReportListView::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (!Handle() || header.hwndFrom != Handle())
        return false;
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
        if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
            const auto index = static_cast<size_t>(info.item.iItem);
            std::string text;
            if (index < rows_.size())
                text = info.item.iSubItem == 0 ? rows_[index].Caption : rows_[index].FirstSubItem();
            const size_t length = std::min(text.size(), static_cast<size_t>(info.item.cchTextMax - 1));
            std::memcpy(info.item.pszText, text.data(), length);
            info.item.pszText[length] = '\0';
        }
        return true;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
        // Typing in the list: the row whose caption begins with what was typed.
        const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
        result = -1;
        if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz)
            return true;
        std::string text;
        if (header.code == LVN_ODFINDITEMA) {
            text = find.lvfi.psz;
        } else {
            const auto* wide = reinterpret_cast<const wchar_t*>(find.lvfi.psz);
            const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (size > 0) {
                text.resize(size_t(size));
                WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
                text.resize(size_t(size) - 1);
            }
        }
        result = FindRowByCaption(rows_, text, find.iStart, (find.lvfi.flags & LVFI_PARTIAL) != 0,
                                  (find.lvfi.flags & LVFI_WRAP) != 0);
        return true;
    }
    case NM_SETFOCUS:
        EnsureFocusedRow();
        return true;
    case NM_CUSTOMDRAW: {
        auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
        } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            if (OnCustomDrawItem)
                OnCustomDrawItem(static_cast<int>(draw.nmcd.dwItemSpec), draw.clrTextBk);
            result = CDRF_DODEFAULT;
        } else {
            result = CDRF_DODEFAULT;
        }
        return true;
    }
    default:
        return false;
    }
}
