#include "Dask_OS_NT.h"
#include "Dask_OS_NT_Updates.h"

#include "Vexor_Datetime_FileTime.h"
#include "Vexor_Routines_Registry.h"
#include "base/Text.h"
#include "Vexor_WMI.h"

#include "base/Exception.h"

#include <algorithm>
#include <optional>

namespace {

const char kProductOptions[] = "\\System\\CurrentControlSet\\Control\\ProductOptions";
const char kNamespace[] = "root\\CIMV2";

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
        ReadUpdatesKey(registry->Access(), updates_);
        ReadHotFixKey(registry->Access(), updates_);
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

void TVexor_NTSpecific::ReadWmi() {
    const TWmiConnectionGuard guard;
    TInstances instances;
    if (updates_.empty()) {
        if (!WmiConnect("", "", "", kNamespace))
            return;
        WmiQuery("Win32_QuickFixEngineering", instances);
        for (const TInstanceProperties& instance : instances) {
            // An instance whose properties could not be read at all (the walk
            // stopped before it) is no update: it would list an empty record.
            if (std::none_of(instance.begin(), instance.end(),
                             [](const TInstanceProperty& property) { return !property.Name.empty(); }))
                continue;
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
