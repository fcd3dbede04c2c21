#pragma once
// The report as text: the lines of a report file, the rows a loaded file
// gives, and the text "Copy Item" puts on the clipboard.
#include "ReportRows.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// One line of the report file: the caption, one blank and the comma text of
// the sub-items (no line break).
std::string ReportFileLine(const TReportRow& row);

// The whole report file: every row's line followed by CR LF. No rows give
// no bytes.
std::string ReportFileText(const std::vector<TReportRow>& rows);

// The row a line of a loaded file gives: the caption runs up to and including
// the line's last ":" (a trail byte of a double-byte character is never taken
// for it), and whatever follows is the row's value, kept whole: a saved line's
// blanks, quotes and commas stay in its one sub-item.
TReportRow ReportRowFromLine(std::string_view line);

// The clipboard text of the selected rows (selected holds their indexes in
// list order): caption, TAB, comma text of the sub-items and CR for each.
std::string ClipboardText(const std::vector<TReportRow>& rows, std::span<const int> selected);

// Splits a text that arrives in pieces into lines by the line rule of
// TStringList::SetText: a line ends at CR, LF or CR LF, a final break adds no
// empty line, and a NUL ends the text. A file is read piece by piece, so a
// large one is never held whole beside its rows.
class TLineSplitter {
public:
    // Takes the next piece, calling onLine(std::string_view) for each line it
    // completes. Returns false once a NUL has ended the text; pieces after
    // that are ignored.
    template <typename OnLine> bool Feed(std::string_view piece, OnLine&& onLine);
    // The input is over: the unfinished last line, if any, is passed on.
    template <typename OnLine> void Finish(OnLine&& onLine);
    bool Ended() const { return ended_; }

private:
    std::string partial_;  // the start of a line whose end has not arrived yet
    bool afterCr_ = false; // the last byte was a CR, so an LF next belongs to it
    bool ended_ = false;
};

template <typename OnLine> bool TLineSplitter::Feed(std::string_view piece, OnLine&& onLine) {
    size_t pos = 0;
    const size_t end = piece.size();
    while (!ended_ && pos < end) {
        const char c = piece[pos];
        if (afterCr_ && c == '\n') {
            afterCr_ = false;
            ++pos;
            continue;
        }
        afterCr_ = false;
        size_t stop = pos;
        while (stop < end && piece[stop] != '\0' && piece[stop] != '\r' && piece[stop] != '\n')
            ++stop;
        const std::string_view run = piece.substr(pos, stop - pos);
        if (stop == end) { // the line goes on in the next piece
            partial_.append(run);
            break;
        }
        const char terminator = piece[stop];
        if (terminator == '\0') {
            ended_ = true;
            // A line cut by the NUL still counts; an empty one does not.
            if (!partial_.empty() || !run.empty()) {
                partial_.append(run);
                onLine(std::string_view(partial_));
            }
            partial_.clear();
            break;
        }
        if (partial_.empty()) {
            onLine(run);
        } else {
            partial_.append(run);
            onLine(std::string_view(partial_));
            partial_.clear();
        }
        afterCr_ = terminator == '\r';
        pos = stop + 1;
    }
    return !ended_;
}

template <typename OnLine> void TLineSplitter::Finish(OnLine&& onLine) {
    if (!ended_ && !partial_.empty())
        onLine(std::string_view(partial_));
    partial_.clear();
    ended_ = true;
}
