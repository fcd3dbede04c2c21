#include "sText.h"

#include "base/Text.h"

namespace sText {

char UpperAscii(char c) {
    return ::UpperAscii(c);
}

std::string Upper(std::string_view text) {
    return UpperText(std::string(text));
}

bool Same(std::string_view a, std::string_view b) {
    return SameText(a, b);
}

std::string Trim(std::string_view text) {
    return TrimText(text);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return EndsWithText(text, suffix);
}

} // namespace sText
