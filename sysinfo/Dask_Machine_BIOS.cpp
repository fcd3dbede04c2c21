#include "Dask_Machine_BIOS.h"

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_BIOS::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
