#include "Vexor_Routines_ValueText.h"

#include <cstring>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AppendHex(std::string& text, unsigned char byte) {
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
}

// 1 January 1970 as a date-time.
constexpr double kUnixEpoch = 25569.0;

constexpr size_t kProfileLimit = 255;

} // namespace

std::string HexBytesText(const unsigned char* data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        if (i > 0)
            text += ' ';
        AppendHex(text, data[i]);
    }
    return text;
}

std::string BinaryAsText(const unsigned char* data, size_t size) {
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0)
            AppendHex(text, data[i]);
        else if (text.empty() || text.back() != '\n')
            text += "\r\n";
    }
    if (text.size() >= 2 && text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    return text;
}

void SplitMultiString(const char* data, size_t size, TStringList& list) {
    list.Clear();
    size_t consumed = 0;
    auto next = [&]() {
        const size_t length = strnlen(data + consumed, size - consumed);
        std::string text(data + consumed, length);
        consumed += length + 1;
        return text;
    };
    std::string last = next();
    list.Add(last);
    while (consumed < size && !last.empty()) {
        last = next();
        if (!last.empty())
            list.Add(last);
    }
}

std::string MultiStringText(const char* data, size_t size) {
    TStringList lines;
    SplitMultiString(data, size, lines);
    return lines.Text();
}

void EnvironmentBlockLines(const char* block, TStringList& list, size_t limit) {
    list.Clear();
    std::string entry;
    for (size_t i = 0; i < limit; ++i) {
        if (block[i] != '\0') {
            entry += block[i];
            continue;
        }
        if (entry.empty())
            return;
        list.Add(std::move(entry));
        entry.clear();
    }
}

uint32_t LittleEndianNumber(const unsigned char* data, size_t size) {
    uint32_t number = 0;
    for (size_t i = 0; i < size && i < 4; ++i)
        number |= static_cast<uint32_t>(data[i]) << (8 * i);
    return number;
}

TDateTime UnixSecondsToDateTime(uint32_t seconds) {
    return kUnixEpoch + seconds / kSecondsPerDay;
}

std::string ProfileFromDesktop(const std::string& desktop) {
    const size_t slash = desktop.rfind('\\');
    std::string profile = slash == std::string::npos ? desktop : desktop.substr(0, slash);
    if (profile.size() > kProfileLimit)
        profile.erase(0, profile.size() - kProfileLimit);
    return profile;
}
