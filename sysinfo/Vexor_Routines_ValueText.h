#pragma once
// Registry data and environment blocks rendered as text: the byte-level rules
// behind ReadRegValueAsText, GetEnvironmentList and the install date, kept
// apart from the Windows calls so that they can be checked on any buffer.
#include "Vexor_Datetime.h"
#include "base/StringList.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The most value data a registry value read as text holds, terminating NUL
// included; longer values are cut to this many bytes.
inline constexpr size_t kRegValueTextCapacity = 1025;

// The most bytes of the process environment block that are walked.
inline constexpr size_t kEnvironmentBlockLimit = 4096;

// Each byte as two upper-case hexadecimal digits, separated by one blank:
// 01 AB 00.
std::string HexBytesText(const unsigned char* data, size_t size);

// Binary data read as text: a non-zero byte as two upper-case hexadecimal
// digits, each run of zero bytes as one line break; a final line break is
// dropped. Bytes 02 00 00 00 give "02", 01 00 02 gives "01", CR LF, "02".
std::string BinaryAsText(const unsigned char* data, size_t size);

// Fills list with the strings of a REG_MULTI_SZ buffer: the first string
// always (also when empty), then every further non-empty string until an
// empty one or the end of the size bytes. A string cut by the end of the
// buffer ends there.
void SplitMultiString(const char* data, size_t size, TStringList& list);

// The strings of a REG_MULTI_SZ buffer, each followed by CR LF.
std::string MultiStringText(const char* data, size_t size);

// Fills list with the entries of an environment block (NUL-terminated texts
// ending with an empty one), walking at most limit bytes; an entry still
// open at the limit is dropped.
void EnvironmentBlockLines(const char* block, TStringList& list, size_t limit = kEnvironmentBlockLimit);

// The first four bytes of data as a little-endian number; missing high bytes
// read as zero.
uint32_t LittleEndianNumber(const unsigned char* data, size_t size);

// The date-time (not converted to local time) of a count of seconds since
// 1 January 1970, the count taken as unsigned.
TDateTime UnixSecondsToDateTime(uint32_t seconds);

// The profile folder the desktop folder lies in: the path without its last
// component (without a backslash the text stays whole), at most its last 255
// characters.
std::string ProfileFromDesktop(const std::string& desktop);
