#pragma once
// The machine component.
#include "Dask_Common.h"

#include <string>

class TVexor_Machine : public TVexor_Nolt_Component {
public:
    explicit TVexor_Machine(TComponent* owner);
    void Refresh() override;

    const std::string& MachineName() const { return machineName_; }

protected:
    std::string machineName_;
};
