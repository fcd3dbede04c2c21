#include "Dask_Engines_DirectX.h"

#include "sysinfo/Dask_Engines_Rules.h"
#include "Vexor_Routines.h"
#include "base/Exception.h"

TVexor_DirectX::TVexor_DirectX(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_DirectX::Refresh() {
    TVexor_Nolt_Component::Refresh();
    const auto registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    RefreshVersion(*registry);
    RefreshLists(*registry);
    SetDataPresent(true);
}

// The version is kept from the last refresh that found one: only an existing
// "Version" value replaces it, and "InstalledVersion" is asked only while the
// text is empty.
void TVexor_DirectX::RefreshVersion(TRegistry& registry) {
    if (!registry.OpenKey("\\SOFTWARE\\Microsoft\\DirectX"))
        return;
    if (registry.ValueExists("Version"))
        version_ = registry.ReadString("Version");
    if (version_.empty() && registry.ValueExists("InstalledVersion"))
        ReadInstalledVersion(registry);
    registry.CloseKey();
}

// DirectX setup records "InstalledVersion" as raw bytes, 4 or 8 of them (the
// 8-byte form holds two big-endian numbers, 00 00 00 09 00 00 00 00 for
// DirectX 9). A value that neither read accepts leaves the version alone.
void TVexor_DirectX::ReadInstalledVersion(const TRegistry& registry) {
    unsigned char bytes[255] = {};
    try {
        registry.ReadBinaryData("InstalledVersion", bytes, 4);
    } catch (const Exception&) {
        try {
            registry.ReadBinaryData("InstalledVersion", bytes, 8);
        } catch (const Exception&) {
            return;
        }
    }
    version_ = DirectXInstalledVersionText(bytes);
}

void TVexor_DirectX::RefreshLists(TRegistry& registry) {
    static const struct {
        const char* key;
        TStringList TVexor_DirectX::*list;
    } kLists[] = {
        {"\\SOFTWARE\\Microsoft\\Direct3D\\Drivers", &TVexor_DirectX::direct3D_},
        {"\\SOFTWARE\\Microsoft\\DirectPlay\\Services", &TVexor_DirectX::directPlay_},
        {"\\SOFTWARE\\Microsoft\\DirectMusic\\SoftwareSynths", &TVexor_DirectX::directMusic_},
    };
    for (const auto& row : kLists)
        (this->*row.list).Clear();

    TStringList subKeys;
    for (const auto& row : kLists) {
        subKeys.Clear();
        if (registry.OpenKey(row.key)) {
            registry.GetKeyNames(subKeys);
            registry.CloseKey();
        }
        for (const std::string& subKey : subKeys) {
            if (registry.OpenKey(std::string(row.key) + "\\" + subKey) && registry.ValueExists("Description"))
                (this->*row.list).Add(registry.ReadString("Description"));
            registry.CloseKey();
        }
    }
}
