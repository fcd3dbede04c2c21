#include "Dask_Engines.h"

TVexor_Engines::TVexor_Engines(TComponent* owner) : TVexor_Nolt_Component(owner) {
    directX_ = new TVexor_DirectX(this);
    directX_->SetName("DirectX");
    aspi32_ = new TVexor_ASPI32(this);
    aspi32_->SetName("ASPI32");
}

TVexor_Engines::~TVexor_Engines() {
    delete directX_;
    delete aspi32_;
}

void TVexor_Engines::Refresh() {
    TVexor_Nolt_Component::Refresh();
    directX_->Refresh();
    aspi32_->Refresh();
    SetDataPresent(true);
}
