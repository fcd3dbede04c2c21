#include "Vexor_WtsApi32.h"

namespace {

// Each function is bound on its first call; the library is never released.
TBoundLibrary<TWtsApiEntryPoints> g_wtsApi("wtsapi32.dll");

} // namespace

const TWtsApiEntryPoints& WtsApi() {
    return g_wtsApi.Functions();
}

BOOL WtsQuerySessionInformationA(HANDLE server, DWORD sessionId, WTS_INFO_CLASS infoClass, LPSTR* buffer,
                                 DWORD* bytesReturned) {
    if (!g_wtsApi.BindFunction(&TWtsApiEntryPoints::WTSQuerySessionInformationA,
                               "WTSQuerySessionInformationA")) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return WtsApi().WTSQuerySessionInformationA(server, sessionId, infoClass, buffer, bytesReturned);
}

void WtsFreeMemory(PVOID memory) {
    if (g_wtsApi.BindFunction(&TWtsApiEntryPoints::WTSFreeMemory, "WTSFreeMemory"))
        WtsApi().WTSFreeMemory(memory);
}
