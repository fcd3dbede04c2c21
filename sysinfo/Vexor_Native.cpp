#include "Vexor_Native.h"

namespace {

TLibraryBinding g_ntDll{"NTDLL.DLL"};
TNtDllEntryPoints g_ntDllEntryPoints;

TLibraryBinding g_kernel{"kernel32.dll"};
TToolHelpEntryPoints g_toolHelpEntryPoints;

// The platform as Windows reports it now: the binding units start before the
// host platform record is taken, so they ask for themselves.
bool RunsOnNTPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

bool BindNtDll() {
    if (!RunsOnNTPlatform())
        return false;
    AttachLibrary(g_ntDll);
    if (g_ntDll.Handle) {
#define VEXOR_RESOLVE(name) ResolveEntryPoint(g_ntDll.Handle, #name, g_ntDllEntryPoints.name);
        VEXOR_NTDLL_ENTRY_POINTS(VEXOR_RESOLVE)
#undef VEXOR_RESOLVE
    }
    return g_ntDll.Handle && g_ntDllEntryPoints.NtQueryObject;
}

void UnbindNtDll() {
    // Pointers into a freed library must not stay callable.
    if (DetachLibrary(g_ntDll))
        g_ntDllEntryPoints = {};
}

const TNtDllEntryPoints& NtDll() {
    return g_ntDllEntryPoints;
}

const TLibraryBinding& NtDllBinding() {
    return g_ntDll;
}

TBoundEntryPoints NtDllEntryPoints() {
    return {
#define VEXOR_LIST(name) {#name, EntryAddress(g_ntDllEntryPoints.name)},
        VEXOR_NTDLL_ENTRY_POINTS(VEXOR_LIST)
#undef VEXOR_LIST
    };
}

bool BindToolHelp() {
    if (!g_kernel.Handle) {
        g_kernel.Handle = GetModuleHandleA(g_kernel.LibraryName);
#define VEXOR_RESOLVE(name) ResolveEntryPoint(g_kernel.Handle, #name, g_toolHelpEntryPoints.name);
        VEXOR_TOOLHELP_ENTRY_POINTS(VEXOR_RESOLVE)
#undef VEXOR_RESOLVE
    }
    return g_kernel.Handle && g_toolHelpEntryPoints.CreateToolhelp32Snapshot;
}

const TToolHelpEntryPoints& ToolHelp() {
    return g_toolHelpEntryPoints;
}

const TLibraryBinding& ToolHelpBinding() {
    return g_kernel;
}

TBoundEntryPoints ToolHelpEntryPoints() {
    return {
#define VEXOR_LIST(name) {#name, EntryAddress(g_toolHelpEntryPoints.name)},
        VEXOR_TOOLHELP_ENTRY_POINTS(VEXOR_LIST)
#undef VEXOR_LIST
    };
}

HANDLE ToolHelpCreateSnapshot(DWORD flags, DWORD processId) {
    if (!BindToolHelp())
        return nullptr;
    return g_toolHelpEntryPoints.CreateToolhelp32Snapshot(flags, processId);
}

bool ToolHelpProcessFirst(HANDLE snapshot, PROCESSENTRY32& entry) {
    if (!BindToolHelp() || !g_toolHelpEntryPoints.Process32First)
        return false;
    return g_toolHelpEntryPoints.Process32First(snapshot, &entry) != FALSE;
}

bool ToolHelpProcessNext(HANDLE snapshot, PROCESSENTRY32& entry) {
    if (!BindToolHelp() || !g_toolHelpEntryPoints.Process32Next)
        return false;
    return g_toolHelpEntryPoints.Process32Next(snapshot, &entry) != FALSE;
}
