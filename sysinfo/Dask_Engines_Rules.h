#pragma once
// Text rules of the engine detectors that need no Win32: the Internet
// Explorer version text, the .NET type-library test, the class-identifier
// table of the COM-registered engines and the DirectX "InstalledVersion" text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The version, a blank and, in parentheses, the comma text of the entries of
// the minor-version notes (";" read as ",") that are not blank: ";SP2;"
// gives "6.0.2900.2180 (SP2)", notes without entries give "6.0.2900.2180 ()".
std::string InternetExplorerVersionText(const std::string& version, const std::string& minorVersion);

// True when the path, ignoring the case of the letters A to Z, contains "mscorlib.tlb".
bool IsMscorlibTypeLibrary(std::string_view path);

enum class TComEngine { ceDAO, ceADO, ceMSI, ceQT };

// The engine a class identifier's ProgId names, compared without regard to
// the case of the letters A to Z with the engines' programmatic identifiers
// ("DAO.DBEngine.36", "adodb.connection", ...); none for any other ProgId.
std::optional<TComEngine> ComEngineOf(std::string_view progId);

// The version text derived from the raw "InstalledVersion" value read into
// bytes (at least 4 of them): the first byte, ".", the fourth byte.
std::string DirectXInstalledVersionText(const unsigned char* bytes);
