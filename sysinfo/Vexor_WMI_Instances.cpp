#include "Vexor_WMI_Instances.h"

#include "base/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string WmiWord(const std::string& text, int wordIndex) {
    int word = 0;
    size_t position = 0;
    while (position < text.size()) {
        const size_t end = std::min(text.find('|', position), text.size());
        if (end > position) {
            if (word == wordIndex)
                return text.substr(position, end - position);
            ++word;
        }
        position = end + 1;
    }
    return {};
}

std::string WmiGetValue(const TInstances& instances, const std::string& name, int index, int wordIndex) {
    if (index < 0 || static_cast<size_t>(index) >= instances.size())
        return {};
    for (const TInstanceProperty& property : instances[static_cast<size_t>(index)]) {
        if (!SameText(property.Name, name))
            continue;
        std::string text = property.Value;
        if (text.find('|') != std::string::npos)
            text = WmiWord(text, wordIndex);
        return TrimText(text);
    }
    return {};
}

std::string GeneralFloatText(double value, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // d.dddddddddddddde[+-]x: the 15 significant digits and the exponent.
    char scientific[40];
    std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = scientific;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        text += digits[0];
        if (digits.size() > 1)
            text += decimalSeparator + digits.substr(1);
        text += "E" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            text += digits.substr(0, integerDigits) + decimalSeparator + digits.substr(integerDigits);
        }
    } else {
        text += std::string("0") + decimalSeparator + std::string(static_cast<size_t>(-exponent - 1), '0') +
                digits;
    }
    return text;
}
