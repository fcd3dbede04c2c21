#pragma once
// Comparisons in the user's collation, for texts shown to people in a sorted
// order. Unlike the ASCII rules of base/Text.h these follow the letters of the
// system code page: in the Western code page A-umlaut and a-umlaut are one
// letter, and accented letters sort beside their plain ones.
#include <string_view>

// Negative, zero or positive as a sorts before, with or after b, ignoring case.
int LocaleCompareText(std::string_view a, std::string_view b);

// True when a sorts before b in the user's collation, ignoring case.
inline bool LocaleTextLess(std::string_view a, std::string_view b) {
    return LocaleCompareText(a, b) < 0;
}
