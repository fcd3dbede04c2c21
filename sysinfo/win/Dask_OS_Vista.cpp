#include "Dask_OS_Vista.h"

#include "Vexor_Routines_Registry.h"

namespace {

const char kPolicies[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

} // namespace

TVexor_VistaSpecific::TVexor_VistaSpecific(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_VistaSpecific::Refresh() {
    TVexor_Nolt_Component::Refresh();
    auto registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry->OpenKey(kPolicies))
        return;
    if (registry->ValueExists("EnableLUA"))
        userAccountControl_ = registry->ReadInteger("EnableLUA") == 1;
    if (registry->ValueExists("EnableVirtualization"))
        virtualization_ = registry->ReadInteger("EnableVirtualization") == 1;
    registry->CloseKey();
}
