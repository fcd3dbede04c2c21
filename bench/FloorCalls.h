#pragma once
// The floor of a full gathering: the system calls kestova-report --json
// makes, made raw, with none of the components around them (the walk of
// HKEY_CLASSES_ROOT\CLSID opening each identifier's ProgID, the special
// folders, the time-zone database, the engines' registry values and version
// resources, the SMBIOS table, the device registry, and where a 32-bit program
// runs on 32-bit Windows of the NT family, one run of the real-mode dump
// program). report_floor and bare_window --floor make them in a bare process.
#include "base/win/Handles.h"
#include "sysinfo/win/Dask_DMA_RealMode.h"

#include <shlobj.h>
#include <windows.h>

#include <string>
#include <vector>

namespace floor_calls {

// What the raw calls found, so that none of them can be left out unseen.
struct TFound {
    size_t Values = 0, Keys = 0, Folders = 0, Versions = 0, Bytes = 0;
};

inline constexpr REGSAM kRead = KEY_READ | KEY_WOW64_64KEY;

// One value read whole (size query, then the data).
inline void ReadValue(HKEY key, const char* name, TFound& found) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return;
    std::vector<BYTE> data(size + 2);
    if (RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS)
        ++found.Values;
}

// The names of a key's subkeys.
inline std::vector<std::string> SubkeyNames(HKEY key) {
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
inline void WalkValues(HKEY root, const char* path, std::initializer_list<const char*> values,
                       TFound& found) {
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
inline void ClassIdentifiers(TFound& found) {
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

inline void SpecialFolders(TFound& found) {
    char path[MAX_PATH];
    for (int csidl = 0; csidl <= 0x3B; ++csidl)
        if (SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
            ++found.Folders;
}

// The version resources of the engines' files.
inline void FileVersions(TFound& found) {
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

inline void EngineValues(TFound& found) {
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
inline void Smbios(TFound& found) {
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
inline void Devices(TFound& found) {
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

// Where the physical memory section is refused (always under Wine), a 32-bit
// program on 32-bit NT starts the dump program; a refusal ends the scan.
inline void RealModeDump(TFound& found) {
    BOOL wow64 = FALSE;
    if (sizeof(void*) != 4 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64))
        return;
    std::vector<std::uint8_t> segment;
    if (DumpRealModeSegment(0xC0, segment, 30000) == TRealModeDump::Dumped)
        found.Bytes += segment.size();
}

inline TFound Floor() {
    TFound found;
    ClassIdentifiers(found);
    SpecialFolders(found);
    WalkValues(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
               {"Display", "Std", "Dlt", "TZI", "MapID", "Index"}, found);
    FileVersions(found);
    EngineValues(found);
    Smbios(found);
    RealModeDump(found);
    Devices(found);
    return found;
}

} // namespace floor_calls
