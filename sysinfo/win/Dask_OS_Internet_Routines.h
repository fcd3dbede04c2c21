#pragma once
// The registry and dial-up queries of the internet settings, as the
// interactive user sees them: on the NT family that user's hive under
// HKEY_USERS, elsewhere HKEY_CURRENT_USER.
#include "sysinfo/Dask_OS_Internet_Rules.h"

#include <windows.h>

#include <string>

// The root and the path of a key of the interactive user's hive; path begins
// with "\".
struct TUserKey {
    HKEY Root;
    std::string Path;
};
TUserKey UserKey(const std::string& path);

// The default client of a kind ("StartMenuInternet", "Mail"): its display name
// and the program it starts, machine-wide first, then the user's own choice
// where it names something. Values that cannot be read are passed over.
void GetDefaultClient(const std::string& kind, std::string& name, std::string& path);

// The program a command line starts, the process environment replacing
// references; "" when no existing file is found.
std::string ExtractExecutablePath(const std::string& commandLine);

// The raw "ProxyServer" text of the user's internet settings ("" when missing).
std::string GetProxyServer();

// ctLAN, ctDialup or ctNone from the user's proxy settings and the active
// dial-up connections.
TConnectionType GetConnectionType();

// The number of active dial-up connections; 0 when the remote access library
// or its enumeration is missing or fails.
unsigned GetRasConnectionCount();

// The connection entry of the remote access library as Windows NT 4 and 95
// know it; every later Windows accepts its size.
struct TRasConnection {
    DWORD dwSize;
    HANDLE hrasconn;
    CHAR szEntryName[257];
    CHAR szDeviceType[17];
    CHAR szDeviceName[129];
};
using TRasEnumConnections = DWORD(WINAPI*)(TRasConnection* connections, DWORD* bytes, DWORD* count);

// The count through an enumeration function: four entries first; when they
// are too few (603), once more with as many as the function asks for.
unsigned CountRasConnections(TRasEnumConnections enumConnections);
