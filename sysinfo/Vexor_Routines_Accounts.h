#pragma once
// The computer's name, the user this process runs as, the interactive user
// (the owner of the desktop shell) and account SIDs as text.
#include <windows.h>

#include <cstddef>
#include <string>

// The name configured in the registry ("ComputerName" of the computer-name
// key) when there is one, else the name the running system reports. A
// "ComputerName" value that is not text raises the registry's data-type error.
std::string GetMachineName();

// The account this process runs as; "" when Windows cannot say.
std::string GetCurrentUserName();

// The user owning the first "explorer.exe" (else the user of the current
// terminal-services session, else the process user), with "@" and the domain
// appended when the domain is not the computer's name. Rewrites HostDomain.
// On Windows 9x just the process user, HostDomain untouched.
std::string GetInteractiveUser();

// The id of the first running process whose executable file name is name
// (ignoring case); 0 when there is none. The native process list on NT 4 and
// 2000, tool help elsewhere.
DWORD FindProcessId(const std::string& name);
// The two ways of searching, for those that must name one.
DWORD FindProcessIdInNativeList(const std::string& name);
DWORD FindProcessIdInSnapshot(const std::string& name);

// The unit count for the next native process-list query after the buffer of
// units (kProcessListUnitSize bytes each) was too small and the call asked
// for requiredLength bytes: twice as many units, or enough for requiredLength
// when that is more.
constexpr size_t kProcessListUnitSize = 16568;
size_t NextProcessListUnits(size_t units, unsigned long requiredLength);

// The file name (without folder) of a process's main executable; "" when the
// process cannot be opened or the name cannot be read.
std::string GetProcessImageName(DWORD processId);

// The account that owns a process's access token, and its domain; the SID as
// text (and no domain) when the account has no name. False when the token
// cannot be read.
bool GetProcessUser(HANDLE process, std::string& user, std::string& domain);

// The SID of an account as text ("" when it cannot be looked up); an empty
// system name means this computer.
std::string GetAccountSidText(const std::string& systemName, const std::string& accountName);

// S-1- followed by the identifier authority and "-" with each sub-authority.
std::string SidToText(PSID sid);
