#include "Vexor_Routines_Accounts.h"

#include "Vexor_Native.h"
#include "Vexor_PSAPI.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_Registry.h"
#include "Vexor_WtsApi32.h"
#include "base/Text.h"
#include "base/win/Handles.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

const char kComputerNameKey[] = "\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
const char kShell[] = "explorer.exe";

// Opening the shell's process for its token. The access mask of the Windows
// versions this program serves (newer headers define a larger one that
// Windows XP refuses).
constexpr DWORD kProcessAllAccess = 0x1F0FFF;
constexpr DWORD kProcessQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

// LookupAccountSidA is asked again while it gives no name and has not said
// that the SID has none: right after log-on the account database may not
// answer at once.
constexpr int kAccountLookupCalls = 11;
constexpr DWORD kNameCapacity = 256;

constexpr size_t kInitialProcessListUnits = 256;

std::string TextUpToNul(const char* text, size_t capacity) {
    return std::string(text, strnlen(text, capacity));
}

// The part of a path after its last "\" or ":", double-byte characters
// stepped over whole so that a trail byte is never taken for a delimiter.
std::string FileNamePart(const char* path, size_t capacity) {
    const size_t length = strnlen(path, capacity);
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = path[i];
        if (c == '\\' || c == ':')
            start = i + 1;
        else if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < length)
            ++i;
    }
    return std::string(path + start, length - start);
}

DWORD SearchNativeList(const std::string& name) {
    BindNtDll();
    const TNtQuerySystemInformation query = NtDll().NtQuerySystemInformation;
    if (!query)
        return 0;
    size_t units = kInitialProcessListUnits;
    std::vector<BYTE> buffer(units * kProcessListUnitSize);
    ULONG returned = 0;
    NTSTATUS status =
        query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &returned);
    while (status == kStatusInfoLengthMismatch || status == kStatusBufferOverflow) {
        units = NextProcessListUnits(units, returned);
        if (units > std::numeric_limits<ULONG>::max() / kProcessListUnitSize)
            return 0;
        buffer.assign(units * kProcessListUnitSize, 0);
        returned = 0;
        status =
            query(kSystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &returned);
    }
    if (status != kStatusSuccess)
        return 0;
    // Each record starts with the offset of the next; a record that would
    // reach past the buffer ends the walk.
    size_t offset = 0;
    while (offset + sizeof(TSystemProcessInformation) <= buffer.size()) {
        TSystemProcessInformation entry;
        std::memcpy(&entry, buffer.data() + offset, sizeof entry);
        const auto processId = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(entry.UniqueProcessId));
        if (SameText(GetProcessImageName(processId), name))
            return processId;
        if (entry.NextEntryOffset == 0)
            break;
        offset += entry.NextEntryOffset;
    }
    return 0;
}

// The text of a terminal-services query about the current session; false
// when the query fails or the library lacks it.
bool QueryCurrentSession(WTS_INFO_CLASS infoClass, std::string& text) {
    LPSTR buffer = nullptr;
    DWORD bytes = 0;
    if (!WtsQuerySessionInformationA(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, infoClass, &buffer,
                                     &bytes))
        return false;
    text = buffer ? TextUpToNul(buffer, bytes) : std::string();
    if (buffer)
        WtsFreeMemory(buffer);
    return true;
}

} // namespace

std::string GetMachineName() {
    char buffer[256] = {};
    DWORD size = 255;
    std::string name = GetComputerNameA(buffer, &size) ? TextUpToNul(buffer, sizeof buffer) : std::string();
    std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    if (registry->OpenKey(kComputerNameKey)) {
        if (registry->ValueExists("ComputerName"))
            name = registry->ReadString("ComputerName");
        registry->CloseKey();
    }
    return name;
}

std::string GetCurrentUserName() {
    char buffer[256] = {};
    DWORD size = 255;
    return GetUserNameA(buffer, &size) ? TextUpToNul(buffer, sizeof buffer) : std::string();
}

std::string GetInteractiveUser() {
    if (!IsNT())
        return GetCurrentUserName();
    TInteractiveUserSources sources;
    sources.ShellUser = [](std::string& user, std::string& domain) {
        UniqueHandle process(OpenProcess(kProcessAllAccess, FALSE, FindProcessId(kShell)));
        GetProcessUser(process.Get(), user, domain);
    };
    sources.SessionText = QueryCurrentSession;
    sources.ProcessUser = GetCurrentUserName;
    sources.MachineName = GetMachineName;
    return ResolveInteractiveUser(sources);
}

std::string ResolveInteractiveUser(const TInteractiveUserSources& sources) {
    std::string user;
    std::string domain;
    sources.ShellUser(user, domain);
    SetHostDomain(domain);

    // No shell, or its token cannot be read: the user of this terminal
    // session, or at least the user this process runs as.
    if (user.empty()) {
        if (!sources.SessionText(WTSUserName, user))
            user = sources.ProcessUser();
        std::string sessionDomain;
        if (sources.SessionText(WTSDomainName, sessionDomain))
            SetHostDomain(sessionDomain);
    }

    // A local account has the computer's name as its domain.
    if (!HostDomain().empty() && !SameText(HostDomain(), sources.MachineName()))
        user += "@" + HostDomain();
    return user;
}

DWORD FindProcessId(const std::string& name) {
    return IsNT4() || IsWin2000() ? FindProcessIdInNativeList(name) : FindProcessIdInSnapshot(name);
}

DWORD FindProcessIdInNativeList(const std::string& name) {
    DWORD processId = 0;
    try {
        processId = SearchNativeList(name);
    } catch (...) {
        UnbindNtDll();
        throw;
    }
    UnbindNtDll();
    return processId;
}

DWORD FindProcessIdInSnapshot(const std::string& name) {
    UniqueHandle snapshot(ToolHelpCreateSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (bool more = ToolHelpProcessFirst(snapshot.Get(), entry); more;
         more = ToolHelpProcessNext(snapshot.Get(), entry)) {
        if (SameText(FileNamePart(entry.szExeFile, sizeof entry.szExeFile), name))
            return entry.th32ProcessID;
    }
    return 0;
}

size_t NextProcessListUnits(size_t units, unsigned long requiredLength) {
    const size_t doubled = units * 2;
    const size_t needed = (requiredLength + kProcessListUnitSize - 1) / kProcessListUnitSize;
    return needed > doubled ? needed : doubled;
}

std::string GetProcessImageName(DWORD processId) {
    BindPsApi();
    const auto getModuleBaseName = PsApi().GetModuleBaseNameA;
    if (!getModuleBaseName)
        return std::string();
    UniqueHandle process(OpenProcess(kProcessQueryAndRead, FALSE, processId));
    if (!process)
        return std::string();
    char name[MAX_PATH] = {};
    const DWORD length = getModuleBaseName(process.Get(), nullptr, name, MAX_PATH);
    if (static_cast<int>(length) <= 0)
        return std::string();
    return TextUpToNul(name, sizeof name);
}

bool GetProcessUser(HANDLE process, std::string& user, std::string& domain) {
    user.clear();
    domain.clear();
    UniqueHandle token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.Put()))
        return false;
    alignas(8) BYTE information[4096];
    DWORD length = 0;
    if (!GetTokenInformation(token.Get(), TokenUser, information, sizeof information, &length))
        return false;
    AccountOfSid(reinterpret_cast<const TOKEN_USER*>(information)->User.Sid, LookupAccountSidA, user, domain);
    return true;
}

void AccountOfSid(PSID sid, TLookupAccountSid lookup, std::string& user, std::string& domain) {
    char name[kNameCapacity] = {};
    char domainName[kNameCapacity] = {};
    for (int call = 0; call < kAccountLookupCalls; ++call) {
        DWORD nameSize = kNameCapacity;
        DWORD domainSize = kNameCapacity;
        SID_NAME_USE use;
        lookup(nullptr, sid, name, &nameSize, domainName, &domainSize, &use);
        if (name[0] != '\0' || GetLastError() == ERROR_NONE_MAPPED)
            break;
    }
    if (name[0] != '\0') {
        user = TextUpToNul(name, sizeof name);
        domain = TextUpToNul(domainName, sizeof domainName);
    } else {
        user = SidToText(sid);
        domain.clear();
    }
}

std::string GetAccountSidText(const std::string& systemName, const std::string& accountName) {
    const char* system = systemName.empty() ? nullptr : systemName.c_str();
    DWORD sidSize = 0;
    DWORD domainSize = 0;
    SID_NAME_USE use;
    LookupAccountNameA(system, accountName.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
    if (sidSize == 0)
        return std::string();
    std::vector<BYTE> sid(sidSize);
    std::vector<char> domain(domainSize + 1);
    if (!LookupAccountNameA(system, accountName.c_str(), sid.data(), &sidSize, domain.data(), &domainSize,
                            &use))
        return std::string();
    return SidToText(sid.data());
}

// The usual SID text: an authority below 2^32 as a decimal number, a larger
// one as 0x and twelve hexadecimal digits. The authority is read as one
// number, not as the digits of its non-zero bytes run together: that would
// write authority 256 as "1", the text of another authority, and the SID
// would no longer name the user's hive under HKEY_USERS. Every authority
// below 256 (the ones Windows hands out) reads the same either way.
std::string SidToText(PSID sid) {
    if (!sid || !IsValidSid(sid))
        return std::string();
    const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(sid);
    const BYTE* value = authority->Value;
    std::string text = "S-1-";
    if (value[0] == 0 && value[1] == 0) {
        const uint32_t number = (uint32_t{value[2]} << 24) | (uint32_t{value[3]} << 16) |
                                (uint32_t{value[4]} << 8) | uint32_t{value[5]};
        text += std::to_string(number);
    } else {
        char hex[16];
        wsprintfA(hex, "0x%02X%02X%02X%02X%02X%02X", value[0], value[1], value[2], value[3], value[4],
                  value[5]);
        text += hex;
    }
    const BYTE count = *GetSidSubAuthorityCount(sid);
    for (BYTE index = 0; index < count; ++index)
        text += "-" + std::to_string(static_cast<uint32_t>(*GetSidSubAuthority(sid, index)));
    return text;
}
