#pragma once
// Which Windows runs: its name, edition and recognised version, decided from
// the version record, the processor architecture, a few system metrics and a
// few registry values. Nothing here asks Windows; the caller supplies what
// the decision reads.
#include <cstdint>
#include <string>

enum TOSVersion : std::uint8_t {
    osUnknown,
    os95,
    os98,
    osME,
    osNT4,
    os2K,
    osXP,
    osXP64,
    os2K3,
    osVista,
    osLonghorn
};

// The version record fields the decision reads.
struct TOSVersionRecord {
    std::uint32_t MajorVersion = 0;
    std::uint32_t MinorVersion = 0;
    std::uint32_t PlatformId = 0; // 0 Win32s, 1 Windows 9x, 2 Windows NT
    std::string CSDVersion;       // the service-pack text, up to its first NUL
    std::uint16_t SuiteMask = 0;
    std::uint8_t ProductType = 0; // 1 workstation, 2 domain controller, 3 server
};

// Processor architectures of the system information record.
constexpr std::uint16_t kArchitectureIntel = 0;
constexpr std::uint16_t kArchitectureItanium = 6;
constexpr std::uint16_t kArchitectureAmd64 = 9;

// The system metrics the decision reads.
constexpr int kMetricTabletPC = 86;
constexpr int kMetricMediaCenter = 87;
constexpr int kMetricStarter = 88;
constexpr int kMetricServerR2 = 89;

// A registry value as the decision sees it.
struct TOSRegistryValue {
    enum TKind { rvMissing, rvString, rvExpandString, rvInteger, rvOther };
    TKind Kind = rvMissing;
    std::string Text;          // rvString and rvExpandString: up to the first NUL
    std::uint32_t Integer = 0; // rvInteger
};

// Where the decision gets what is not in the version record.
class TOSDecisionSource {
public:
    virtual ~TOSDecisionSource() = default;
    virtual int SystemMetric(int index) = 0;
    // A value under HKEY_LOCAL_MACHINE; rvMissing when the key does not open
    // or has no such value.
    virtual TOSRegistryValue MachineValue(const std::string& key, const std::string& name) = 0;
};

struct TOSIdentity {
    TOSVersion Version = osUnknown;
    std::string Name;
    std::string Edition;    // trimmed of blanks and control characters
    std::string CSDVersion; // the record's text, "Service Pack 6a" where hotfix Q246009 says so
    bool IsNT = false;      // NT 4 to Vista; not Server 2008, NT 3.x or anything newer
    bool IsNT4 = false;
    bool IsWin2000 = false;
    bool IsVista = false;
};

TOSIdentity DecideOSIdentity(const TOSVersionRecord& record, std::uint16_t architecture,
                             TOSDecisionSource& source);
