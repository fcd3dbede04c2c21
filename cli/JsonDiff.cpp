#include "JsonDiff.h"

#include <algorithm>
#include <string>

namespace {

using Json = nlohmann::ordered_json;

// Lists longer than this (entries of the two lists multiplied, once the
// common start and end are set aside) are compared as whole values: the
// entry-by-entry comparison needs memory in proportion to that product.
constexpr size_t kLargestListProduct = size_t{1} << 22;

std::string Text(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Join(const std::string& path, const std::string& name) {
    return path.empty() ? name : path + "." + name;
}

void Compare(const std::string& path, const Json& a, const Json& b, std::vector<TReportDifference>& out);

// Entries compared in order (longest common subsequence); a removed entry
// followed by an added one in the same place is a change.
void CompareLists(const std::string& path, const Json& a, const Json& b,
                  std::vector<TReportDifference>& out) {
    size_t start = 0;
    while (start < a.size() && start < b.size() && a[start] == b[start])
        ++start;
    size_t endA = a.size(), endB = b.size();
    while (endA > start && endB > start && a[endA - 1] == b[endB - 1])
        --endA, --endB;
    const size_t n = endA - start, m = endB - start;
    if (n == 0 && m == 0)
        return;
    if (n != 0 && m != 0 && n * m > kLargestListProduct) {
        out.push_back({TReportDifference::rdChanged, path, Text(a), Text(b)});
        return;
    }
    std::vector<std::vector<unsigned>> common(n + 1, std::vector<unsigned>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            common[i][j] = a[start + i] == b[start + j] ? common[i + 1][j + 1] + 1
                                                        : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<const Json*> removed, added;
    auto flush = [&] {
        const size_t paired = std::min(removed.size(), added.size());
        for (size_t k = 0; k < paired; ++k) {
            // Records of the same shape are compared property by property.
            if (removed[k]->is_object() && added[k]->is_object())
                Compare(path + "[]", *removed[k], *added[k], out);
            else
                out.push_back({TReportDifference::rdChanged, path, Text(*removed[k]), Text(*added[k])});
        }
        for (size_t k = paired; k < removed.size(); ++k)
            out.push_back({TReportDifference::rdRemoved, path, Text(*removed[k]), {}});
        for (size_t k = paired; k < added.size(); ++k)
            out.push_back({TReportDifference::rdAdded, path, {}, Text(*added[k])});
        removed.clear();
        added.clear();
    };
    size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[start + i] == b[start + j]) {
            flush();
            ++i, ++j;
        } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
            added.push_back(&b[start + j++]);
        } else {
            removed.push_back(&a[start + i++]);
        }
    }
    flush();
}

void CompareObjects(const std::string& path, const Json& a, const Json& b, bool topLevel,
                    std::vector<TReportDifference>& out) {
    auto skipped = [topLevel](const std::string& name) {
        return topLevel && (name == "Kestova" || name == "Timing");
    };
    for (const auto& [name, value] : a.items()) {
        if (skipped(name))
            continue;
        const auto match = b.find(name);
        if (match == b.end())
            out.push_back({TReportDifference::rdRemoved, Join(path, name), Text(value), {}});
        else
            Compare(Join(path, name), value, *match, out);
    }
    for (const auto& [name, value] : b.items())
        if (!skipped(name) && !a.contains(name))
            out.push_back({TReportDifference::rdAdded, Join(path, name), {}, Text(value)});
}

void Compare(const std::string& path, const Json& a, const Json& b, std::vector<TReportDifference>& out) {
    if (a.is_object() && b.is_object())
        CompareObjects(path, a, b, false, out);
    else if (a.is_array() && b.is_array())
        CompareLists(path, a, b, out);
    else if (a != b)
        out.push_back({TReportDifference::rdChanged, path, Text(a), Text(b)});
}

} // namespace

std::vector<TReportDifference> DiffJsonReports(const Json& oldReport, const Json& newReport) {
    std::vector<TReportDifference> out;
    if (oldReport.is_object() && newReport.is_object())
        CompareObjects("", oldReport, newReport, true, out);
    else
        Compare("", oldReport, newReport, out);
    return out;
}
