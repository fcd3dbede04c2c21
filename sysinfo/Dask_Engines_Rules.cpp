#include "Dask_Engines_Rules.h"

#include "base/Exception.h"
#include "base/StringList.h"
#include "base/Text.h"

#include <algorithm>

namespace {

struct TComEngineProgId {
    TComEngine Engine;
    const char* ProgId;
};

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
        if (!IsBlankText(entry))
            kept.Add(entry);
    return FormatText("%s (%s)", version.c_str(), kept.CommaText().c_str());
}

bool IsMscorlibTypeLibrary(std::string_view path) {
    return ContainsText(path, "mscorlib.tlb");
}

std::optional<TComEngine> ComEngineOf(std::string_view progId) {
    // The names are distinct: at most one matches, whatever the order.
    for (const TComEngineProgId& entry : kComEngineProgIds)
        if (SameText(progId, entry.ProgId))
            return entry.Engine;
    return std::nullopt;
}

std::string DirectXInstalledVersionText(const unsigned char* bytes) {
    return FormatText("%u.%u", static_cast<unsigned>(bytes[0]), static_cast<unsigned>(bytes[3]));
}
