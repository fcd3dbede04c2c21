#include "Dask_Engines_DirectX.h"

TVexor_DirectX::TVexor_DirectX(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_DirectX::Refresh() {
    TVexor_Nolt_Component::Refresh();
    SetDataPresent(true);
}
