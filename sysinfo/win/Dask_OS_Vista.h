#pragma once
// The sub-component of the operating-system component for Windows Vista's own
// settings: whether User Account Control and file and registry virtualization
// are switched on. Its owner refreshes it on Vista only.
#include "Dask_Common.h"

class TVexor_VistaSpecific : public TVexor_Nolt_Component {
public:
    explicit TVexor_VistaSpecific(TComponent* owner);
    // Reads the system policy key; a value that is missing keeps its previous
    // state, one that is not a DWORD raises the registry's data-type error.
    // Leaves DataPresent as it is.
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    // "EnableLUA" is 1.
    bool UserAccountControl() const { return userAccountControl_; }
    // "EnableVirtualization" is 1.
    bool Virtualization() const { return virtualization_; }

private:
    bool userAccountControl_ = false;
    bool virtualization_ = false;
};
