#pragma once
// Binding of the ASPI for Win32 layer ("wnaspi32.dll") and the enumeration
// of the SCSI devices it reports.
//
// The layer is an optional system library: it is bound by name when a
// refresh needs it and released again by whoever loaded it. One binding
// serves the whole process.
#include "base/StringList.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

inline constexpr const char* kAspiLibraryName = "wnaspi32.dll";

// Command codes, status codes and request flags of the ASPI for Win32 interface.
inline constexpr BYTE SC_HA_INQUIRY = 0x00;
inline constexpr BYTE SC_GET_DEV_TYPE = 0x01;
inline constexpr BYTE SC_EXEC_SCSI_CMD = 0x02;

inline constexpr BYTE SS_PENDING = 0x00;
inline constexpr BYTE SS_COMP = 0x01;

inline constexpr BYTE SRB_DIR_IN = 0x08;
inline constexpr BYTE SRB_EVENT_NOTIFY = 0x40;

inline constexpr BYTE kAspiSenseLength = 14;
inline constexpr DWORD kAspiInquiryLength = 100;

// The wait for a command the layer accepted as pending. A layer signals every
// request it accepts, and the signal ends the command whatever status the
// request then shows; a layer that never signals must not hang the program,
// so the wait is bounded and its expiry counts as a failed command.
inline constexpr DWORD kAspiCommandTimeout = 10000; // milliseconds

#pragma pack(push, 1)

// Host adapter inquiry (SC_HA_INQUIRY).
struct SRB_HAInquiry {
    BYTE SRB_Cmd;           // 00h
    BYTE SRB_Status;        // 01h
    BYTE SRB_HaId;          // 02h
    BYTE SRB_Flags;         // 03h
    DWORD SRB_Hdr_Rsvd;     // 04h
    BYTE HA_Count;          // 08h
    BYTE HA_SCSI_ID;        // 09h
    BYTE HA_ManagerId[16];  // 0Ah
    BYTE HA_Identifier[16]; // 1Ah
    BYTE HA_Unique[16];     // 2Ah
    WORD HA_Rsvd1;          // 3Ah
};

// Get device type (SC_GET_DEV_TYPE).
struct SRB_GDEVBlock {
    BYTE SRB_Cmd;        // 00h
    BYTE SRB_Status;     // 01h
    BYTE SRB_HaId;       // 02h
    BYTE SRB_Flags;      // 03h
    DWORD SRB_Hdr_Rsvd;  // 04h
    BYTE SRB_Target;     // 08h
    BYTE SRB_Lun;        // 09h
    BYTE SRB_DeviceType; // 0Ah
    BYTE SRB_Rsvd1;      // 0Bh
};

// Execute SCSI command (SC_EXEC_SCSI_CMD). Offsets are those of the 32-bit
// layer; the pointer-sized fields widen in a 64-bit build.
struct SRB_ExecSCSICmd {
    BYTE SRB_Cmd;         // 00h
    BYTE SRB_Status;      // 01h
    BYTE SRB_HaId;        // 02h
    BYTE SRB_Flags;       // 03h
    DWORD SRB_Hdr_Rsvd;   // 04h
    BYTE SRB_Target;      // 08h
    BYTE SRB_Lun;         // 09h
    WORD SRB_Rsvd1;       // 0Ah
    DWORD SRB_BufLen;     // 0Ch
    BYTE* SRB_BufPointer; // 10h
    BYTE SRB_SenseLen;    // 14h
    BYTE SRB_CDBLen;      // 15h
    BYTE SRB_HaStat;      // 16h
    BYTE SRB_TargStat;    // 17h
    HANDLE SRB_PostProc;  // 18h: the completion event with SRB_EVENT_NOTIFY
    BYTE SRB_Rsvd2[20];   // 1Ch
    BYTE CDBByte[16];     // 30h
    BYTE SenseArea[16];   // 40h: sense length plus two
};

#pragma pack(pop)

static_assert(sizeof(SRB_HAInquiry) == 60);
static_assert(offsetof(SRB_HAInquiry, SRB_HaId) == 2);
static_assert(sizeof(SRB_GDEVBlock) == 12);
static_assert(offsetof(SRB_GDEVBlock, SRB_HaId) == 2);
static_assert(offsetof(SRB_GDEVBlock, SRB_Target) == 8);
static_assert(offsetof(SRB_GDEVBlock, SRB_Lun) == 9);
static_assert(offsetof(SRB_GDEVBlock, SRB_DeviceType) == 10);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_Status) == 1);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_HaId) == 2);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_Flags) == 3);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_Target) == 8);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_Lun) == 9);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_BufLen) == 12);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_BufPointer) == 16);
#if defined(__i386__)
static_assert(sizeof(SRB_ExecSCSICmd) == 80);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_SenseLen) == 20);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_CDBLen) == 21);
static_assert(offsetof(SRB_ExecSCSICmd, SRB_PostProc) == 24);
static_assert(offsetof(SRB_ExecSCSICmd, CDBByte) == 48);
#endif

// The status byte (bits 8 to 15) and the host adapter count (bits 0 to 7) of
// a GetASPI32SupportInfo result.
inline BYTE AspiSupportStatus(DWORD supportInfo) {
    return static_cast<BYTE>((supportInfo >> 8) & 0xFF);
}
inline BYTE AspiAdapterCount(DWORD supportInfo) {
    return static_cast<BYTE>(supportInfo & 0xFF);
}

// What one enumeration found: entry i of every list belongs to the i-th device.
struct TAspiDevices {
    int32_t AdapterCount = 0;
    TStringList Host;
    TStringList ID;
    TStringList LUN;
    TStringList Typ;
    TStringList Status;
    TStringList Vendor;
    TStringList Model;
    TStringList Revision;
    TStringList Extra;
};

// True when the layer library is in the process with both entry points. A
// library that was already loaded is used as it is; otherwise it is loaded.
bool BindAspiLayer();

// Releases the layer library if BindAspiLayer loaded it. A failed release
// raises "Unload Error: %s - 0x%x" and the handle stays held.
void UnbindAspiLayer();

// Lists the devices of every host adapter with TEST UNIT READY and INQUIRY.
// Gives the GetASPI32SupportInfo value, or 0 when the layer cannot be bound
// (the lists are then left as they were). A device's status is the request's
// status once the layer signals completion. commandTimeout bounds the wait
// for that signal; after an expiry no further command is sent in this
// enumeration and the device keeps the pending status 0.
DWORD EnumerateAspiDevices(TAspiDevices& devices, DWORD commandTimeout = kAspiCommandTimeout);

// The requests the layer accepted but did not signal within the bound. They
// stay allocated (the layer may still write into them), and while any is
// outstanding the library is not released.
size_t AbandonedAspiRequests();
