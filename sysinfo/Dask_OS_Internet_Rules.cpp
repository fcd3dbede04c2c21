#include "Dask_OS_Internet_Rules.h"

#include "base/Text.h"
#include "base/Text.h"

#include <iterator>

namespace {

// The position of the first occurrence of what in text, ignoring case.
std::string::size_type FindText(const std::string& text, const std::string& what) {
    if (what.size() > text.size())
        return std::string::npos;
    for (std::string::size_type pos = 0; pos + what.size() <= text.size(); ++pos)
        if (StartsWithText(std::string_view(text).substr(pos), what))
            return pos;
    return std::string::npos;
}

// The value of the first entry named name (ignoring case).
std::string FirstValueOf(const TStringList& environment, std::string_view name) {
    for (const std::string& entry : environment) {
        const auto equals = entry.find('=');
        if (equals != std::string::npos && SameText(std::string_view(entry).substr(0, equals), name))
            return entry.substr(equals + 1);
    }
    return {};
}

// The position of a reference in the backslash form ("\\SystemRoot\\..."): the
// first component of the path, at the start of the text or after its opening
// quote, ending at a backslash, a quote, a blank or the end. A directory
// further on that happens to bear a variable's name ("C:\\Users\\Public",
// "...\\Temp\\...") is no reference.
std::string::size_type FindRootReference(const std::string& text, const std::string& reference) {
    const std::string::size_type start = !text.empty() && text[0] == '"' ? 1 : 0;
    if (!StartsWithText(std::string_view(text).substr(start), reference))
        return std::string::npos;
    const std::string::size_type end = start + reference.size();
    if (end < text.size() && text[end] != '\\' && text[end] != '"' && text[end] != ' ')
        return std::string::npos;
    return start;
}

constexpr std::string::size_type kKeptAfterReference = 1024;

} // namespace

std::string_view ConnectionTypeName(TConnectionType type) {
    static constexpr std::string_view kNames[] = {"ctNone", "ctLAN", "ctDialup"};
    return type < std::size(kNames) ? kNames[type] : std::string_view();
}

std::string StripQuotes(const std::string& text, char quote) {
    if (text.size() > 1 && text.front() == quote && text.back() == quote)
        return text.substr(1, text.size() - 2);
    return text;
}

std::string ExpandEnvironmentText(const std::string& text, bool backslashForm,
                                  const TStringList& environment) {
    std::string result = text;
    for (const std::string& entry : environment) {
        const std::string name = entry.substr(0, entry.find('='));
        if (TrimText(name).empty())
            continue;
        std::string reference = "%" + name + "%";
        auto pos = FindText(result, reference);
        if (pos == std::string::npos && backslashForm) {
            reference = "\\" + name;
            pos = FindRootReference(result, reference);
        }
        if (pos == std::string::npos)
            continue;
        result = result.substr(0, pos) + FirstValueOf(environment, name) +
                 result.substr(pos + reference.size(), kKeptAfterReference);
    }
    return result;
}

std::string ExtractExecutablePath(const std::string& commandLine, const TStringList& environment,
                                  const std::function<bool(const std::string&)>& fileExists) {
    std::string path = StripQuotes(ExpandEnvironmentText(commandLine, true, environment), '"');
    // Windows finds "prog.exe " (trailing blank) as "prog.exe": a candidate
    // ending in a blank is passed over, so the path never keeps one.
    while (!path.empty() && (path.back() == ' ' || !fileExists(path))) {
        path.pop_back();
        path = StripQuotes(path, '"');
    }
    return path;
}

TStringList ProxyServerLines(const std::string& proxyText) {
    TStringList entries;
    entries.SetCommaText(ReplaceAll(proxyText, ";", ","));
    TStringList lines;
    for (size_t i = 0; i < entries.Count(); ++i) {
        if (entries[i].find('=') != std::string::npos)
            lines.Add(entries[i]);
        else
            lines.Add(std::to_string(i) + "=" + entries[i]);
    }
    return lines;
}

std::uint32_t ProxyFlagOfBytes(const std::uint8_t* data, std::size_t size) {
    std::uint32_t flag = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i)
        flag |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return flag;
}

TConnectionType ConnectionTypeOf(std::optional<std::uint32_t> proxyFlag, const std::string& proxyServer,
                                 unsigned dialUpConnections) {
    if (proxyFlag && *proxyFlag != 0 && !proxyServer.empty())
        return ctLAN;
    return dialUpConnections > 0 ? ctDialup : ctNone;
}
