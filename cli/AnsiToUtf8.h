#pragma once
// Texts of the system code page as UTF-8, for writers whose format wants it.
#include <string>
#include <string_view>

// Bytes the code page does not define become the system's default character;
// the result is always valid UTF-8.
std::string AnsiToUtf8(std::string_view text);
