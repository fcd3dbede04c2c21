#include "Dask_DMA.h"

#include "sysinfo/Dask_DMA_Program.h"
#include "Dask_DMA_RealMode.h"
#include "Vexor_Native.h"
#include "Vexor_Routines.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr ACCESS_MASK kSectionMapRead = 4;
constexpr ULONG kObjCaseInsensitive = 0x40;
constexpr wchar_t kPhysicalMemory[] = L"\\Device\\PhysicalMemory";

// A section handle from NtOpenSection, given back with NtClose.
class TNtSection {
public:
    TNtSection() = default;
    ~TNtSection() {
        if (handle_ && NtDll().NtClose)
            NtDll().NtClose(handle_);
    }
    TNtSection(const TNtSection&) = delete;
    TNtSection& operator=(const TNtSection&) = delete;
    HANDLE* Put() { return &handle_; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// Real-mode programs run only beside 32-bit Windows code: a 32-bit process
// under WOW64 has no 16-bit subsystem, and a 64-bit process (the 64-bit build
// of this reader) has none on any Windows either, so both skip the fallback.
bool HasSixteenBitSubsystem() {
    return sizeof(void*) == 4 && !IsWow64();
}

} // namespace

TVexor_DMA::TVexor_DMA(TComponent* owner) : TVexor_Nolt_Component(owner) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    pageSize_ = info.dwPageSize;
}

void TVexor_DMA::LoadFromBuffer(const void* source, std::size_t offset, std::size_t count) {
    range_.LoadFromBuffer(source, offset, count);
    SetDataPresent(true);
}

void TVexor_DMA::Refresh() {
    range_.MutableMemory().assign(range_.MemorySize(), 0);
    realModeRefused_ = false;
    bool read = false;
    if (HostVersionInfo().dwPlatformId == VER_PLATFORM_WIN32_NT) {
        read = ReadPhysicalSection();
        if (!read && HasSixteenBitSubsystem())
            read = ReadRealMode();
    } else {
        read = ReadLinear();
    }
    SetReadOutcome(read);
}

void TVexor_DMA::RefreshFromRealMode() {
    range_.MutableMemory().assign(range_.MemorySize(), 0);
    realModeRefused_ = false;
    SetReadOutcome(ReadRealMode());
}

void TVexor_DMA::SetReadOutcome(bool read) {
    if (read)
        range_.SetDataPresent(true);
    else
        range_.Clear();
    SetDataPresent(read);
}

bool TVexor_DMA::ReadPhysicalSection() {
    BindNtDll();
    const TNtDllEntryPoints& nt = NtDll();
    if (!nt.NtOpenSection || !nt.NtClose)
        return false;
    UNICODE_STRING name;
    name.Length = sizeof kPhysicalMemory - sizeof(wchar_t);
    name.MaximumLength = sizeof kPhysicalMemory;
    name.Buffer = const_cast<PWSTR>(kPhysicalMemory);
    static_assert(sizeof kPhysicalMemory - sizeof(wchar_t) == 44 && sizeof kPhysicalMemory == 46);
    OBJECT_ATTRIBUTES attributes{};
    attributes.Length = sizeof attributes;
    attributes.RootDirectory = nullptr;
    attributes.ObjectName = &name;
    attributes.Attributes = kObjCaseInsensitive;
    TNtSection section;
    if (nt.NtOpenSection(section.Put(), kSectionMapRead, &attributes) != 0)
        return false;

    const std::uint32_t page = pageSize_ ? pageSize_ : 4096;
    const std::uint32_t base = range_.StartAddress() / page * page;
    const std::uint32_t skew = range_.StartAddress() - base;
    UniqueMappedView view(MapViewOfFile(section.Get(), FILE_MAP_READ, 0, base, range_.MemorySize() + skew));
    if (!view)
        return false;
    std::memcpy(range_.MutableMemory().data(), static_cast<const std::uint8_t*>(view.Get()) + skew,
                range_.MemorySize());
    return true;
}

// The real-mode program serves the 64 KB segment holding StartAddress; bytes
// of a range that runs past the segment's end stay 0.
bool TVexor_DMA::ReadRealMode() {
    const std::uint8_t selector = RealModeSelector(range_.StartAddress());
    const std::uint16_t offset = RealModeOffset(range_.StartAddress());
    std::vector<std::uint8_t> segment;
    const TRealModeDump dump = DumpRealModeSegment(selector, segment, kRealModeWaitLimit);
    realModeRefused_ = dump == TRealModeDump::Refused;
    if (dump != TRealModeDump::Dumped)
        return false;
    const std::size_t available = kRealModeSegmentSize - offset;
    const std::size_t count = range_.MemorySize() < available ? range_.MemorySize() : available;
    std::memcpy(range_.MutableMemory().data(), segment.data() + offset, count);
    return true;
}

// Windows 9x maps the first megabyte into every process. Reading through
// ReadProcessMemory makes an unmapped address a failed read, not a fault.
bool TVexor_DMA::ReadLinear() {
    SIZE_T read = 0;
    return ReadProcessMemory(GetCurrentProcess(),
                             reinterpret_cast<LPCVOID>(std::uintptr_t{range_.StartAddress()}),
                             range_.MutableMemory().data(), range_.MemorySize(), &read) &&
           read == range_.MemorySize();
}
