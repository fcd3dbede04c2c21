#pragma once
// The text rules of the internet settings: environment references in a
// command line, the program a command line starts, the proxy list and the
// connection type. Windows calls stay outside: the environment comes as a
// list and the file test as a function.
#include "base/StringList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum TConnectionType : std::uint8_t { ctNone, ctLAN, ctDialup };

// "ctNone", "ctLAN", "ctDialup"; "" for anything else.
std::string_view ConnectionTypeName(TConnectionType type);

// text without one pair of enclosing quote characters, when it is longer
// than one character and both its ends are quote.
std::string StripQuotes(const std::string& text, char quote);

// Replaces references to the variables of environment (lines name=value, in
// order; entries whose name is blank are passed over, a name repeated takes
// the value of its first entry): each variable replaces at most one
// reference, the first "%name%" ignoring case or, with backslashForm and no
// such reference, a "\name" that is the first component of the path
// ("\SystemRoot\system32\..."). At most 1024 characters after a replaced
// reference are kept.
std::string ExpandEnvironmentText(const std::string& text, bool backslashForm,
                                  const TStringList& environment);

// The path of the program a command line starts: the line with environment
// references replaced and its quotes stripped, shortened from the end until
// fileExists accepts it (a candidate ending in a blank is not asked); "" when
// nothing is accepted.
std::string ExtractExecutablePath(const std::string& commandLine, const TStringList& environment,
                                  const std::function<bool(const std::string&)>& fileExists);

// The proxy list of a raw proxy text: entries separated by ";", "," or runs
// of blanks, one line each; an entry without "=" becomes its 0-based index,
// "=" and the entry.
TStringList ProxyServerLines(const std::string& proxyText);

// The "ProxyEnable" flag of a binary value: its first four bytes, little
// endian, missing bytes zero.
std::uint32_t ProxyFlagOfBytes(const std::uint8_t* data, std::size_t size);

// ctLAN when a proxy is enabled (flag read and not 0) and a server is named;
// otherwise ctDialup when a dial-up connection is active; else ctNone.
TConnectionType ConnectionTypeOf(std::optional<std::uint32_t> proxyFlag, const std::string& proxyServer,
                                 unsigned dialUpConnections);
