#pragma once
// The SMBIOS sub-component of the machine component: the firmware's structure table.
#include "Dask_Common.h"

class TVexor_SMBIOS : public TVexor_Nolt_Component {
public:
    explicit TVexor_SMBIOS(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
