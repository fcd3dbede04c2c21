#include "Dask_OS_NT_Updates.h"

#include "base/Text.h"

#include "base/win/Handles.h"

#include <algorithm>
#include <unordered_set>

namespace {

const char kUpdates[] = "SOFTWARE\\Microsoft\\Updates";
const char kHotFix[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\HotFix";

UniqueRegKey OpenKey(HKEY parent, const std::string& path, REGSAM access) {
    UniqueRegKey key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, access, key.Put()) != ERROR_SUCCESS)
        key.Reset();
    return key;
}

// The names of a key's sub-keys in the registry's order.
std::vector<std::string> SubKeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

// A text value (REG_SZ or REG_EXPAND_SZ, unexpanded, up to its first NUL);
// empty when missing or of another type. One registry call for the values
// updates carry: the walk reads four of them from each of possibly thousands
// of update keys.
std::string ReadText(HKEY key, const char* name) {
    char small[256];
    DWORD type = REG_NONE;
    DWORD size = sizeof small;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(small), &size);
    std::string large;
    const char* data = small;
    while (result == ERROR_MORE_DATA) {
        large.assign(size, '\0');
        result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(large.data()), &size);
        data = large.data();
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    return std::string(data, std::find(data, data + size, '\0'));
}

// "Installed" as a number: a text converted (0 when not a number), a DWORD
// as it is, anything else 0.
int32_t ReadInstalled(HKEY key) {
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LONG result =
        RegQueryValueExA(key, "Installed", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    if (result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof number)
        return static_cast<int32_t>(number);
    if ((result == ERROR_SUCCESS || result == ERROR_MORE_DATA) && (type == REG_SZ || type == REG_EXPAND_SZ))
        return TextToIntDef(ReadText(key, "Installed"), 0);
    return 0;
}

} // namespace

// Updates\<product>\<service pack>\<update>: one record per update key, in
// the registry's order.
void ReadUpdatesKey(REGSAM access, TUpdates& updates) {
    const UniqueRegKey root = OpenKey(HKEY_LOCAL_MACHINE, kUpdates, access);
    if (!root)
        return;
    for (const std::string& product : SubKeyNames(root.Get())) {
        const UniqueRegKey productKey = OpenKey(root.Get(), product, access);
        if (!productKey)
            continue;
        for (const std::string& pack : SubKeyNames(productKey.Get())) {
            const UniqueRegKey packKey = OpenKey(productKey.Get(), pack, access);
            if (!packKey)
                continue;
            const std::string inEffect = product + " " + pack;
            for (const std::string& update : SubKeyNames(packKey.Get())) {
                const UniqueRegKey key = OpenKey(packKey.Get(), update, access);
                if (!key)
                    continue;
                TUpdateRecord& record = updates.emplace_back();
                record.ID = update;
                record.SPInEffect = inEffect;
                record.Description = ReadText(key.Get(), "Description");
                record.InstallDate = ReadText(key.Get(), "InstalledDate");
                record.InstalledBy = ReadText(key.Get(), "InstalledBy");
                record.Comment = ReadText(key.Get(), "Type");
            }
        }
    }
}

// HotFix\<update> with "Installed" 1, unless the Updates walk listed it.
void ReadHotFixKey(REGSAM access, TUpdates& updates) {
    const UniqueRegKey root = OpenKey(HKEY_LOCAL_MACHINE, kHotFix, access);
    if (!root)
        return;
    std::unordered_set<std::string> listed;
    for (const TUpdateRecord& record : updates)
        listed.insert(UpperText(record.ID));
    for (const std::string& name : SubKeyNames(root.Get())) {
        const UniqueRegKey key = OpenKey(root.Get(), name, access);
        if (!key || ReadInstalled(key.Get()) != 1 || !listed.insert(UpperText(name)).second)
            continue;
        TUpdateRecord& record = updates.emplace_back();
        record.ID = name;
        record.Description = ReadText(key.Get(), "Fix Description");
    }
}
