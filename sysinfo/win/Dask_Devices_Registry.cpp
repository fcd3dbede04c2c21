#include "Dask_Devices_Registry.h"

#include "sysinfo/Dask_Devices_Parse.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_RegValueText.h"
#include "Vexor_Routines_Registry.h"
#include "base/Text.h"
#include "base/win/LocaleText.h"

#include <algorithm>
#include <charconv>

namespace {

const char kNtClassRoot[] = "\\SYSTEM\\CurrentControlSet\\Control\\Class";
const char k9xClassRoot[] = "\\SYSTEM\\CurrentControlSet\\Services\\Class";
const char kServices[] = "\\SYSTEM\\CurrentControlSet\\Services\\";
const char kDeviceClasses[] = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses";

std::unique_ptr<TRegistry> MachineReader() {
    std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    return registry;
}

int32_t DecimalOrZero(const std::string& text) {
    int32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : 0;
}

std::string IconText(const TRegistry& registry) {
    switch (registry.GetDataType("Icon")) {
    case TRegDataType::rdString:
    case TRegDataType::rdExpandString:
        return registry.ReadString("Icon");
    case TRegDataType::rdInteger:
        return std::to_string(registry.ReadInteger("Icon"));
    default:
        return {};
    }
}

} // namespace

std::string DeviceClassRoot() {
    return IsNT() ? kNtClassRoot : k9xClassRoot;
}

TDeviceClassInfo ReadDeviceClassInfo(const std::string& guid) {
    TDeviceClassInfo info;
    const std::unique_ptr<TRegistry> registry = MachineReader();
    const std::string root = DeviceClassRoot();
    if (!registry->OpenKey(root))
        return info;
    TStringList classes;
    registry->GetKeyNames(classes);
    registry->CloseKey();
    const auto found = std::find_if(classes.begin(), classes.end(),
                                    [&](const std::string& name) { return SameText(name, guid); });
    if (found == classes.end() || !registry->OpenKey(root + "\\" + *found))
        return info;
    info.ClassName = registry->ReadString("Class");
    if (!IsNT()) {
        const std::string link = registry->ReadString("Link");
        registry->CloseKey();
        if (!registry->OpenKey(root + "\\" + link))
            return info;
    }
    info.ClassIcon = IconText(*registry);
    info.ClassDesc = registry->ReadString("");
    registry->CloseKey();
    return info;
}

TDriverInfo ReadDriverInfo(const std::string& driver) {
    TDriverInfo info;
    const std::unique_ptr<TRegistry> registry = MachineReader();
    if (!registry->OpenKey(DeviceClassRoot() + "\\" + ReplaceAll(driver, "\\\\", "\\")))
        return info;
    info.DriverDate = registry->ReadString("DriverDate");
    info.DriverVersion = registry->ReadString("DriverVersion");
    info.DriverProvider = registry->ReadString("ProviderName");
    info.InfPath = registry->ReadString("InfPath");
    registry->CloseKey();
    return info;
}

TServiceInfo ReadServiceInfo(const std::string& service) {
    const std::string key = kServices + service;
    TServiceInfo info;
    info.DisplayName = ReadRegValueAsText(HKEY_LOCAL_MACHINE, key, "DisplayName", false);
    info.Group = ReadRegValueAsText(HKEY_LOCAL_MACHINE, key, "Group", false);
    info.Type = DecimalOrZero(ReadRegValueAsText(HKEY_LOCAL_MACHINE, key, "Type", false));
    return info;
}

TResourceList FindResourceList(const std::string& keyPath) {
    TResourceList list;
    const std::unique_ptr<TRegistry> registry = MachineReader();
    if (!registry->OpenKey(keyPath))
        return list;
    TStringList names;
    registry->GetKeyNames(names);
    std::vector<std::string> subKeys = names.Items();
    std::stable_sort(subKeys.begin(), subKeys.end(),
                     [](const std::string& a, const std::string& b) { return LocaleTextLess(a, b); });
    for (const std::string& subKey : subKeys) {
        const std::unique_ptr<TRegistry> sub = MachineReader();
        if (!sub->OpenKey(keyPath + "\\" + subKey))
            continue;
        TStringList values;
        sub->GetValueNames(values);
        for (const std::string& value : values) {
            DWORD type = REG_NONE;
            if (RegQueryValueExA(sub->CurrentKey(), value.c_str(), nullptr, &type, nullptr, nullptr) ==
                    ERROR_SUCCESS &&
                type == REG_RESOURCE_LIST) {
                list.Key = keyPath + "\\" + subKey;
                list.Value = value;
                break;
            }
        }
        sub->CloseKey();
        if (!IsBlankText(list.Key))
            break;
    }
    registry->CloseKey();
    return list;
}

std::string FindSymbolicLink(const std::string& hardwareIds, const std::string& instance) {
    const std::unique_ptr<TRegistry> registry = MachineReader();
    if (!registry->OpenKey(kDeviceClasses))
        return {};
    const std::string reference = InterfaceReference(hardwareIds, instance);
    TStringList guids;
    registry->GetKeyNames(guids);
    registry->CloseKey();
    for (const std::string& guid : guids) {
        if (!registry->OpenKey(std::string(kDeviceClasses) + "\\" + guid + "\\" + reference + "#" + guid +
                               "\\#"))
            continue;
        std::string link;
        if (registry->ValueExists("SymbolicLink"))
            link = registry->ReadString("SymbolicLink");
        registry->CloseKey();
        return link;
    }
    return {};
}

TDateTime LocalToBiasedTime(TDateTime dateTime) {
    TIME_ZONE_INFORMATION zone{};
    const DWORD id = GetTimeZoneInformation(&zone);
    return ShiftByZoneBias(dateTime, id, zone.Bias, zone.StandardBias, zone.DaylightBias);
}
