#include "Dask_OS_Vista.h"

TVexor_VistaSpecific::TVexor_VistaSpecific(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_VistaSpecific::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
