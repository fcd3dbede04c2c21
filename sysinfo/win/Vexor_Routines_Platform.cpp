#include "Vexor_Routines_Platform.h"

#include "Vexor_NetAPI32.h"
#include "Vexor_Routines_Registry.h"
#include "base/Exception.h"
#include "base/win/BoundLibrary.h"

#include <algorithm>
#include <cstring>

namespace {

// Both kernel32 entry points are newer than the oldest supported Windows.
using TGetNativeSystemInfo = void(WINAPI*)(LPSYSTEM_INFO);
using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
#define VEXOR_HOST_PLATFORM_ENTRY_POINTS(X)                                                                  \
    X(GetNativeSystemInfo)                                                                                   \
    X(IsWow64Process)

struct THostPlatformEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_HOST_PLATFORM_ENTRY_POINTS, BOUND_NAMED_SLOT)
};

OSVERSIONINFOEXA g_hostVersionInfo{};
SYSTEM_INFO g_hostSystemInfo{};
bool g_isWow64 = false;
TOSVersion g_hostOSVersion = osUnknown;
std::string g_hostOSName;
std::string g_hostOSEdition;
bool g_isNT = false;
bool g_isNT4 = false;
bool g_isWin2000 = false;
bool g_isVista = false;
std::string g_hostDomain;

// The decision's view of this machine: system metrics and the local machine
// registry, read-only (the 64-bit view under WOW64).
class TMachineDecisionSource : public TOSDecisionSource {
public:
    int SystemMetric(int index) override { return GetSystemMetrics(index); }

    TOSRegistryValue MachineValue(const std::string& key, const std::string& name) override {
        TOSRegistryValue value;
        const auto registry = CreateRegistryReader();
        registry->SetRootKey(HKEY_LOCAL_MACHINE);
        if (!registry->OpenKey(key) || !registry->ValueExists(name))
            return value;
        try {
            switch (registry->GetDataType(name)) {
            case TRegDataType::rdString:
                value.Kind = TOSRegistryValue::rvString;
                value.Text = registry->ReadString(name);
                break;
            case TRegDataType::rdExpandString:
                value.Kind = TOSRegistryValue::rvExpandString;
                value.Text = registry->ReadString(name);
                break;
            case TRegDataType::rdInteger:
                value.Kind = TOSRegistryValue::rvInteger;
                value.Integer = static_cast<std::uint32_t>(registry->ReadInteger(name));
                break;
            default:
                value.Kind = TOSRegistryValue::rvOther;
                break;
            }
        } catch (const Exception&) {
            // A value that vanished or cannot be read counts as missing: the
            // detection runs before any window could report an error.
            value = TOSRegistryValue{};
        }
        return value;
    }
};

std::string AnsiOf(const wchar_t* text) {
    if (!text || !*text)
        return "";
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return "";
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(static_cast<size_t>(size) - 1);
    return result;
}

// The domain or workgroup of the workstation, "" when the network management
// library or the query fails.
std::string WorkstationDomain() {
    if (!BindNetApi())
        return "";
    LPBYTE buffer = nullptr;
    if (NetApi().NetWkstaGetInfo(nullptr, 100, &buffer) != 0) {
        if (buffer && NetApi().NetApiBufferFree)
            NetApi().NetApiBufferFree(buffer);
        return "";
    }
    std::string domain;
    if (buffer)
        domain = AnsiOf(reinterpret_cast<const WKSTA_INFO_100*>(buffer)->wki100_langroup);
    if (buffer && NetApi().NetApiBufferFree)
        NetApi().NetApiBufferFree(buffer);
    return domain;
}

} // namespace

bool IsWow64() {
    return g_isWow64;
}

const OSVERSIONINFOEXA& HostVersionInfo() {
    return g_hostVersionInfo;
}

const SYSTEM_INFO& HostSystemInfo() {
    return g_hostSystemInfo;
}

TOSVersion HostOSVersion() {
    return g_hostOSVersion;
}

const std::string& HostOSName() {
    return g_hostOSName;
}

const std::string& HostOSEdition() {
    return g_hostOSEdition;
}

bool IsNT() {
    return g_isNT;
}

bool IsNT4() {
    return g_isNT4;
}

bool IsWin2000() {
    return g_isWin2000;
}

bool IsVista() {
    return g_isVista;
}

const std::string& HostDomain() {
    return g_hostDomain;
}

void SetHostDomain(const std::string& domain) {
    g_hostDomain = domain;
}

TOSVersionRecord VersionRecordOf(const OSVERSIONINFOEXA& info) {
    TOSVersionRecord record;
    record.MajorVersion = info.dwMajorVersion;
    record.MinorVersion = info.dwMinorVersion;
    record.PlatformId = info.dwPlatformId;
    record.CSDVersion.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    record.SuiteMask = info.wSuiteMask;
    record.ProductType = info.wProductType;
    return record;
}

TOSIdentity IdentifyWindows(const TOSVersionRecord& record, std::uint16_t architecture) {
    TMachineDecisionSource source;
    return DecideOSIdentity(record, architecture, source);
}

void DetectOSNameAndEdition(std::string& name, std::string& edition) {
    name.clear();
    edition.clear();
    const TOSIdentity os =
        IdentifyWindows(VersionRecordOf(g_hostVersionInfo), g_hostSystemInfo.wProcessorArchitecture);
    name = os.Name;
    edition = os.Edition;
    g_hostOSVersion = os.Version;
    g_isNT = os.IsNT;
    g_isNT4 = os.IsNT4;
    g_isWin2000 = os.IsWin2000;
    g_isVista = os.IsVista;
    if (os.CSDVersion != VersionRecordOf(g_hostVersionInfo).CSDVersion) {
        std::memset(g_hostVersionInfo.szCSDVersion, 0, sizeof g_hostVersionInfo.szCSDVersion);
        std::memcpy(g_hostVersionInfo.szCSDVersion, os.CSDVersion.data(),
                    std::min(os.CSDVersion.size(), sizeof g_hostVersionInfo.szCSDVersion - 1));
    }
}

void InitHostPlatform() {
    TBoundLibrary<THostPlatformEntryPoints> kernel("KERNEL32.DLL");
    kernel.Bind();
    TGetNativeSystemInfo getNativeSystemInfo = kernel.Functions().GetNativeSystemInfo;
    const TIsWow64Process isWow64Process = kernel.Functions().IsWow64Process;
    if (!getNativeSystemInfo)
        getNativeSystemInfo = GetSystemInfo;

    g_isWow64 = false;
    BOOL wow64 = FALSE;
    if (isWow64Process && isWow64Process(GetCurrentProcess(), &wow64))
        g_isWow64 = wow64 != FALSE;

    g_hostSystemInfo = SYSTEM_INFO{};
    if (g_isWow64)
        getNativeSystemInfo(&g_hostSystemInfo);
    else
        GetSystemInfo(&g_hostSystemInfo);

    // Windows before 2000 knows only the short record: ask for it first and
    // take the extended one only from major version 5 on.
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = 148;
    GetVersionExA(&basic);
    g_hostVersionInfo = OSVERSIONINFOEXA{};
    if (basic.dwMajorVersion < 5) {
        g_hostVersionInfo.dwMajorVersion = basic.dwMajorVersion;
        g_hostVersionInfo.dwMinorVersion = basic.dwMinorVersion;
        g_hostVersionInfo.dwBuildNumber = basic.dwBuildNumber;
        g_hostVersionInfo.dwPlatformId = basic.dwPlatformId;
        std::memcpy(g_hostVersionInfo.szCSDVersion, basic.szCSDVersion, sizeof basic.szCSDVersion);
    } else {
        g_hostVersionInfo.dwOSVersionInfoSize = 156;
        GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&g_hostVersionInfo));
    }

    DetectOSNameAndEdition(g_hostOSName, g_hostOSEdition);
    g_hostDomain = WorkstationDomain();
}
