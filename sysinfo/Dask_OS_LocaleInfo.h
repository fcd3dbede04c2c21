#pragma once
// The locale sub-component of the operating-system component.
#include "Dask_Common.h"

class TVexor_LocaleInfo : public TVexor_Nolt_Component {
public:
    explicit TVexor_LocaleInfo(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
