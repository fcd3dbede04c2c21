#include "qzStreams.h"
#include "base/Exception.h"

#include <algorithm>
#include <cstring>

size_t TMemoryStream::Read(void* buffer, size_t count) {
    const size_t n = std::min(count, Remaining());
    if (n)
        std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

void TMemoryStream::ReadBuffer(void* buffer, size_t count) {
    if (Read(buffer, count) != count)
        RaiseStreamReadError();
}

int32_t TMemoryStream::ReadInt32() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                uint32_t(b[3]) << 24);
}

void TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0)
        return;
    if (bytes_.size() < position_ + count)
        bytes_.resize(position_ + count);
    std::memcpy(bytes_.data() + position_, buffer, count);
    position_ += count;
}

void RaiseStreamReadError() {
    throw Exception("Stream read error");
}
