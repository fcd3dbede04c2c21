#include "LocaleText.h"

#include <windows.h>

int LocaleCompareText(std::string_view a, std::string_view b) {
    // An empty view may have no storage at all; Windows wants a pointer.
    const char* first = a.empty() ? "" : a.data();
    const char* second = b.empty() ? "" : b.data();
    // CompareStringA gives 1, 2 or 3 for less, equal and greater.
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first, static_cast<int>(a.size()), second,
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}
