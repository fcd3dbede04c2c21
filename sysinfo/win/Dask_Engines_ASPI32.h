#pragma once
// The ASPI32 sub-component of the engines component: whether an ASPI for
// Win32 layer is installed and working, its version, and the SCSI devices it
// reports.
#include "Dask_Common.h"
#include "Vexor_WnASPI32.h"

#include <string>

class TVexor_ASPI32 : public TVexor_Nolt_Component {
public:
    explicit TVexor_ASPI32(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    // Published: the layer library's "FileVersion", empty without a working layer.
    const std::string& ASPI() const { return aspi_; }

    // Not published: what the last enumeration found.
    int32_t AdapterCount() const { return devices_.AdapterCount; }
    const TStringList& Host() const { return devices_.Host; }
    const TStringList& ID() const { return devices_.ID; }
    const TStringList& LUN() const { return devices_.LUN; }
    const TStringList& Typ() const { return devices_.Typ; }
    const TStringList& Status() const { return devices_.Status; }
    const TStringList& Vendor() const { return devices_.Vendor; }
    const TStringList& Model() const { return devices_.Model; }
    const TStringList& Revision() const { return devices_.Revision; }
    const TStringList& Extra() const { return devices_.Extra; }

    // The bound on the wait for each pending command, in milliseconds.
    DWORD CommandTimeout() const { return commandTimeout_; }
    void SetCommandTimeout(DWORD milliseconds) { commandTimeout_ = milliseconds; }

protected:
    std::string aspi_;
    TAspiDevices devices_;
    DWORD commandTimeout_ = kAspiCommandTimeout;
};
