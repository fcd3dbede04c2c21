#pragma once
// The terminal services functions (not on Windows NT 4), each bound from
// "wtsapi32.dll" on its first call: the user and domain of the current
// session come from here.
#include "Vexor_LibraryBinder.h"

#include <windows.h>
#include <wtsapi32.h>

struct TWtsApiEntryPoints {
    decltype(&::WTSQuerySessionInformationA) WTSQuerySessionInformationA = nullptr;
    decltype(&::WTSFreeMemory) WTSFreeMemory = nullptr;
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
