#pragma once
// The bytes of a physical memory range as the physical memory reader holds
// them, with reads addressed by physical address that never leave the bytes
// held: an address outside gives 0, an empty text or a zeroed destination.
// Portable: the SMBIOS walk and decoding read through it on every platform.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TDmaRange {
public:
    static constexpr std::size_t kMaxBuffer = 255;
    using TReadBuffer = std::array<std::uint8_t, kMaxBuffer>;

    std::uint32_t StartAddress() const { return startAddress_; }
    std::uint32_t EndAddress() const { return endAddress_; }
    std::uint32_t MemorySize() const { return memorySize_; }
    void SetStartAddress(std::uint32_t value) { startAddress_ = value; }
    void SetEndAddress(std::uint32_t value) { endAddress_ = value; }
    void SetMemorySize(std::uint32_t value) { memorySize_ = value; }

    const std::vector<std::uint8_t>& Memory() const { return memory_; }
    std::vector<std::uint8_t>& MutableMemory() { return memory_; }
    bool DataPresent() const { return dataPresent_; }
    void SetDataPresent(bool value) { dataPresent_ = value; }

    // Replaces the bytes held by count bytes from source + offset; the three
    // address properties stay as they are.
    void LoadFromBuffer(const void* source, std::size_t offset, std::size_t count);
    // Forgets the bytes held (a failed read).
    void Clear();

    // The bytes held start at StartAddress and run for as many bytes as were
    // read or loaded; MemorySize only says how many a read asks for.
    bool IsValidAddress(std::uint32_t address) const;
    std::uint8_t ReadByte(std::uint32_t address) const;
    std::uint16_t ReadWord(std::uint32_t address) const;
    std::uint32_t ReadDWord(std::uint32_t address) const;
    std::uint64_t ReadQWord(std::uint32_t address) const;
    // Copies count bytes (at most 255), cut short at the end of the bytes
    // held; an address outside zeroes the whole destination.
    void ReadBuffer(std::uint32_t address, std::size_t count, TReadBuffer& destination) const;
    // The index-th NUL-terminated string from address on (1 is the first),
    // trimmed of blanks and control characters; empty for index 0, for a set
    // that ends (an empty string) before the index, or outside the bytes.
    std::string ReadString(std::uint32_t address, unsigned index) const;
    // Whether count bytes from address on all lie in the bytes held.
    bool Holds(std::uint32_t address, std::uint64_t count) const;

private:
    std::uint32_t startAddress_ = 0;
    std::uint32_t endAddress_ = 0;
    std::uint32_t memorySize_ = 0;
    std::vector<std::uint8_t> memory_;
    bool dataPresent_ = false;
};
