#pragma once
// An in-memory byte stream with a read/write position, the form in which the
// skin archive, its options text and its pictures are handed around.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::string_view View() const { return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()}; }
    size_t Size() const { return bytes_.size(); }
    size_t Position() const { return position_; }
    size_t Remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }
    void Seek(size_t position) { position_ = position; }

    // Up to count bytes from the position; returns how many were read.
    size_t Read(void* buffer, size_t count);
    // Exactly count bytes, or the error "Stream read error".
    void ReadBuffer(void* buffer, size_t count);
    int32_t ReadInt32();
    void Write(const void* buffer, size_t count);
    void Clear() {
        bytes_.clear();
        position_ = 0;
    }

private:
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};

// The error of a stream that ends before the data its reader was promised.
[[noreturn]] void RaiseStreamReadError();
