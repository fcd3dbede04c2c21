#pragma once
// Text rules of skin names, in the skin library's own words: section, key and
// entry names compare without regard to the case of ASCII letters, and are
// stored upper-cased. The rules themselves are base/Text.h's.
#include <string>
#include <string_view>

namespace sText {

char UpperAscii(char c);
std::string Upper(std::string_view text);
bool Same(std::string_view a, std::string_view b);
// Blanks and control characters (codes up to 32) at either end removed.
std::string Trim(std::string_view text);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

} // namespace sText
