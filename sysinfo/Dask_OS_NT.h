#pragma once
// The sub-component of the operating-system component for what only the NT family has.
#include "Dask_Common.h"

class TVexor_NTSpecific : public TVexor_Nolt_Component {
public:
    explicit TVexor_NTSpecific(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
