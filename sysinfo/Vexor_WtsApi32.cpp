#include "Vexor_WtsApi32.h"

namespace {

constexpr const char* kLibrary = "wtsapi32.dll";
TWtsApiEntryPoints g_entryPoints;

} // namespace

const TWtsApiEntryPoints& WtsApi() {
    return g_entryPoints;
}

BOOL WtsQuerySessionInformationA(HANDLE server, DWORD sessionId, WTS_INFO_CLASS infoClass, LPSTR* buffer,
                                 DWORD* bytesReturned) {
    if (!BindLibraryFunction(g_entryPoints.WTSQuerySessionInformationA, kLibrary,
                             "WTSQuerySessionInformationA")) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return g_entryPoints.WTSQuerySessionInformationA(server, sessionId, infoClass, buffer, bytesReturned);
}

void WtsFreeMemory(PVOID memory) {
    if (BindLibraryFunction(g_entryPoints.WTSFreeMemory, kLibrary, "WTSFreeMemory"))
        g_entryPoints.WTSFreeMemory(memory);
}
