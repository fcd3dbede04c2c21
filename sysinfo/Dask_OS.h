#pragma once
// The operating-system component.
#include "Dask_Common.h"

#include <string>

class TVexor_OperatingSystem : public TVexor_Nolt_Component {
public:
    explicit TVexor_OperatingSystem(TComponent* owner);
    void Refresh() override;

    const std::string& OSName() const { return osName_; }
    const std::string& OSEdition() const { return osEdition_; }
    const std::string& BuildLab() const { return buildLab_; }

protected:
    std::string osName_;
    std::string osEdition_;
    std::string buildLab_;
};
