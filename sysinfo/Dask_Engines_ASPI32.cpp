#include "Dask_Engines_ASPI32.h"

TVexor_ASPI32::TVexor_ASPI32(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_ASPI32::Refresh() {
    TVexor_Nolt_Component::Refresh();
    SetDataPresent(true);
}
