#include "Dask_Machine.h"

TVexor_Machine::TVexor_Machine(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_Machine::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
