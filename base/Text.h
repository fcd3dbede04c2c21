#pragma once
// Small text rules shared by the information components and the skin library:
// blanks, trimming and comparisons that ignore the case of ASCII letters
// (class names, GUIDs, registry key and value names, skin section names).

#include <string>
#include <string_view>

// The letter in upper case when it is an ASCII letter; any other character as it is.
char UpperAscii(char c);

// The text without the blanks and control characters (codes 1 to 32, and NUL)
// at either end; what lies between them stays as it is.
std::string TrimText(std::string_view text);

// True when the text holds nothing but blanks and control characters.
bool IsBlankText(std::string_view text);

// Equal, ignoring the case of ASCII letters.
bool SameText(std::string_view a, std::string_view b);

// True when text begins with prefix, ignoring the case of ASCII letters.
bool StartsWithText(std::string_view text, std::string_view prefix);

// True when text ends with suffix, ignoring the case of ASCII letters.
bool EndsWithText(std::string_view text, std::string_view suffix);

// True when part stands anywhere in text, ignoring the case of ASCII letters.
bool ContainsText(std::string_view text, std::string_view part);

// The text with ASCII letters in upper case.
std::string UpperText(std::string_view text);

// Every occurrence of from replaced by to, scanning left to right.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
