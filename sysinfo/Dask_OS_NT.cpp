#include "Dask_OS_NT.h"

#include "Vexor_Datetime_FileTime.h"
#include "Vexor_Routines_Registry.h"
#include "Vexor_Routines_Text.h"
#include "Vexor_WMI.h"

#include "base/Exception.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace {

const char kProductOptions[] = "\\System\\CurrentControlSet\\Control\\ProductOptions";
const char kUpdates[] = "SOFTWARE\\Microsoft\\Updates";
const char kHotFix[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\HotFix";
const char kNamespace[] = "root\\CIMV2";

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

// WMI's "InstalledOn" file time as a local month/day/year; nothing when
// Windows cannot convert it.
std::optional<std::string> InstalledOnText(const std::string& text) {
    const uint64_t time = InstalledOnFileTime(text);
    FILETIME fileTime{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    try {
        return MonthDayYearText(FileTimeToLocalDateTime(fileTime));
    } catch (const Exception&) {
        return std::nullopt;
    }
}

TUpdateRecord UpdateOfInstance(const TInstanceProperties& instance) {
    TUpdateRecord record;
    for (const TInstanceProperty& property : instance) {
        const std::string& name = property.Name;
        if (SameText(name, "HotFixID")) {
            record.ID = property.Value;
            continue;
        }
        if (SameText(property.Value, "null"))
            continue;
        if (SameText(name, "InstalledOn")) {
            if (std::optional<std::string> date = InstalledOnText(property.Value))
                record.InstallDate = *date;
        } else if (SameText(name, "InstallDate")) {
            record.InstallDate = property.Value;
        } else if (SameText(name, "InstalledBy")) {
            record.InstalledBy = property.Value;
        } else if (SameText(name, "Description")) {
            record.Description = property.Value;
        } else if (SameText(name, "ServicePackInEffect")) {
            record.SPInEffect = property.Value;
        } else if (SameText(name, "FixComments")) {
            record.Comment = property.Value;
        }
    }
    return record;
}

// Releases the WMI connection on every way out of the refresh.
struct TWmiConnectionGuard {
    ~TWmiConnectionGuard() { WmiDisconnect(); }
};

} // namespace

TVexor_NTSpecific::TVexor_NTSpecific(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_NTSpecific::Refresh() {
    TVexor_Nolt_Component::Refresh();
    updates_.clear();
    ReadVersionRecord();
    {
        std::unique_ptr<TRegistry> registry = CreateRegistryReader();
        registry->SetRootKey(HKEY_LOCAL_MACHINE);
        if (productType_ == ptUnknown && registry->OpenKey(kProductOptions)) {
            std::string text;
            const TRegDataType type = registry->GetDataType("ProductType");
            if (type == TRegDataType::rdString || type == TRegDataType::rdExpandString)
                text = registry->ReadString("ProductType");
            productType_ = ProductTypeOfOptions(text);
            registry->CloseKey();
        }
        ReadUpdatesKey(registry->Access());
        ReadHotFixKey(registry->Access());
    }
    ReadWmi();
}

// Only Windows 2000, XP and Server 2003 (NT 5) are asked for the extended
// record; elsewhere these properties keep their values.
void TVexor_NTSpecific::ReadVersionRecord() {
    OSVERSIONINFOA plain{};
    plain.dwOSVersionInfoSize = sizeof plain;
    if (!GetVersionExA(&plain) || plain.dwPlatformId != VER_PLATFORM_WIN32_NT || plain.dwMajorVersion != 5)
        return;
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)))
        return;
    ApplyVersionRecord(extended.wProductType, extended.wSuiteMask, productType_, installedSuites_);
    installedSuiteNames_.Clear();
    for (int suite = suSmallBusiness; suite <= suEmbeddedRestricted; ++suite)
        if (HasSuite(installedSuites_, static_cast<TNTSuite>(suite)))
            installedSuiteNames_.Add(NTSuiteName(static_cast<TNTSuite>(suite)));
    servicePackMajor_ = extended.wServicePackMajor;
    servicePackMinor_ = extended.wServicePackMinor;
}

// Updates\<product>\<service pack>\<update>: one record per update key, in
// the registry's order.
void TVexor_NTSpecific::ReadUpdatesKey(REGSAM access) {
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
                TUpdateRecord& record = updates_.emplace_back();
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
void TVexor_NTSpecific::ReadHotFixKey(REGSAM access) {
    const UniqueRegKey root = OpenKey(HKEY_LOCAL_MACHINE, kHotFix, access);
    if (!root)
        return;
    std::unordered_set<std::string> listed;
    for (const TUpdateRecord& record : updates_)
        listed.insert(UpperText(record.ID));
    for (const std::string& name : SubKeyNames(root.Get())) {
        const UniqueRegKey key = OpenKey(root.Get(), name, access);
        if (!key || ReadInstalled(key.Get()) != 1 || !listed.insert(UpperText(name)).second)
            continue;
        TUpdateRecord& record = updates_.emplace_back();
        record.ID = name;
        record.Description = ReadText(key.Get(), "Fix Description");
    }
}

void TVexor_NTSpecific::ReadWmi() {
    const TWmiConnectionGuard guard;
    TInstances instances;
    if (updates_.empty()) {
        if (!WmiConnect("", "", "", kNamespace))
            return;
        WmiQuery("Win32_QuickFixEngineering", instances);
        for (const TInstanceProperties& instance : instances) {
            TUpdateRecord record = UpdateOfInstance(instance);
            if (record.ID.find("File") == std::string::npos)
                updates_.push_back(std::move(record));
        }
    }
    if (!WmiConnect("", "", "", kNamespace))
        return;
    WmiQuery("Win32_OperatingSystem", instances);
    numberOfLicensedUsers_ = TextToIntDef(WmiGetValue(instances, "NumberOfLicensedUsers", 0, 0), 0);
    numberOfUsers_ = TextToIntDef(WmiGetValue(instances, "NumberOfUsers", 0, 0), 0);
    WmiDisconnect();
    SetDataPresent(true);
}
