#pragma once
// Shared routines of the information components: the host platform, taken
// once at start-up and read by every component afterwards.
#include "sysinfo/Vexor_Routines_OSDecision.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The extended version record read when the process started. Before Windows
// 2000 only the short record exists: then the size field, service-pack
// numbers, suite mask and product type are 0.
const OSVERSIONINFOEXA& HostVersionInfo();

// The system information record; only its processor architecture is used
// (0 x86, 6 Itanium, 9 x64). Native under WOW64.
const SYSTEM_INFO& HostSystemInfo();

// True when this 32-bit process runs under WOW64 on 64-bit Windows.
bool IsWow64();

// The recognised Windows (osUnknown when the decision tables know none), its
// name ("" when unrecognised) and its edition or service release (may be "").
TOSVersion HostOSVersion();
const std::string& HostOSName();
const std::string& HostOSEdition();

// NT 4 to Vista; false on Server 2008, NT 3.x and every newer Windows.
bool IsNT();
bool IsNT4();
bool IsWin2000();
bool IsVista();

// The workstation's domain or workgroup; the interactive-user lookup
// replaces it with the domain of the user it finds.
const std::string& HostDomain();
void SetHostDomain(const std::string& domain);

// Runs once at start-up, before any window or information component exists,
// after the library bindings have started.
void InitHostPlatform();

// Decides name, edition, recognised version and flags from the start-up
// records (and the registry and system metrics they call for); may rewrite
// the service-pack text of the version record. Run by InitHostPlatform.
void DetectOSNameAndEdition(std::string& name, std::string& edition);

// The same decision for any version record, with this machine's registry and
// system metrics.
TOSIdentity IdentifyWindows(const TOSVersionRecord& record, std::uint16_t architecture);

// The fields of a version record the decision reads.
TOSVersionRecord VersionRecordOf(const OSVERSIONINFOEXA& info);
