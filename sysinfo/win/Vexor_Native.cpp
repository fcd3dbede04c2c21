#include "Vexor_Native.h"

namespace {

TBoundLibrary<TNtDllEntryPoints> g_ntDll("NTDLL.DLL");
// kernel32 is in every process: it is never loaded or freed here.
TBoundLibrary<TToolHelpEntryPoints> g_toolHelp("kernel32.dll");

// The platform as Windows reports it now: the binding units start before the
// host platform record is taken, so they ask for themselves.
bool RunsOnNTPlatform() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace

bool BindNtDll() {
    return RunsOnNTPlatform() && g_ntDll.Bind() && NtDll().NtQueryObject;
}

void UnbindNtDll() {
    g_ntDll.Detach();
}

const TNtDllEntryPoints& NtDll() {
    return g_ntDll.Functions();
}

const TBoundLibrary<TNtDllEntryPoints>& NtDllBinding() {
    return g_ntDll;
}

bool BindToolHelp() {
    if (!g_toolHelp.Handle()) {
        g_toolHelp.AttachLoaded();
        g_toolHelp.Resolve();
    }
    return g_toolHelp.Handle() && g_toolHelp.Functions().CreateToolhelp32Snapshot;
}

const TToolHelpEntryPoints& ToolHelp() {
    return g_toolHelp.Functions();
}

const TBoundLibrary<TToolHelpEntryPoints>& ToolHelpBinding() {
    return g_toolHelp;
}

HANDLE ToolHelpCreateSnapshot(DWORD flags, DWORD processId) {
    if (!BindToolHelp())
        return nullptr;
    return ToolHelp().CreateToolhelp32Snapshot(flags, processId);
}

bool ToolHelpProcessFirst(HANDLE snapshot, PROCESSENTRY32& entry) {
    if (!BindToolHelp() || !ToolHelp().Process32First)
        return false;
    return ToolHelp().Process32First(snapshot, &entry) != FALSE;
}

bool ToolHelpProcessNext(HANDLE snapshot, PROCESSENTRY32& entry) {
    if (!BindToolHelp() || !ToolHelp().Process32Next)
        return false;
    return ToolHelp().Process32Next(snapshot, &entry) != FALSE;
}
