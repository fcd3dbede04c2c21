#pragma once
// The report: rows of a caption and sub-items, and the rows one refresh makes.
#include "base/StringList.h"

#include <string>
#include <string_view>
#include <vector>

struct TReportRow {
    std::string Caption;
    TStringList SubItems;

    // Setting the value: the sub-items become the lines of text.
    void SetValue(std::string_view text) { SubItems.SetText(text); }
    // Appending a sub-item: the text is added whole, unsplit.
    void AddSubItem(std::string text) { SubItems.Add(std::move(text)); }
    // What the "Version" column shows.
    std::string FirstSubItem() const { return SubItems.Empty() ? std::string() : SubItems[0]; }

    bool operator==(const TReportRow&) const = default;
};

// The values one report is made of, as read from the three components.
struct TReportValues {
    std::string MachineName;
    std::string OSName;
    std::string OSEdition;
    std::string BuildLab;
    std::string ODBC, ADO, NET, DAO, MSI, OpenGL, IE, QT, BDE;
    std::string ASPI;
    std::string DirectXVersion;
    TStringList Direct3D;
    TStringList DirectMusic;
    TStringList DirectPlay;
};

// The row a typed text finds, as a list finds its items: the first row from
// start on whose caption is the text (or, partial, begins with it), letter
// case aside; with wrap the search goes on from the top up to start. -1: none.
int FindRowByCaption(const std::vector<TReportRow>& rows, std::string_view text, int start, bool partial,
                     bool wrap);

// The status bar line naming where the report came from.
std::string DataSourceText(std::string_view source);

// The captions of the three DirectX section header rows, in report order.
std::vector<std::string_view> DirectXSectionCaptions();

// Appends one whole report: the 14 fixed rows, then the Direct 3D, Direct
// Music and Direct Play sections.
void AppendReport(std::vector<TReportRow>& rows, const TReportValues& values);
