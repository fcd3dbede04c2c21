#include "Dask_DMA_Range.h"

#include "base/Text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

void TDmaRange::LoadFromBuffer(const void* source, std::size_t offset, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(source);
    memory_.assign(bytes + offset, bytes + offset + count);
    dataPresent_ = true;
}

void TDmaRange::Clear() {
    memory_.clear();
    memory_.shrink_to_fit();
    dataPresent_ = false;
}

// 64-bit arithmetic throughout: a range near the top of the 32-bit address
// space neither wraps around to low addresses nor holds bytes beyond 4 GB.
bool TDmaRange::Holds(std::uint32_t address, std::uint64_t count) const {
    if (address < startAddress_)
        return false;
    const std::uint64_t offset = std::uint64_t{address} - startAddress_;
    return offset + count <= memory_.size() && address + count <= (std::uint64_t{1} << 32);
}

bool TDmaRange::IsValidAddress(std::uint32_t address) const {
    return Holds(address, 1);
}

std::uint8_t TDmaRange::ReadByte(std::uint32_t address) const {
    return Holds(address, 1) ? memory_[address - startAddress_] : 0;
}

std::uint16_t TDmaRange::ReadWord(std::uint32_t address) const {
    if (!Holds(address, 2))
        return 0;
    const std::uint8_t* p = memory_.data() + (address - startAddress_);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t TDmaRange::ReadDWord(std::uint32_t address) const {
    if (!Holds(address, 4))
        return 0;
    const std::uint8_t* p = memory_.data() + (address - startAddress_);
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

std::uint64_t TDmaRange::ReadQWord(std::uint32_t address) const {
    if (!Holds(address, 8))
        return 0;
    return std::uint64_t{ReadDWord(address)} | (std::uint64_t{ReadDWord(address + 4)} << 32);
}

void TDmaRange::ReadBuffer(std::uint32_t address, std::size_t count, TReadBuffer& destination) const {
    if (!IsValidAddress(address)) {
        destination.fill(0);
        return;
    }
    const std::size_t offset = address - startAddress_;
    const std::size_t available = memory_.size() - offset;
    const std::size_t n = std::min({count, kMaxBuffer, available});
    std::memcpy(destination.data(), memory_.data() + offset, n);
}

// Each string is what ReadBuffer would give for 255 bytes: up to the first
// NUL, the 255th byte or the end of the bytes held; read in place.
std::string TDmaRange::ReadString(std::uint32_t address, unsigned index) const {
    std::string_view text;
    std::uint64_t at = address;
    for (unsigned n = 0; n < index; ++n) {
        if (at > UINT32_MAX || !IsValidAddress(static_cast<std::uint32_t>(at)))
            return std::string();
        const std::size_t offset = static_cast<std::size_t>(at - startAddress_);
        const std::size_t available = std::min(kMaxBuffer, memory_.size() - offset);
        const char* begin = reinterpret_cast<const char*>(memory_.data()) + offset;
        const void* nul = std::memchr(begin, 0, available);
        text = std::string_view(begin, nul ? static_cast<const char*>(nul) - begin : available);
        if (text.empty())
            break;
        at += text.size() + 1;
    }
    return TrimText(text);
}
