// The floor of a full gathering: the system calls kestova-report --json
// makes, made raw, with none of the components around them (the walk of
// HKEY_CLASSES_ROOT\CLSID opening each identifier's ProgID, the special
// folders, the time-zone database, the engines' registry values and version
// resources, the SMBIOS table and the device registry), timed against whole
// kestova-report --json processes in the same run, the two alternating, and
// against the bare start of the same program (--version).
// Prints the median of each and the ratios.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/report_floor.exe [runs]
// (kestova-report.exe is taken from the build's cli/ folder.)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchProcess.h"
#include "base/win/Handles.h"

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// What the raw calls found, so that none of them can be left out unseen.
struct TFound {
    size_t Values = 0, Keys = 0, Folders = 0, Versions = 0, Bytes = 0;
};

constexpr REGSAM kRead = KEY_READ | KEY_WOW64_64KEY;

// One value read whole (size query, then the data).
void ReadValue(HKEY key, const char* name, TFound& found) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return;
    std::vector<BYTE> data(size + 2);
    if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
        ++found.Values;
}

// The names of a key's subkeys.
std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[512];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

// Each subkey of path opened and the named values read.
void WalkValues(HKEY root, const char* path, std::initializer_list<const char*> values, TFound& found) {
    UniqueRegKey key;
    if (RegOpenKeyExA(root, path, 0, kRead, key.Put()) != ERROR_SUCCESS)
        return;
    for (const std::string& name : SubkeyNames(key.Get())) {
        UniqueRegKey sub;
        if (RegOpenKeyExA(key.Get(), name.c_str(), 0, kRead, sub.Put()) != ERROR_SUCCESS)
            continue;
        ++found.Keys;
        for (const char* value : values)
            ReadValue(sub.Get(), value, found);
    }
}

// The COM engines: each class identifier's ProgID subkey opened and read.
void ClassIdentifiers(TFound& found) {
    UniqueRegKey clsid;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, kRead, clsid.Put()) != ERROR_SUCCESS)
        return;
    for (const std::string& name : SubkeyNames(clsid.Get())) {
        UniqueRegKey progId;
        if (RegOpenKeyExA(clsid.Get(), (name + "\\ProgID").c_str(), 0, kRead, progId.Put()) != ERROR_SUCCESS)
            continue;
        ++found.Keys;
        ReadValue(progId.Get(), "", found);
    }
}

void SpecialFolders(TFound& found) {
    char path[MAX_PATH];
    for (int csidl = 0; csidl <= 0x3B; ++csidl)
        if (SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
            ++found.Folders;
}

// The version resources of the engines' files.
void FileVersions(TFound& found) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    for (const char* file :
         {"odbc32.dll", "opengl32.dll", "msi.dll", "shdocvw.dll", "mshtml.dll", "dao360.dll", "msado15.dll",
          "wnaspi32.dll", "ddraw.dll", "d3d9.dll", "dsound.dll", "kernel32.dll"}) {
        const std::string path = std::string(system) + "\\" + file;
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        if (size == 0)
            continue;
        std::vector<BYTE> data(size);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (GetFileVersionInfoA(path.c_str(), 0, size, data.data()) &&
            VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length))
            ++found.Versions;
    }
}

void EngineValues(TFound& found) {
    const struct {
        const char* Path;
        std::initializer_list<const char*> Values;
    } keys[] = {
        {"SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList", {"ODBC32.DLL"}},
        {"SOFTWARE\\Borland\\Database Engine", {"DLLPATH"}},
        {"SOFTWARE\\Microsoft\\.NETFramework", {"InstallRoot"}},
        {"SOFTWARE\\Microsoft\\Internet Explorer", {"Version", "Build"}},
        {"SOFTWARE\\Microsoft\\DirectX", {"Version", "InstalledVersion"}},
        {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
         {"ProductName", "CSDVersion", "ProductId", "RegisteredOwner", "RegisteredOrganization",
          "InstallDate", "BuildLab"}},
        {"HARDWARE\\DESCRIPTION\\System", {"SystemBiosVersion", "Identifier", "SystemBiosDate"}},
    };
    for (const auto& entry : keys) {
        UniqueRegKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry.Path, 0, kRead, key.Put()) != ERROR_SUCCESS)
            continue;
        for (const char* value : entry.Values)
            ReadValue(key.Get(), value, found);
    }
    for (const char* lists :
         {"SOFTWARE\\Microsoft\\Direct3D\\Drivers", "SOFTWARE\\Microsoft\\DirectPlay\\Services",
          "SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths"})
        WalkValues(HKEY_LOCAL_MACHINE, lists, {"Description"}, found);
    UniqueRegKey shared;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", 0,
                      kRead, shared.Put()) == ERROR_SUCCESS) {
        char name[1024];
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            if (RegEnumValueA(shared.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            ++found.Values;
        }
    }
}

// The SMBIOS table through the firmware-table function, where there is one.
void Smbios(TFound& found) {
    constexpr DWORD kRsmb = 0x52534D42; // the provider signature "RSMB"
    using TGetTable = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);
    const auto get = reinterpret_cast<TGetTable>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemFirmwareTable")));
    if (!get)
        return;
    const UINT size = get(kRsmb, 0, nullptr, 0);
    std::vector<BYTE> table(size);
    found.Bytes += get(kRsmb, 0, table.data(), size);
}

// The device registry: every instance of every enumerator.
void Devices(TFound& found) {
    UniqueRegKey enumKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Enum", 0, kRead, enumKey.Put()) !=
        ERROR_SUCCESS)
        return;
    for (const std::string& enumerator : SubkeyNames(enumKey.Get())) {
        UniqueRegKey bus;
        if (RegOpenKeyExA(enumKey.Get(), enumerator.c_str(), 0, kRead, bus.Put()) != ERROR_SUCCESS)
            continue;
        for (const std::string& device : SubkeyNames(bus.Get())) {
            const std::string devicePath = device;
            WalkValues(bus.Get(), devicePath.c_str(), {"Class", "ClassGUID", "DeviceDesc", "Mfg", "Driver"},
                       found);
        }
    }
}

TFound Floor() {
    TFound found;
    ClassIdentifiers(found);
    SpecialFolders(found);
    WalkValues(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
               {"Display", "Std", "Dlt", "TZI", "MapID", "Index"}, found);
    FileVersions(found);
    EngineValues(found);
    Smbios(found);
    Devices(found);
    return found;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string report = "\"" + ReportExe() + "\" --json";
    const std::string start = "\"" + ReportExe() + "\" --version";
    // The first of each loads what later ones share.
    const TFound found = Floor();
    RunSeconds(report);
    std::vector<double> floor, json, bare;
    for (int i = 0; i < runs; ++i) {
        floor.push_back(Seconds([] { Floor(); }));
        json.push_back(RunSeconds(report));
        bare.push_back(RunSeconds(start));
        if (json.back() < 0 || bare.back() < 0) {
            std::fprintf(stderr, "report_floor: a run failed (is %s built?)\n", ReportExe().c_str());
            return 1;
        }
    }
    const double floorMs = 1000 * MedianOf(floor), jsonMs = 1000 * MedianOf(json),
                 bareMs = 1000 * MedianOf(bare);
    std::printf("raw calls: %zu keys, %zu values, %zu folders, %zu version resources, %zu SMBIOS bytes\n",
                found.Keys, found.Values, found.Folders, found.Versions, found.Bytes);
    std::printf("raw system calls              median of %d: %8.1f ms\n", runs, floorMs);
    std::printf("kestova-report --version      median of %d: %8.1f ms (the process start)\n", runs, bareMs);
    std::printf("kestova-report --json         median of %d: %8.1f ms\n", runs, jsonMs);
    std::printf("ratio --json / raw            %.2f\n", jsonMs / floorMs);
    std::printf("ratio (--json - start) / raw  %.2f\n", (jsonMs - bareMs) / floorMs);
    return 0;
}
#else
#include <cstdio>
int main() {
    std::puts("report_floor: a Windows benchmark; run the win32 or win64 build under Wine");
    return 0;
}
#endif
