#include "Dask_Engines.h"

#include "sysinfo/Dask_Engines_Rules.h"
#include "Vexor_Routines.h"
#include "base/Exception.h"
#include "base/StringList.h"
#include "base/Text.h"

TVexor_Engines::TVexor_Engines(TComponent* owner) : TVexor_Nolt_Component(owner) {
    directX_ = new TVexor_DirectX(this);
    directX_->SetName("DirectX");
    aspi32_ = new TVexor_ASPI32(this);
    aspi32_->SetName("ASPI32");
}

TVexor_Engines::~TVexor_Engines() {
    delete directX_;
    delete aspi32_;
}

void TVexor_Engines::Refresh() {
    TVexor_Nolt_Component::Refresh();
    RefreshTimed(*directX_);
    RefreshTimed(*aspi32_);
    {
        TStringList scratch;
        const auto registry = CreateRegistryReader();
        registry->SetRootKey(HKEY_LOCAL_MACHINE);
        RefreshBDE(*registry);
        RefreshODBC(*registry);
        RefreshNET(*registry, scratch);
        RefreshIE(*registry);
        RefreshComEngines(*registry, scratch);
    }
    openGL_ = ReadFileVersion(SearchFileOnPath("opengl32.dll", GetSystemFolder()));
    SetDataPresent(true);
}

// Kept from the last refresh when the key or "DLLPATH" is missing. A path
// whose library has no version text gives its fixed version numbers, so a
// missing library reads 0.0.0.0.
void TVexor_Engines::RefreshBDE(TRegistry& registry) {
    if (!registry.OpenKey("\\SOFTWARE\\Borland\\Database Engine"))
        return;
    if (registry.ValueExists("DLLPATH")) {
        TVersionInfo info;
        ReadVersionInfo(registry.ReadString("DLLPATH") + "\\" + "IDAPI32.DLL", info);
        bde_ = info.FileVersion;
        if (bde_.empty())
            bde_ =
                FormatText("%u.%u.%u.%u", info.FileMajor, info.FileMinor, info.FileRelease, info.FileBuild);
    }
    registry.CloseKey();
}

// The driver manager named by ODBC's file list; without that list, the one in
// the system folder. Kept from the last refresh when the list lacks it.
void TVexor_Engines::RefreshODBC(TRegistry& registry) {
    if (registry.OpenKey("\\SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList")) {
        if (registry.ValueExists("ODBC32.DLL"))
            odbc_ = ReadFileVersion(registry.ReadString("ODBC32.DLL"));
        registry.CloseKey();
    } else {
        odbc_ = ReadFileVersion(SearchFileOnPath("ODBC32.DLL", GetSystemFolder()));
    }
}

// Every framework registers its mscorlib.tlb as a shared file; the greatest
// version text in ordinal order wins.
void TVexor_Engines::RefreshNET(TRegistry& registry, TStringList& scratch) {
    net_.clear();
    if (registry.OpenKey("SOFTWARE\\Microsoft\\.NETFramework") && registry.ValueExists("InstallRoot")) {
        registry.CloseKey();
        if (registry.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs")) {
            registry.GetValueNames(scratch);
            for (const std::string& path : scratch) {
                if (!IsMscorlibTypeLibrary(path))
                    continue;
                const std::string version = ReadFileVersion(path);
                if (net_ < version)
                    net_ = version;
            }
        }
    }
    registry.CloseKey();
}

void TVexor_Engines::RefreshIE(TRegistry& registry) {
    ie_.clear();
    if (!registry.OpenKey("SOFTWARE\\Microsoft\\Internet Explorer"))
        return;
    if (registry.ValueExists("Version")) {
        ie_ = registry.ReadString("Version");
        registry.CloseKey();
        if (registry.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings") &&
            registry.ValueExists("MinorVersion"))
            ie_ = InternetExplorerVersionText(ie_, registry.ReadString("MinorVersion"));
    }
    registry.CloseKey();
}

std::string& TVexor_Engines::ComEngineText(TComEngine engine) {
    switch (engine) {
    case TComEngine::ceDAO:
        return dao_;
    case TComEngine::ceADO:
        return ado_;
    case TComEngine::ceMSI:
        return msi_;
    case TComEngine::ceQT:
        break;
    }
    return qt_;
}

// Walks every registered class: a class whose ProgId names one of the engines
// gives that engine the version of its in-process server, when that file
// exists as the registry spells it. The last such class in enumeration order
// wins, unless all four are found first.
void TVexor_Engines::RefreshComEngines(TRegistry& registry, TStringList& scratch) {
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    dao_.clear();
    ado_.clear();
    msi_.clear();
    qt_.clear();
    scratch.Clear();
    // The class keys are read below the one open CLSID key, not from the root
    // each time: a root as merged as HKEY_CLASSES_ROOT is costly to find.
    if (!registry.OpenKey("CLSID"))
        return;
    registry.GetKeyNames(scratch);
    TRegistry classes(registry.Access());
    classes.SetRootKey(registry.CurrentKey(), "HKCR\\CLSID");
    std::string path;
    for (const std::string& classId : scratch) {
        path.assign(classId).append("\\ProgId");
        if (!classes.OpenKey(path))
            continue;
        const std::string progId = classes.ReadString("");
        classes.CloseKey();
        if (const std::optional<TComEngine> engine = ComEngineOf(progId)) {
            std::string server;
            path.assign(classId).append("\\InprocServer32");
            if (classes.OpenKey(path)) {
                server = classes.ReadString("");
                classes.CloseKey();
            }
            if (FileExists(server))
                ComEngineText(*engine) = ReadFileVersion(server);
        }
        if (!dao_.empty() && !ado_.empty() && !msi_.empty() && !qt_.empty())
            break;
    }
    registry.CloseKey();
}
