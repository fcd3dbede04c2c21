#pragma once
// The BIOS sub-component of the machine component: the BIOS name, date,
// copyright banner and extended information line, from the registry's
// hardware description on the NT family and from the BIOS ROM on Windows 9x.
#include "Dask_Common.h"

#include <string>

class TVexor_BIOS : public TVexor_Nolt_Component {
public:
    // No constructor of its own: the base one serves.
    using TVexor_Nolt_Component::TVexor_Nolt_Component;
    void Refresh() override;

    const std::string& Copyright() const { return copyright_; }
    const std::string& Date() const { return date_; }
    const std::string& ExtendedInfo() const { return extendedInfo_; }
    const std::string& NameString() const { return nameString_; }

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

protected:
    std::string copyright_;
    std::string date_;
    std::string extendedInfo_;
    std::string nameString_;
};
