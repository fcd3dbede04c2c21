#include "Dask_Devices.h"

#include "Dask_Devices_Registry.h"
#include "Vexor_Datetime_FileTime.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_RegValueText.h"
#include "Vexor_Routines_Registry.h"
#include "base/Text.h"
#include "base/win/LocaleText.h"

#include <algorithm>

namespace {

const char kNtEnum[] = "\\SYSTEM\\CurrentControlSet\\Enum";
const char k9xEnum[] = "\\Enum";
const char kConfigManagerEnum[] = "\\Config Manager\\Enum";

// The subkey names of path under the reader's root; none when it does not open.
TStringList SubKeys(TRegistry& registry, const std::string& path) {
    TStringList names;
    if (registry.OpenKey(path)) {
        registry.GetKeyNames(names);
        registry.CloseKey();
    }
    return names;
}

bool HasSubKey(const TRegistry& registry, const char* name) {
    UniqueRegKey key;
    return RegOpenKeyExA(registry.CurrentKey(), name, 0, registry.Access(), key.Put()) == ERROR_SUCCESS;
}

// The values every device record takes from its instance (NT) or hardware
// (9x) key, open in registry. infNames: the NT family stores names as INF
// references followed by ";" and the text.
void ReadDeviceKey(const TRegistry& registry, const std::string& serviceOfLocation, bool infNames,
                   TDevice& device) {
    auto name = [&](const char* value) {
        const std::string text = registry.ReadString(value);
        return infNames ? TextAfterInfReference(text) : text;
    };
    device.GUID = UpperText(registry.ReadString("ClassGUID"));
    device.FriendlyName = name("FriendlyName");
    device.Description = name("DeviceDesc");
    device.Name = IsBlankText(device.FriendlyName) ? device.Description : device.FriendlyName;
    device.Manufacturer = name("Mfg");
    device.Service = registry.ReadString("Service");
    device.Location = registry.ReadString("LocationInformation");

    const TPciLocation location = ParsePciLocation(device.Location);
    device.PCINumber = location.PCINumber;
    device.DeviceNumber = location.DeviceNumber;
    device.FunctionNumber = location.FunctionNumber;
    if (device.Location.empty()) {
        // The bus enumerator's service names where the device sits.
        const TServiceInfo bus = ReadServiceInfo(serviceOfLocation);
        device.Location = bus.DisplayName;
        device.ServiceGroup = bus.Group;
        device.ServiceType = bus.Type;
    }

    const TDeviceClassInfo deviceClass = ReadDeviceClassInfo(device.GUID);
    device.ClassName = deviceClass.ClassName;
    device.ClassDesc = deviceClass.ClassDesc;
    device.ClassIcon = deviceClass.ClassIcon;
    if (device.ClassName.empty())
        device.ClassName = registry.ReadString("Class");

    device.Driver = registry.ReadString("Driver");
    const TDriverInfo driver = ReadDriverInfo(device.Driver);
    device.DriverDate = driver.DriverDate;
    device.DriverVersion = driver.DriverVersion;
    device.DriverProvider = driver.DriverProvider;
    device.InfPath = driver.InfPath;
    const TServiceInfo service = ReadServiceInfo(device.Service);
    device.ServiceName = service.DisplayName;
    device.ServiceGroup = service.Group;
    device.ServiceType = service.Type;
}

void ReadHardwareIds(TDevice& device) {
    device.HardwareID = ReadRegValueAsText(HKEY_LOCAL_MACHINE, device.RegKey, "HardwareID", false);
    const TPciIds ids = ParsePciIds(device.HardwareID);
    device.VendorID = ids.VendorID;
    device.DeviceID = ids.DeviceID;
    device.SubSysID = ids.SubSysID;
    device.Revision = ids.Revision;
}

// When the device's "Control" key was last written, in the zone-shifted
// local time the device list has always shown.
void ReadTimeStamp(TRegistry& registry, TDevice& device) {
    if (!registry.OpenKey(device.RegKey + "\\Control"))
        return;
    FILETIME written{};
    if (RegQueryInfoKeyA(registry.CurrentKey(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, &written) == ERROR_SUCCESS)
        device.TimeStamp = LocalToBiasedTime(FileTimeToLocalDateTime(written));
    registry.CloseKey();
}

// The first non-empty plain string under "Device Parameters".
void ReadDeviceParam(TRegistry& registry, TDevice& device) {
    if (!registry.OpenKey(device.RegKey + "\\Device Parameters"))
        return;
    TStringList names;
    registry.GetValueNames(names);
    for (const std::string& name : names) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExA(registry.CurrentKey(), name.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            continue;
        const std::string text = registry.ReadString(name);
        if (!text.empty()) {
            device.DeviceParam = text;
            break;
        }
    }
    registry.CloseKey();
}

} // namespace

TVexor_Devices::TVexor_Devices(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_Devices::Refresh() {
    TVexor_Nolt_Component::Refresh();
    devices_.clear();
    if (IsNT())
        EnumerateNT();
    else
        Enumerate9x();
    // By class name in the user's collation, ignoring case.
    std::stable_sort(devices_.begin(), devices_.end(), [](const TDevice& a, const TDevice& b) {
        return LocaleTextLess(a.ClassName, b.ClassName);
    });
    SetDataPresent(true);
}

void TVexor_Devices::Devices(int index, TDevice& device) const {
    if (index >= 0 && index < DeviceCount())
        device = devices_[static_cast<size_t>(index)];
}

// Every present device instance (one with a "Control" key) of every device id
// of every enumerator.
void TVexor_Devices::EnumerateNT() {
    const std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    for (const std::string& enumerator : SubKeys(*registry, kNtEnum)) {
        const std::string enumeratorKey = std::string(kNtEnum) + "\\" + enumerator;
        for (const std::string& deviceId : SubKeys(*registry, enumeratorKey)) {
            const std::string deviceKey = enumeratorKey + "\\" + deviceId;
            for (const std::string& instance : SubKeys(*registry, deviceKey)) {
                const std::string instanceKey = deviceKey + "\\" + instance;
                if (!registry->OpenKey(instanceKey))
                    continue;
                if (!HasSubKey(*registry, "Control")) {
                    registry->CloseKey();
                    continue;
                }
                TDevice device;
                ReadDeviceKey(*registry, enumerator, true, device);
                device.RegKey = instanceKey;
                device.InstanceKey = instance;
                ReadHardwareIds(device);
                const TResourceList resources = FindResourceList(device.RegKey);
                device.ResourceListKey = resources.Key;
                device.ResourceListValue = resources.Value;
                device.SymbolicLink = FindSymbolicLink(device.HardwareID, device.InstanceKey);
                registry->CloseKey();
                ReadTimeStamp(*registry, device);
                ReadDeviceParam(*registry, device);
                if (IsBlankText(device.ClassName))
                    continue;
                device.DeviceClass = GetDeviceClassIndex(device.ClassName);
                devices_.push_back(std::move(device));
            }
        }
    }
}

// The devices the Configuration Manager has loaded, each once per class and
// description; network entries are left out.
void TVexor_Devices::Enumerate9x() {
    const std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_DYN_DATA);
    std::vector<std::string> entries;
    std::vector<std::string> hardwareKeys;
    for (const std::string& entry : SubKeys(*registry, kConfigManagerEnum)) {
        if (!registry->OpenKey(std::string(kConfigManagerEnum) + "\\" + entry))
            continue;
        entries.push_back(entry);
        hardwareKeys.push_back(registry->ReadString("HardwareKey"));
        registry->CloseKey();
    }

    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    std::vector<std::string> added;
    for (size_t index = 0; index < hardwareKeys.size(); ++index) {
        const std::string& hardwareKey = hardwareKeys[index];
        if (UpperText(hardwareKey).find("NETWORK") != std::string::npos)
            continue;
        TDevice device;
        device.RegKey = std::string(k9xEnum) + "\\" + hardwareKey;
        if (!registry->OpenKey(device.RegKey))
            continue;
        ReadDeviceKey(*registry, entries[index], false, device);
        device.InstanceKey = hardwareKey;
        ReadHardwareIds(device);
        if (!IsBlankText(device.ClassName)) {
            const std::string key = device.ClassName + "-" + device.Description;
            if (std::none_of(added.begin(), added.end(),
                             [&](const std::string& seen) { return SameText(seen, key); })) {
                added.push_back(key);
                device.DeviceClass = GetDeviceClassIndex(device.ClassName);
                devices_.push_back(std::move(device));
            }
        }
        registry->CloseKey();
    }
}
