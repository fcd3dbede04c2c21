#include "ReportLook.h"

namespace {
constexpr int kColorMenuBar = 30;
constexpr int kColorInfoBk = 24;
} // namespace

std::optional<int> RowBackgroundColorIndex(int rowIndex) {
    if (rowIndex == 0)
        return kColorMenuBar;
    if (rowIndex >= 2 && rowIndex <= 34 && rowIndex % 2 == 0)
        return kColorInfoBk;
    return std::nullopt;
}

ColumnWidths AutoSizeColumns(int clientWidth) {
    if (clientWidth < 0)
        clientWidth = 0;
    const int second = clientWidth / 2;
    return {clientWidth - second, second};
}
