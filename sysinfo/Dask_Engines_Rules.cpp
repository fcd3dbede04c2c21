#include "Dask_Engines_Rules.h"

#include "base/Exception.h"
#include "base/StringList.h"

#include <algorithm>

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when nothing but blanks and control characters (codes up to 32) is left.
bool IsBlankEntry(const std::string& entry) {
    return std::all_of(entry.begin(), entry.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

const TComEngineProgId kComEngineProgIds[] = {
    {TComEngine::ceDAO, "DAO.DBEngine.36"},      {TComEngine::ceDAO, "DAO.DBEngine.35"},
    {TComEngine::ceDAO, "DAO.DBEngine"},         {TComEngine::ceADO, "adodb.connection.2.8"},
    {TComEngine::ceADO, "adodb.connection"},     {TComEngine::ceMSI, "WindowsInstaller.Installer"},
    {TComEngine::ceQT, "QuickTime.QuickTime.4"}, {TComEngine::ceQT, "QuickTime.QuickTime"},
};

} // namespace

std::string InternetExplorerVersionText(const std::string& version, const std::string& minorVersion) {
    std::string notes = minorVersion;
    std::replace(notes.begin(), notes.end(), ';', ',');
    TStringList parsed;
    parsed.SetCommaText(notes);
    TStringList kept;
    for (const std::string& entry : parsed)
        if (!IsBlankEntry(entry))
            kept.Add(entry);
    return FormatText("%s (%s)", version.c_str(), kept.CommaText().c_str());
}

bool IsMscorlibTypeLibrary(std::string_view path) {
    std::string lowered(path);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
    return lowered.find("mscorlib.tlb") != std::string::npos;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::span<const TComEngineProgId> ComEngineProgIds() {
    return kComEngineProgIds;
}

std::string DirectXInstalledVersionText(const unsigned char* bytes) {
    return FormatText("%u.%u", static_cast<unsigned>(bytes[0]), static_cast<unsigned>(bytes[3]));
}
