#include "Dask_OS_Internet.h"

TVexor_Internet::TVexor_Internet(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_Internet::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
