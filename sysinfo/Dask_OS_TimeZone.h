#pragma once
// The time-zone sub-component of the operating-system component.
#include "Dask_Common.h"

class TVexor_TimeZone : public TVexor_Nolt_Component {
public:
    explicit TVexor_TimeZone(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
