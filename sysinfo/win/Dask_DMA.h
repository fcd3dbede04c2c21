#pragma once
// The physical memory reader: copies a range of physical memory below 1 MB
// into a buffer of its own and reads bytes, words, double words and strings
// from it by physical address, never outside the bytes it holds. It reads
// through the kernel's physical memory section, the real-mode dump program,
// or (Windows 9x) the linear address; it can also be filled from a buffer.
#include "Dask_Common.h"
#include "sysinfo/Dask_DMA_Range.h"

#include <cstdint>
#include <string>
#include <vector>

class TVexor_DMA : public TVexor_Nolt_Component {
public:
    explicit TVexor_DMA(TComponent* owner);

    // Reads MemorySize bytes from StartAddress; Memory stays empty when that
    // fails. Does not run the base refresh.
    void Refresh() override;
    // The real-mode read alone, the way 32-bit NT falls back to it when the
    // physical memory section is refused.
    void RefreshFromRealMode();
    void LoadFromBuffer(const void* source, std::size_t offset, std::size_t count);

    std::uint32_t StartAddress() const { return range_.StartAddress(); }
    std::uint32_t EndAddress() const { return range_.EndAddress(); }
    std::uint32_t MemorySize() const { return range_.MemorySize(); }
    void SetStartAddress(std::uint32_t value) { range_.SetStartAddress(value); }
    void SetEndAddress(std::uint32_t value) { range_.SetEndAddress(value); }
    void SetMemorySize(std::uint32_t value) { range_.SetMemorySize(value); }
    std::uint32_t PageSize() const { return pageSize_; }
    const std::vector<std::uint8_t>& Memory() const { return range_.Memory(); }

    bool IsValidAddress(std::uint32_t address) const { return range_.IsValidAddress(address); }
    std::uint8_t ReadByte(std::uint32_t address) const { return range_.ReadByte(address); }
    std::uint16_t ReadWord(std::uint32_t address) const { return range_.ReadWord(address); }
    std::uint32_t ReadDWord(std::uint32_t address) const { return range_.ReadDWord(address); }
    void ReadBuffer(std::uint32_t address, std::size_t count, TDmaRange::TReadBuffer& destination) const {
        range_.ReadBuffer(address, count, destination);
    }
    std::string ReadString(std::uint32_t address, unsigned index) const {
        return range_.ReadString(address, index);
    }

    // True when the last refresh ran the real-mode program and this system
    // refused it (no 16-bit subsystem could run it): another range would be
    // refused the same way, so a scan need not start the interpreter again.
    bool RealModeRefused() const { return realModeRefused_; }

    // The bytes held, for the portable walk and decoding.
    const TDmaRange& Range() const { return range_; }

    // How long the real-mode fallback waits for its program, in milliseconds.
    static constexpr unsigned long kRealModeWaitLimit = 30000;

private:
    bool ReadPhysicalSection();
    bool ReadRealMode();
    bool ReadLinear();
    void SetReadOutcome(bool read);

    TDmaRange range_;
    std::uint32_t pageSize_ = 0;
    bool realModeRefused_ = false;
};
