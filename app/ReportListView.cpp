#include "ReportListView.h"

#include "ReportLook.h"

#include <algorithm>
#include <cstring>

void TReportListView::Attach(HWND listView) {
    view_ = listView;
    ListView_SetExtendedListViewStyle(view_, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    const char* titles[] = {"Engine", "Version"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(titles[i]);
        column.iSubItem = i;
        column.cx = 50;
        SendMessageA(view_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    ApplyColors();
    AutoSizeColumns();
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
    if (!view_)
        return;
    int index = -1;
    while ((index = ListView_GetNextItem(view_, index, LVNI_SELECTED)) >= 0)
        ListView_SetItemState(view_, index, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const int focused = ListView_GetNextItem(view_, -1, LVNI_FOCUSED);
    if (focused >= 0)
        ListView_SetItemState(view_, focused, 0, LVIS_FOCUSED);
}

void TReportListView::ItemCountChanged() {
    if (!view_)
        return;
    SendMessageA(view_, LVM_SETITEMCOUNT, rows_.size(), 0);
    InvalidateRect(view_, nullptr, TRUE);
    AutoSizeColumns(); // a scroll bar may have come or gone
}

std::vector<int> TReportListView::SelectedIndexes() const {
    std::vector<int> selected;
    if (!view_)
        return selected;
    int index = -1;
    while ((index = ListView_GetNextItem(view_, index, LVNI_SELECTED)) >= 0 &&
           index < static_cast<int>(rows_.size()))
        selected.push_back(index);
    return selected;
}

void TReportListView::AutoSizeColumns() {
    if (!view_)
        return;
    RECT client;
    GetClientRect(view_, &client);
    const ColumnWidths widths = ::AutoSizeColumns(client.right - client.left);
    ListView_SetColumnWidth(view_, 0, widths.Engine);
    ListView_SetColumnWidth(view_, 1, widths.Version);
}

void TReportListView::ApplyColors() {
    if (!view_)
        return;
    const COLORREF background = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    ListView_SetBkColor(view_, background);
    ListView_SetTextBkColor(view_, background);
    ListView_SetTextColor(view_, GetSysColor(COLOR_WINDOWTEXT));
}

bool TReportListView::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (!view_ || header.hwndFrom != view_)
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
