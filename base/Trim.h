#pragma once
// Blanks and control characters (codes 1 to 32, and NUL) at either end of a
// text go; what lies between them stays as it is.
#include <string>
#include <string_view>

inline std::string TrimText(std::string_view text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}
