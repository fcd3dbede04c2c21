#include "Dask_Machine.h"

#include "Dask_Devices.h"
#include "sysinfo/Dask_Machine_Session.h"
#include "Vexor_Routines.h"
#include "base/Exception.h"

#include <windows.h>

#include <memory>

TVexor_Machine::TVexor_Machine(TComponent* owner) : TVexor_Nolt_Component(owner) {
    smbios_ = new TVexor_SMBIOS(this);
    smbios_->SetName("SMBIOS");
    bios_ = new TVexor_BIOS(this);
    bios_->SetName("BIOS");
}

TVexor_Machine::~TVexor_Machine() {
    delete bios_;
    delete smbios_;
}

void TVexor_Machine::Refresh() {
    TVexor_Nolt_Component::Refresh();
    FindComputerDevice();
    RefreshTimed(*bios_);
    RefreshTimed(*smbios_);

    try {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        lastBoot_ = LastBootFrom(EncodeDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                                now.wSecond, now.wMilliseconds),
                                 GetTickCount());
    } catch (const Exception&) {
        lastBoot_ = 0;
    }
    systemUpTime_ = SystemUpTimeFromTicks(GetTickCount());

    machineName_ = GetMachineName();
    user_ = GetInteractiveUser();
    if (user_.empty())
        user_ = GetCurrentUserName();

    BYTE keyState[256] = {};
    GetKeyboardState(keyState);
    const TLockKeys keys = LockKeysFrom(keyState);
    capsLock_ = keys.CapsLock;
    numLock_ = keys.NumLock;
    scrollLock_ = keys.ScrollLock;

    SetDataPresent(true);
}

// The name of the first device of the "Computer" class, from a device
// enumeration made for this refresh only; without such a device Computer
// keeps what it had.
void TVexor_Machine::FindComputerDevice() {
    std::unique_ptr<TVexor_Devices> devices(new TVexor_Devices(this));
    RefreshTimed(*devices);
    for (int index = 0; index < devices->DeviceCount(); ++index) {
        TDevice device;
        devices->Devices(index, device);
        if (device.DeviceClass == dcComputer) {
            computer_ = device.Name;
            break;
        }
    }
}
