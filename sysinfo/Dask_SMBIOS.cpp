#include "Dask_SMBIOS.h"

TVexor_SMBIOS::TVexor_SMBIOS(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_SMBIOS::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
