#pragma once
// Any registry value rendered as text, for the operating-system, BIOS and
// device readers.
#include <windows.h>

#include <string>

// The value name of key path under root as text: REG_SZ as stored,
// REG_EXPAND_SZ with environment references expanded, REG_DWORD as a signed
// decimal number, REG_MULTI_SZ as each string followed by CR LF, anything
// else as hexadecimal bytes ("01 AB 00"; with binaryAsText as BinaryAsText
// renders it). At most kRegValueTextCapacity bytes of data are taken. "" when
// the key or the value is missing. A REG_DWORD_BIG_ENDIAN value raises
// "Invalid data type for '%s'", as the registry accessor refuses that type.
std::string ReadRegValueAsText(HKEY root, const std::string& keyPath, const std::string& valueName,
                               bool binaryAsText);
