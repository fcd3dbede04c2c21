#pragma once
// The internet-settings sub-component of the operating-system component.
#include "Dask_Common.h"

class TVexor_Internet : public TVexor_Nolt_Component {
public:
    explicit TVexor_Internet(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
