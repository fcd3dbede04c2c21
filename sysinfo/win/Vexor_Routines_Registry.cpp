#include "Vexor_Routines_Registry.h"

#include "Vexor_Routines_Platform.h"
#include "base/Exception.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The short name a registry path starts with; "" for a key handle of our own.
const char* RootName(HKEY root) {
    static const struct {
        HKEY Root;
        const char* Name;
    } kRoots[] = {
        {HKEY_CLASSES_ROOT, "HKCR"}, {HKEY_CURRENT_USER, "HKCU"},   {HKEY_LOCAL_MACHINE, "HKLM"},
        {HKEY_USERS, "HKU"},         {HKEY_CURRENT_CONFIG, "HKCC"},
    };
    for (const auto& known : kRoots)
        if (known.Root == root)
            return known.Name;
    return "";
}

// A value that grows between the size query and the read is read again with
// the new size; a value that keeps growing counts as unreadable.
constexpr int kReadAttempts = 8;

// Large enough for the value names, class identifiers and paths the
// detectors read in bulk, so that most reads take one query.
constexpr DWORD kInlineText = 512;

// The longest name the registry allows, in bytes of a double-byte code page.
constexpr DWORD kLongestName = 2 * 16384;

// Appends the names that enumerate(index, buffer, length) returns from
// index 0 upward, until the key has no more.
template <typename Enumerate> void AppendNames(DWORD longest, TStringList& names, Enumerate enumerate) {
    std::vector<char> buffer(std::max<DWORD>(longest + 1, 256));
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LONG rc = enumerate(index, buffer.data(), &length);
        if (rc == ERROR_MORE_DATA && buffer.size() < kLongestName) {
            buffer.resize(std::min<size_t>(buffer.size() * 2, kLongestName));
            continue;
        }
        if (rc != ERROR_SUCCESS)
            return;
        names.Add(
            std::string(buffer.data(), strnlen(buffer.data(), std::min<size_t>(length, buffer.size()))));
        ++index;
    }
}

} // namespace

TRegistry::TRegistry(REGSAM access) : access_(access) {}

void TRegistry::RaiseInvalidType(const std::string& name) const {
    throw Exception(FormatText("Invalid data type for '%s'", name.c_str()), {CurrentPath(), name});
}

void TRegistry::RaiseReadFailed(const std::string& name) const {
    throw Exception(FormatText("Failed to get data for '%s'", name.c_str()), {CurrentPath(), name});
}

std::string TRegistry::CurrentPath() const {
    const std::string root = rootPath_.empty() ? RootName(rootKey_) : rootPath_;
    if (!currentKey_ || currentPath_.empty())
        return root;
    return root + "\\" + currentPath_;
}

void TRegistry::SetRootKey(HKEY root) {
    SetRootKey(root, std::string());
}

void TRegistry::SetRootKey(HKEY root, std::string rootPath) {
    if (root == rootKey_ && rootPath == rootPath_)
        return;
    CloseKey();
    rootKey_ = root;
    rootPath_ = std::move(rootPath);
}

bool TRegistry::OpenKey(const std::string& path) {
    const bool fromRoot = !path.empty() && path[0] == '\\';
    const std::string subKey = fromRoot ? path.substr(1) : path;
    const HKEY base = (!fromRoot && currentKey_) ? currentKey_.Get() : rootKey_;
    UniqueRegKey key;
    if (RegOpenKeyExA(base, subKey.c_str(), 0, access_, key.Put()) != ERROR_SUCCESS)
        return false;
    if (fromRoot || !currentKey_ || currentPath_.empty())
        currentPath_ = subKey;
    else if (!subKey.empty())
        currentPath_ += "\\" + subKey;
    currentKey_ = std::move(key);
    return true;
}

void TRegistry::CloseKey() {
    currentKey_.Reset();
    currentPath_.clear();
}

bool TRegistry::QueryInfo(const std::string& name, DataInfo& info) const {
    info = DataInfo{};
    if (!currentKey_)
        return false;
    return RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &info.type, nullptr, &info.size) ==
           ERROR_SUCCESS;
}

TRegistry::DataInfo TRegistry::ReadData(const std::string& name, void* buffer, DWORD capacity) const {
    DataInfo info;
    info.size = capacity;
    if (!currentKey_ || RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &info.type,
                                         static_cast<BYTE*>(buffer), &info.size) != ERROR_SUCCESS)
        RaiseReadFailed(name);
    return info;
}

bool TRegistry::ValueExists(const std::string& name) const {
    DataInfo info;
    return QueryInfo(name, info);
}

std::string TRegistry::ReadString(const std::string& name) const {
    if (!currentKey_)
        return {};
    // One query in the common case: the data goes straight into a local
    // buffer, and only a longer value needs a second one.
    char inline_[kInlineText];
    std::vector<char> large;
    char* data = inline_;
    DWORD type = REG_NONE;
    DWORD size = sizeof inline_;
    LONG rc = RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                               &size);
    for (int attempt = 0; rc == ERROR_MORE_DATA && attempt < kReadAttempts; ++attempt) {
        large.resize(size);
        data = large.data();
        rc = RegQueryValueExA(currentKey_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                              &size);
    }
    if (rc == ERROR_FILE_NOT_FOUND)
        return {};
    if (rc != ERROR_SUCCESS) {
        DataInfo info;
        if (!QueryInfo(name, info) || info.size == 0)
            return {};
        RaiseReadFailed(name);
    }
    if (size == 0)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        RaiseInvalidType(name);
    return std::string(data, strnlen(data, size));
}

std::int32_t TRegistry::ReadInteger(const std::string& name) const {
    DataInfo info;
    if (!QueryInfo(name, info))
        RaiseReadFailed(name);
    if (info.type != REG_DWORD)
        RaiseInvalidType(name);
    DWORD value = 0;
    ReadData(name, &value, sizeof value);
    return static_cast<std::int32_t>(value);
}

size_t TRegistry::ReadBinaryData(const std::string& name, void* buffer, size_t capacity) const {
    DataInfo info;
    if (!QueryInfo(name, info))
        return 0;
    const bool refused = info.type == REG_SZ || info.type == REG_EXPAND_SZ || info.type == REG_DWORD;
    if (refused || info.size > capacity)
        RaiseInvalidType(name);
    const DWORD room = static_cast<DWORD>(std::min<size_t>(capacity, MAXDWORD));
    return ReadData(name, room ? buffer : nullptr, room).size;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
    DataInfo info;
    if (name.empty() || !QueryInfo(name, info))
        return TRegDataType::rdUnknown;
    switch (info.type) {
    case REG_SZ:
        return TRegDataType::rdString;
    case REG_EXPAND_SZ:
        return TRegDataType::rdExpandString;
    case REG_DWORD:
        return TRegDataType::rdInteger;
    case REG_BINARY:
        return TRegDataType::rdBinary;
    default:
        return TRegDataType::rdUnknown;
    }
}

long TRegistry::GetDataSize(const std::string& name) const {
    DataInfo info;
    return QueryInfo(name, info) ? static_cast<long>(info.size) : -1;
}

void TRegistry::GetKeyNames(TStringList& names) const {
    names.Clear();
    if (!currentKey_)
        return;
    DWORD longest = 0;
    RegQueryInfoKeyA(currentKey_.Get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
    const HKEY key = currentKey_.Get();
    AppendNames(longest, names, [key](DWORD index, char* buffer, DWORD* length) {
        return RegEnumKeyExA(key, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
}

void TRegistry::GetValueNames(TStringList& names) const {
    names.Clear();
    if (!currentKey_)
        return;
    DWORD longest = 0;
    RegQueryInfoKeyA(currentKey_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longest, nullptr, nullptr, nullptr);
    const HKEY key = currentKey_.Get();
    AppendNames(longest, names, [key](DWORD index, char* buffer, DWORD* length) {
        return RegEnumValueA(key, index, buffer, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::unique_ptr<TRegistry> CreateRegistryReader() {
    REGSAM access = KEY_READ;
    if (IsWow64())
        access |= KEY_WOW64_64KEY;
    return std::make_unique<TRegistry>(access);
}

std::string ReadRegistryText(HKEY root, const std::string& key, const std::string& name) {
    const std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(root);
    if (!registry->OpenKey(key))
        return {};
    std::string text = registry->ReadString(name);
    registry->CloseKey();
    return text;
}
