#include "CodePage.h"

#ifdef _WIN32
#include <windows.h>
static bool PlatformIsLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != FALSE;
}
#else
static bool PlatformIsLeadByte(unsigned char) {
    return false;
}
#endif

static LeadBytePredicate g_isLeadByte = PlatformIsLeadByte;

bool IsLeadByte(unsigned char c) {
    return g_isLeadByte(c);
}

LeadBytePredicate SetLeadBytePredicate(LeadBytePredicate predicate) {
    const LeadBytePredicate old = g_isLeadByte;
    g_isLeadByte = predicate ? predicate : PlatformIsLeadByte;
    return old;
}
