#pragma once
// The BIOS sub-component of the machine component.
#include "Dask_Common.h"

class TVexor_BIOS : public TVexor_Nolt_Component {
public:
    // No constructor of its own: the base one serves.
    using TVexor_Nolt_Component::TVexor_Nolt_Component;
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
