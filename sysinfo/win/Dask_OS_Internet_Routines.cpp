#include "Dask_OS_Internet_Routines.h"

#include "Vexor_Routines_Accounts.h"
#include "Vexor_Routines_Files.h"
#include "Vexor_Routines_Folders.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_Registry.h"
#include "base/Exception.h"
#include "base/win/BoundLibrary.h"
#include "base/win/Handles.h"

#include <vector>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(TRasConnection) == 412, "the entry size the remote access library knows since NT 4");
#endif

namespace {

#define DASK_RASAPI32_ENTRY_POINTS(X) X(RasEnumConnectionsA)
struct TRasEntryPoints {
    // Named after the function, typed as this unit declares it.
    using TRasEnumConnectionsA = TRasEnumConnections;
    BOUND_ENTRY_POINTS(DASK_RASAPI32_ENTRY_POINTS, BOUND_NAMED_SLOT)
};

const char kInternetSettings[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings";
constexpr DWORD kBufferTooSmall = 603; // ERROR_BUFFER_TOO_SMALL of the remote access library
constexpr DWORD kFirstEntries = 4;

// The default value of key, or nothing when the key does not open or the
// value cannot be read as text.
std::optional<std::string> DefaultValue(TRegistry& registry, const std::string& key) {
    if (!registry.OpenKey(key))
        return std::nullopt;
    std::optional<std::string> value;
    try {
        value = registry.ReadString("");
    } catch (const Exception&) {
    }
    registry.CloseKey();
    return value;
}

} // namespace

TUserKey UserKey(const std::string& path) {
    if (IsNT())
        return {HKEY_USERS, "\\" + GetAccountSidText("", GetInteractiveUser()) + path};
    return {HKEY_CURRENT_USER, path};
}

void GetDefaultClient(const std::string& kind, std::string& name, std::string& path) {
    name.clear();
    path.clear();
    const std::string clients = "\\SOFTWARE\\Clients\\" + kind + "\\";
    auto registry = CreateRegistryReader();

    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    std::string client = DefaultValue(*registry, clients).value_or("");
    if (!client.empty()) {
        if (auto display = DefaultValue(*registry, clients + client))
            name = *display;
        if (auto command = DefaultValue(*registry, clients + client + "\\shell\\open\\command"))
            path = ExtractExecutablePath(*command);
    }

    // The user's own choice replaces only what it names.
    const TUserKey user = UserKey(clients);
    registry->SetRootKey(user.Root);
    client = DefaultValue(*registry, user.Path).value_or("");
    if (!client.empty()) {
        if (auto display = DefaultValue(*registry, user.Path + client); display && !display->empty())
            name = *display;
        if (auto command = DefaultValue(*registry, user.Path + client + "\\shell\\open\\command");
            command && !command->empty())
            path = ExtractExecutablePath(*command);
    }
}

std::string ExtractExecutablePath(const std::string& commandLine) {
    TStringList environment;
    GetEnvironmentList(environment);
    return ExtractExecutablePath(commandLine, environment, FileExists);
}

std::string GetProxyServer() {
    const TUserKey key = UserKey(kInternetSettings);
    auto registry = CreateRegistryReader();
    registry->SetRootKey(key.Root);
    std::string server;
    if (registry->OpenKey(key.Path)) {
        server = registry->ReadString("ProxyServer");
        registry->CloseKey();
    }
    return server;
}

TConnectionType GetConnectionType() {
    const TUserKey key = UserKey(kInternetSettings);
    auto registry = CreateRegistryReader();
    registry->SetRootKey(key.Root);
    std::optional<std::uint32_t> flag;
    std::string server;
    if (registry->OpenKey(key.Path)) {
        try {
            if (registry->GetDataType("ProxyEnable") == TRegDataType::rdBinary) {
                std::uint8_t bytes[256] = {};
                const size_t size = registry->ReadBinaryData("ProxyEnable", bytes, sizeof bytes);
                flag = ProxyFlagOfBytes(bytes, size);
            } else {
                flag = static_cast<std::uint32_t>(registry->ReadInteger("ProxyEnable"));
            }
            if (*flag != 0)
                server = registry->ReadString("ProxyServer");
        } catch (const Exception&) {
            // An unreadable value ends the registry part: no proxy.
            flag.reset();
        }
        registry->CloseKey();
    }
    if (ConnectionTypeOf(flag, server, 0) == ctLAN)
        return ctLAN;
    return ConnectionTypeOf(std::nullopt, "", GetRasConnectionCount());
}

unsigned CountRasConnections(TRasEnumConnections enumConnections) {
    std::vector<TRasConnection> entries(kFirstEntries);
    DWORD bytes = static_cast<DWORD>(entries.size() * sizeof(TRasConnection));
    DWORD count = 0;
    entries[0].dwSize = sizeof(TRasConnection);
    DWORD result = enumConnections(entries.data(), &bytes, &count);
    if (result == kBufferTooSmall && bytes > entries.size() * sizeof(TRasConnection)) {
        // More connections than four entries hold: ask again with room for all.
        entries.assign((bytes + sizeof(TRasConnection) - 1) / sizeof(TRasConnection), TRasConnection{});
        entries[0].dwSize = sizeof(TRasConnection);
        bytes = static_cast<DWORD>(entries.size() * sizeof(TRasConnection));
        count = 0;
        result = enumConnections(entries.data(), &bytes, &count);
    }
    return result == 0 ? count : 0;
}

unsigned GetRasConnectionCount() {
    const TScopedBoundLibrary<TRasEntryPoints> ras("rasapi32.dll");
    const TRasEnumConnections enumConnections = ras.Functions().RasEnumConnectionsA;
    return enumConnections ? CountRasConnections(enumConnections) : 0;
}
