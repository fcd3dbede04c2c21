#pragma once
// The computer's name, the user this process runs as, the interactive user
// (the owner of the desktop shell) and account SIDs as text.
#include <windows.h>
#include <wtsapi32.h>

#include <cstddef>
#include <functional>
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

// What the interactive-user lookup of the NT family asks, one question each.
struct TInteractiveUserSources {
    // The owner of the shell's access token and its domain; both empty when
    // there is no shell or its token cannot be read.
    std::function<void(std::string& user, std::string& domain)> ShellUser;
    // A text of the current terminal-services session; false when the query
    // fails or the library is missing.
    std::function<bool(WTS_INFO_CLASS infoClass, std::string& text)> SessionText;
    std::function<std::string()> ProcessUser;
    std::function<std::string()> MachineName;
};

// The interactive user from those answers: the shell's owner, else the
// session's user (else the process user) with the session's domain; "@" and
// the domain appended when it is not the computer's name. Rewrites HostDomain.
std::string ResolveInteractiveUser(const TInteractiveUserSources& sources);

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

// The account name and domain of a SID through lookup (LookupAccountSidA's
// shape), asked again while it gives no name and has not said that the SID
// has none, up to 11 times; the SID as text and no domain when no name comes.
using TLookupAccountSid = BOOL(WINAPI*)(LPCSTR, PSID, LPSTR, LPDWORD, LPSTR, LPDWORD, PSID_NAME_USE);
void AccountOfSid(PSID sid, TLookupAccountSid lookup, std::string& user, std::string& domain);

// The SID of an account as text ("" when it cannot be looked up); an empty
// system name means this computer.
std::string GetAccountSidText(const std::string& systemName, const std::string& accountName);

// S-1- followed by the identifier authority and "-" with each sub-authority.
std::string SidToText(PSID sid);
