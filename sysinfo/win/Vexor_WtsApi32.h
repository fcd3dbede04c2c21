#pragma once
// The terminal services functions (not on Windows NT 4), each bound from
// "wtsapi32.dll" on its first call: the user and domain of the current
// session come from here.
#include "base/win/BoundLibrary.h"

#include <windows.h>
#include <wtsapi32.h>

#define VEXOR_WTSAPI32_ENTRY_POINTS(X)                                                                       \
    X(WTSQuerySessionInformationA)                                                                           \
    X(WTSFreeMemory)

struct TWtsApiEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_WTSAPI32_ENTRY_POINTS, BOUND_DECLARED_SLOT)
};

// The slots as bound so far.
const TWtsApiEntryPoints& WtsApi();

// WTSQuerySessionInformationA through its slot; when the library or the
// function is missing the call fails (FALSE, last error
// ERROR_PROC_NOT_FOUND) and *buffer stays untouched.
BOOL WtsQuerySessionInformationA(HANDLE server, DWORD sessionId, WTS_INFO_CLASS infoClass, LPSTR* buffer,
                                 DWORD* bytesReturned);

// WTSFreeMemory through its slot; nothing happens when it is missing.
void WtsFreeMemory(PVOID memory);
