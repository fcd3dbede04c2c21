#pragma once
// The report list: the rows themselves, and the report-style list view that
// shows each row's caption and first sub-item. The view asks for its texts as
// it paints, so a long report costs no more than the rows it shows.
#include "report/ReportRows.h"
#include "controls/Controls.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

class TReportListView : public TWinControl {
public:
    explicit TReportListView(TComponent* owner) : TWinControl(owner) {}
    std::string ClassName() const override { return "TListView"; }
    // Makes the list's window (report style, owner data) in its parent's.
    bool CreateWnd();
    HWND Handle() const { return static_cast<HWND>(TWinControl::Handle()); }

    const std::vector<TReportRow>& Rows() const { return rows_; }
    void Clear();
    void Append(std::vector<TReportRow> rows);
    void Assign(std::vector<TReportRow> rows);

    // Indexes of the selected rows, in list order.
    std::vector<int> SelectedIndexes() const;

    // Both columns share the client width; called whenever it may change.
    void AutoSizeColumns();
    // Colours from the current system colour scheme.
    void ApplyColors();
    // Where a pop-up menu opened from the keyboard goes, in screen
    // coordinates: at the selected row, else at the row with the focus, else
    // just under the column header.
    POINT KeyboardMenuPoint() const;

    // The list's notifications, passed on by the window that holds it.
    // Returns true when the notification was for this list; result is then set.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    // Asked before each row is painted, with the row's index and the colour
    // its cells would be painted on; painting then goes on as usual.
    std::function<void(int index, COLORREF& background)> OnCustomDrawItem;

private:
    void ItemCountChanged();
    void Deselect();
    void EnsureFocusedRow();

    std::vector<TReportRow> rows_;
};
