#include "Dask_OS.h"

TVexor_OperatingSystem::TVexor_OperatingSystem(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_OperatingSystem::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
