#pragma once
// The sub-component of the operating-system component for Windows Vista's own settings.
#include "Dask_Common.h"

class TVexor_VistaSpecific : public TVexor_Nolt_Component {
public:
    explicit TVexor_VistaSpecific(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }
};
