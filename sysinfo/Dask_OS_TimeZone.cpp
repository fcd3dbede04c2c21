#include "Dask_OS_TimeZone.h"

TVexor_TimeZone::TVexor_TimeZone(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_TimeZone::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
