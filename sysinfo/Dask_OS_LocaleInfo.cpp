#include "Dask_OS_LocaleInfo.h"

TVexor_LocaleInfo::TVexor_LocaleInfo(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Gathers nothing of its own yet: only the base refresh runs.
void TVexor_LocaleInfo::Refresh() {
    TVexor_Nolt_Component::Refresh();
}
