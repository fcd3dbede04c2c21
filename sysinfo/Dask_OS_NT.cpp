#include "Dask_OS_NT.h"

TVexor_NTSpecific::TVexor_NTSpecific(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_NTSpecific::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
