#pragma once
// What a WMI query gives: every instance as its properties' names with their
// values rendered as text, and the look-up of one value of one instance.
#include <string>
#include <vector>

struct TInstanceProperty {
    std::string Name;  // the WMI property name
    std::string Value; // its value as text
};
using TInstanceProperties = std::vector<TInstanceProperty>;
using TInstances = std::vector<TInstanceProperties>;

// The value text of the first property of instance index whose name equals
// name ignoring case; when it holds "|", its word wordIndex (counting from 0,
// the words being the non-empty runs between "|"); trimmed of blanks and
// control characters at both ends. Empty text when there is no such
// instance, property or word.
std::string WmiGetValue(const TInstances& instances, const std::string& name, int index, int wordIndex);

// Word wordIndex (from 0) of a text split at "|", empty runs skipped; empty
// when there are not that many words.
std::string WmiWord(const std::string& text, int wordIndex);

// A floating-point number in general format: at most 15 significant digits,
// fixed notation while the integer part has at most 15 digits and the value
// is at least 0.00001 in size, scientific notation (1.5E20, 1E-6) otherwise;
// decimalSeparator stands between the integer and the fractional digits.
std::string GeneralFloatText(double value, char decimalSeparator);
