#pragma once
// The ASPI32 sub-component of the engines component.
#include "Dask_Common.h"

#include <string>

class TVexor_ASPI32 : public TVexor_Nolt_Component {
public:
    explicit TVexor_ASPI32(TComponent* owner);
    void Refresh() override;

    const std::string& ASPI() const { return aspi_; }

protected:
    std::string aspi_;
};
