#pragma once
// The machine component: the computer's name, the interactive user, how long
// Windows has been running, the lock keys, the "Computer" device, and the
// BIOS and SMBIOS sub-components.
#include "Dask_Common.h"
#include "Dask_Machine_BIOS.h"
#include "Dask_SMBIOS.h"
#include "sysinfo/Vexor_Datetime.h"

#include <cstdint>
#include <string>

class TVexor_Machine : public TVexor_Nolt_Component {
public:
    explicit TVexor_Machine(TComponent* owner);
    ~TVexor_Machine() override;
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    const std::string& MachineName() const { return machineName_; }
    const std::string& User() const { return user_; }
    int64_t SystemUpTime() const { return systemUpTime_; }
    TDateTime LastBoot() const { return lastBoot_; }
    bool CapsLock() const { return capsLock_; }
    bool NumLock() const { return numLock_; }
    bool ScrollLock() const { return scrollLock_; }
    const std::string& Computer() const { return computer_; }
    TVexor_SMBIOS* SMBIOS() const { return smbios_; }
    TVexor_BIOS* BIOS() const { return bios_; }

protected:
    std::string machineName_;
    std::string user_;
    int64_t systemUpTime_ = 0;
    TDateTime lastBoot_ = 0;
    bool capsLock_ = false;
    bool numLock_ = false;
    bool scrollLock_ = false;
    std::string computer_;
    TVexor_SMBIOS* smbios_ = nullptr;
    TVexor_BIOS* bios_ = nullptr;

private:
    void FindComputerDevice();
};
