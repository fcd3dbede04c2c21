#include "Vexor_WnASPI32.h"

#include "base/Exception.h"
#include "base/win/BoundLibrary.h"
#include "base/win/Handles.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using TGetASPI32SupportInfo = DWORD(__cdecl*)();
using TSendASPI32Command = DWORD(__cdecl*)(void*);

#define VEXOR_WNASPI32_ENTRY_POINTS(X)                                                                       \
    X(GetASPI32SupportInfo)                                                                                  \
    X(SendASPI32Command)

struct TAspiEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_WNASPI32_ENTRY_POINTS, BOUND_NAMED_SLOT)
};

constexpr BYTE kTestUnitReady[6] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr BYTE kInquiry[6] = {0x12, 0x00, 0x00, 0x00, static_cast<BYTE>(kAspiInquiryLength), 0x00};
constexpr BYTE kTargetsPerAdapter = 16;

// Everything the layer may touch while a command to one device runs: the
// completion event, the request block and the inquiry data. They are kept
// together so that a request the layer never completes can be kept alive.
struct DeviceCommands {
    UniqueHandle event;
    SRB_ExecSCSICmd request{};
    BYTE inquiry[kAspiInquiryLength]{};
};

// The layer is done with a request once it has signalled the event; until
// then it may still write into it.
bool Finished(const DeviceCommands& commands) {
    return WaitForSingleObject(commands.event.Get(), 0) == WAIT_OBJECT_0;
}

// The process-wide binding of the layer library.
class AspiBinding {
public:
    AspiBinding() = default;
    AspiBinding(const AspiBinding&) = delete;
    AspiBinding& operator=(const AspiBinding&) = delete;

    // At program end: release what we loaded. An error can no longer be shown
    // then, and requests the layer still holds are left to the process exit.
    ~AspiBinding() {
        try {
            Unbind();
        } catch (const Exception&) {
        }
        for (auto& commands : abandoned_)
            (void)commands.release();
    }

    bool Bind() {
        ReclaimCompleted();
        // A library someone else loaded is theirs to release; once they have,
        // the handle we kept is stale and the layer is looked up afresh.
        if (layer_.Handle() && !layer_.Owned() && GetModuleHandleA(kAspiLibraryName) != layer_.Handle())
            layer_.Forget();
        layer_.AttachOnce();
        layer_.Resolve();
        return layer_.Handle() && layer_.Functions().GetASPI32SupportInfo &&
               layer_.Functions().SendASPI32Command;
    }

    void Unbind() {
        ReclaimCompleted();
        // The layer may still complete into requests we gave up on.
        if (layer_.Owned() && !abandoned_.empty())
            return;
        layer_.Detach();
    }

    DWORD SupportInfo() const { return layer_.Functions().GetASPI32SupportInfo(); }
    DWORD Send(void* request) const { return layer_.Functions().SendASPI32Command(request); }

    void Abandon(std::unique_ptr<DeviceCommands> commands) { abandoned_.push_back(std::move(commands)); }
    size_t AbandonedCount() {
        ReclaimCompleted();
        return abandoned_.size();
    }

private:
    void ReclaimCompleted() {
        std::erase_if(abandoned_, [](const auto& commands) { return Finished(*commands); });
    }

    TBoundLibrary<TAspiEntryPoints> layer_{kAspiLibraryName};
    std::vector<std::unique_ptr<DeviceCommands>> abandoned_;
};

AspiBinding& Binding() {
    static AspiBinding binding;
    return binding;
}

// One device's entries, appended to the nine lists once its commands are done.
struct DeviceRow {
    BYTE host = 0;
    BYTE target = 0;
    BYTE lun = 0;
    BYTE type = 0;
    std::string status;
    std::string vendor;
    std::string model;
    std::string revision;
    std::string extra;
};

void Append(TAspiDevices& devices, DeviceRow row) {
    devices.Host.Add(std::to_string(row.host));
    devices.ID.Add(std::to_string(row.target));
    devices.LUN.Add(std::to_string(row.lun));
    devices.Typ.Add(std::to_string(row.type));
    devices.Status.Add(std::move(row.status));
    devices.Vendor.Add(std::move(row.vendor));
    devices.Model.Add(std::move(row.model));
    devices.Revision.Add(std::move(row.revision));
    devices.Extra.Add(std::move(row.extra));
}

// A fixed-width inquiry field as text: up to its first NUL, blanks kept.
std::string InquiryField(const BYTE* data, size_t offset, size_t width) {
    const char* field = reinterpret_cast<const char*>(data + offset);
    return std::string(field, strnlen(field, width));
}

// Sends one execute-SCSI request with event completion. False when the layer
// accepted it as pending and did not signal its completion within the bound.
// Once signalled, the request's status is taken as it reads, pending included.
bool Execute(const AspiBinding& layer, DeviceCommands& commands, BYTE host, BYTE target, BYTE flags,
             DWORD length, BYTE* buffer, const BYTE (&cdb)[6], DWORD timeout) {
    SRB_ExecSCSICmd& request = commands.request;
    std::memset(&request, 0, sizeof request);
    request.SRB_Cmd = SC_EXEC_SCSI_CMD;
    request.SRB_HaId = host;
    request.SRB_Flags = flags;
    request.SRB_Target = target;
    request.SRB_Lun = 0;
    request.SRB_BufLen = length;
    request.SRB_BufPointer = buffer;
    request.SRB_SenseLen = kAspiSenseLength;
    request.SRB_CDBLen = sizeof cdb;
    request.SRB_PostProc = commands.event.Get();
    std::memcpy(request.CDBByte, cdb, sizeof cdb);
    if (layer.Send(&request) != SS_PENDING)
        return true;
    return WaitForSingleObject(commands.event.Get(), timeout) == WAIT_OBJECT_0;
}

// TEST UNIT READY, then INQUIRY. False when the layer did not signal a
// command's completion in time; its request then stays with the layer.
bool ProbeDevice(AspiBinding& layer, DeviceRow& row, DWORD timeout) {
    auto commands = std::make_unique<DeviceCommands>();
    commands->event.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!commands->event)
        return true;

    const bool ready = Execute(layer, *commands, row.host, row.target, SRB_EVENT_NOTIFY, 0, nullptr,
                               kTestUnitReady, timeout);
    row.status = std::to_string(commands->request.SRB_Status);
    if (!ready) {
        layer.Abandon(std::move(commands));
        return false;
    }

    ResetEvent(commands->event.Get());
    std::memset(commands->inquiry, 0, sizeof commands->inquiry);
    const bool answered = Execute(layer, *commands, row.host, row.target, SRB_DIR_IN | SRB_EVENT_NOTIFY,
                                  kAspiInquiryLength, commands->inquiry, kInquiry, timeout);
    const BYTE status = commands->request.SRB_Status;
    row.status = std::to_string(status);
    if (!answered) {
        layer.Abandon(std::move(commands));
        return false;
    }
    if (status == SS_COMP) {
        row.vendor = InquiryField(commands->inquiry, 8, 8);
        row.model = InquiryField(commands->inquiry, 16, 16);
        row.revision = InquiryField(commands->inquiry, 32, 4);
        row.extra = InquiryField(commands->inquiry, 36, 20);
    }
    return true;
}

} // namespace

bool BindAspiLayer() {
    return Binding().Bind();
}

void UnbindAspiLayer() {
    Binding().Unbind();
}

size_t AbandonedAspiRequests() {
    return Binding().AbandonedCount();
}

DWORD EnumerateAspiDevices(TAspiDevices& devices, DWORD commandTimeout) {
    AspiBinding& layer = Binding();
    if (!layer.Bind())
        return 0;

    for (TStringList* list : {&devices.Host, &devices.ID, &devices.LUN, &devices.Typ, &devices.Status,
                              &devices.Vendor, &devices.Model, &devices.Revision, &devices.Extra})
        list->Clear();

    const DWORD support = layer.SupportInfo();
    if (AspiSupportStatus(support) != SS_COMP)
        return support;
    devices.AdapterCount = AspiAdapterCount(support);

    for (int adapter = 0; adapter < devices.AdapterCount; ++adapter) {
        const BYTE host = static_cast<BYTE>(adapter);
        SRB_HAInquiry inquiry{};
        inquiry.SRB_Cmd = SC_HA_INQUIRY;
        inquiry.SRB_HaId = host;
        if (layer.Send(&inquiry) != SS_COMP)
            continue;

        for (BYTE target = 0; target < kTargetsPerAdapter; ++target) {
            SRB_GDEVBlock device{};
            device.SRB_Cmd = SC_GET_DEV_TYPE;
            device.SRB_HaId = host;
            device.SRB_Target = target;
            device.SRB_Lun = 0;
            if (layer.Send(&device) != SS_COMP)
                continue;

            DeviceRow row;
            row.host = host;
            row.target = target;
            row.lun = device.SRB_Lun;
            row.type = device.SRB_DeviceType;
            const bool completed = ProbeDevice(layer, row, commandTimeout);
            Append(devices, std::move(row));
            // A layer that left a command hanging is not asked anything more:
            // each further command could cost the whole bound again.
            if (!completed)
                return support;
        }
    }
    return support;
}
