#include "Vexor_Routines_Platform.h"

#include <cstring>

namespace {
OSVERSIONINFOEXA g_hostVersionInfo{};
bool g_isWow64 = false;
} // namespace

bool IsWow64() {
    return g_isWow64;
}

const OSVERSIONINFOEXA& HostVersionInfo() {
    return g_hostVersionInfo;
}

void InitHostPlatform() {
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
}
