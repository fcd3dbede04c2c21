#include "Vexor_Routines_OSDecision.h"

#include "base/Text.h"

#include <cstddef>
#include <limits>

namespace {

constexpr std::uint32_t kPlatformWindows9x = 1;
constexpr std::uint32_t kPlatformWindowsNT = 2;

constexpr std::uint8_t kProductWorkstation = 1;
constexpr std::uint8_t kProductDomainController = 2;
constexpr std::uint8_t kProductServer = 3;

constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDataCenter = 0x0080;
constexpr std::uint16_t kSuitePersonal = 0x0200;
constexpr std::uint16_t kSuiteBlade = 0x0400;

constexpr const char* kProductOptionsKey = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
constexpr const char* kHotfixQ246009Key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";
constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

struct TTextPair {
    const char* Key;
    const char* Value;
};

// NT 4 tells workstation from server only in its product options.
constexpr TTextPair kNT4ProductTypes[] = {
    {"WINNT", "Workstation"},
    {"LANMANNT", "Server"},
    {"SERVERNT", "Advanced Server"},
};

// Vista's editions by their identifier.
constexpr TTextPair kEditionIDs[] = {
    {"STARTER", "Starter"},
    {"HOMEBASIC", "Home Basic"},
    {"HOMEPREMIUM", "Home Premium"},
    {"ULTIMATE", "Ultimate"},
    {"BUSINESS", "Business"},
    {"HOMEPREMIUMN", "Home Premium (European)"},
    {"HOMEBASICN", "Home Basic (European)"},
    {"BUSINESSN", "Business (European)"},
    {"ENTERPRISE", "Enterprise"},
};

// Home and Professional gain the suffix of the first special metric set.
constexpr struct {
    int Metric;
    const char* Suffix;
} kWorkstationSuffixes[] = {
    {kMetricStarter, " Starter Edition"},
    {kMetricTabletPC, " Tablet PC Edition"},
    {kMetricMediaCenter, " Media Center Edition"},
};

const char* Lookup(const TTextPair* begin, const TTextPair* end, const std::string& key) {
    for (const TTextPair* pair = begin; pair != end; ++pair)
        if (SameText(key, pair->Key))
            return pair->Value;
    return "";
}

// A text value, or nothing when the value is missing or holds another type:
// an odd registry entry never stops the detection.
bool ReadText(TOSDecisionSource& source, const char* key, const char* name, std::string& text) {
    const TOSRegistryValue value = source.MachineValue(key, name);
    if (value.Kind != TOSRegistryValue::rvString && value.Kind != TOSRegistryValue::rvExpandString)
        return false;
    text = value.Text;
    return true;
}

// A decimal number, leading blanks and a sign allowed; 0 for anything else.
long long NumberOfText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return 0;
    long long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        number = number * 10 + (text[i] - '0');
        if (number > std::numeric_limits<std::int32_t>::max() + 1LL)
            return 0;
    }
    return negative ? -number : number;
}

// The hotfix's "Installed" value: text converted, a DWORD as it is, any
// other type (expandable text included) 0.
long long HotfixInstalled(TOSDecisionSource& source) {
    const TOSRegistryValue value = source.MachineValue(kHotfixQ246009Key, "Installed");
    switch (value.Kind) {
    case TOSRegistryValue::rvString:
        return NumberOfText(value.Text);
    case TOSRegistryValue::rvInteger:
        return value.Integer;
    default:
        return 0;
    }
}

std::string EditionFromID(TOSDecisionSource& source) {
    std::string id;
    if (!ReadText(source, kCurrentVersionKey, "EditionID", id))
        return "";
    return Lookup(std::begin(kEditionIDs), std::end(kEditionIDs), id);
}

void DecideWindows9x(const TOSVersionRecord& record, TOSIdentity& os) {
    const char release = record.CSDVersion.size() > 1 ? record.CSDVersion[1] : '\0';
    if (record.MajorVersion == 4 && record.MinorVersion == 0) {
        os.Name = "Windows 95";
        os.Version = os95;
        if (release == 'A')
            os.Edition = "OSR 1";
        else if (release == 'B')
            os.Edition = "OSR 2";
        else if (release == 'C')
            os.Edition = "OSR 2.5";
    }
    if (record.MajorVersion == 4 && record.MinorVersion == 10) {
        os.Name = "Windows 98";
        os.Version = os98;
        if (release == 'A' || release == 'B')
            os.Edition = "SE";
    }
    if (record.MajorVersion == 4 && record.MinorVersion == 90) {
        os.Name = "Windows Millennium Edition";
        os.Version = osME;
    }
}

void DecideNTName(const TOSVersionRecord& record, std::uint16_t architecture, TOSDecisionSource& source,
                  TOSIdentity& os) {
    const std::uint32_t major = record.MajorVersion;
    const std::uint32_t minor = record.MinorVersion;
    const bool workstation = record.ProductType == kProductWorkstation;
    if (major == 6 && minor == 0) {
        os.Name = workstation ? "Windows Vista" : "Windows Server \"Longhorn\"";
        os.Version = workstation ? osVista : osLonghorn;
    }
    if (major == 5 && minor == 2) {
        if (source.SystemMetric(kMetricServerR2) > 0) {
            os.Name = "Windows Server 2003 \"R2\"";
            os.Version = os2K3;
        } else if (workstation && architecture == kArchitectureAmd64) {
            os.Name = "Windows XP Professional x64 Edition";
            os.Version = osXP64;
        } else {
            os.Name = "Windows Server 2003";
            os.Version = os2K3;
        }
    }
    if (major == 5 && minor == 1) {
        os.Name = "Windows XP";
        os.Version = osXP;
    }
    if (major == 5 && minor == 0) {
        os.Name = "Windows 2000";
        os.Version = os2K;
    }
    if (major == 4) {
        os.Name = "Windows NT 4";
        os.Version = osNT4;
    }
}

void DecideNT4Edition(TOSDecisionSource& source, TOSIdentity& os) {
    std::string productType;
    if (ReadText(source, kProductOptionsKey, "ProductType", productType))
        os.Edition = Lookup(std::begin(kNT4ProductTypes), std::end(kNT4ProductTypes), productType);
    // Service Pack 6 with the hotfix that fixed it is what everybody calls 6a.
    if (HotfixInstalled(source) == 1 && SameText(os.CSDVersion, "Service Pack 6"))
        os.CSDVersion = "Service Pack 6a";
}

std::string WorkstationEdition(const TOSVersionRecord& record, TOSDecisionSource& source) {
    if (record.MajorVersion == 6)
        return EditionFromID(source);
    std::string edition = (record.SuiteMask & kSuitePersonal) ? "Home" : "Professional";
    for (const auto& suffix : kWorkstationSuffixes) {
        if (source.SystemMetric(suffix.Metric) > 0) {
            edition += suffix.Suffix;
            break;
        }
    }
    return edition;
}

std::string ServerEdition(const TOSVersionRecord& record, std::uint16_t architecture,
                          TOSDecisionSource& source) {
    const std::uint32_t major = record.MajorVersion;
    const std::uint32_t minor = record.MinorVersion;
    const std::uint16_t suite = record.SuiteMask;
    const bool dataCenter = suite & kSuiteDataCenter;
    const bool enterprise = suite & kSuiteEnterprise;
    if (major == 6 && minor == 0)
        return EditionFromID(source);
    if (major == 5 && minor == 2) {
        if (architecture == kArchitectureItanium)
            return dataCenter   ? "Datacenter Edition for Itanium-based Systems"
                   : enterprise ? "Enterprise Edition for Itanium-based Systems"
                                : "";
        if (architecture == kArchitectureAmd64)
            return dataCenter   ? "Datacenter x64 Edition"
                   : enterprise ? "Enterprise x64 Edition"
                                : "Standard x64 Edition";
        if (dataCenter)
            return "Datacenter Edition";
        if (enterprise)
            return "Enterprise Edition";
        // Web Edition carries the blade bit and nothing else.
        return suite == kSuiteBlade ? "Web Edition" : "Standard Edition";
    }
    if (major == 5 && minor == 0)
        return dataCenter ? "Datacenter Server" : enterprise ? "Advanced Server" : "Server";
    return enterprise ? "Server 4.0, Enterprise Edition" : "Server 4.0";
}

void DecideWindowsNT(const TOSVersionRecord& record, std::uint16_t architecture, TOSDecisionSource& source,
                     TOSIdentity& os) {
    DecideNTName(record, architecture, source, os);
    if (record.MajorVersion < 5) {
        DecideNT4Edition(source, os);
    } else if (record.ProductType == kProductWorkstation) {
        // 64-bit XP and 64-bit Vista name no edition.
        if (architecture != kArchitectureAmd64)
            os.Edition = WorkstationEdition(record, source);
    } else if (record.ProductType == kProductDomainController || record.ProductType == kProductServer) {
        os.Edition = ServerEdition(record, architecture, source);
    }
}

} // namespace

TOSIdentity DecideOSIdentity(const TOSVersionRecord& record, std::uint16_t architecture,
                             TOSDecisionSource& source) {
    TOSIdentity os;
    os.CSDVersion = record.CSDVersion;
    if (record.PlatformId == kPlatformWindows9x)
        DecideWindows9x(record, os);
    else if (record.PlatformId == kPlatformWindowsNT)
        DecideWindowsNT(record, architecture, source, os);
    os.Edition = TrimText(os.Edition);
    os.IsNT = os.Version == osNT4 || os.Version == os2K || os.Version == osXP || os.Version == osXP64 ||
              os.Version == os2K3 || os.Version == osVista;
    os.IsNT4 = os.Version == osNT4;
    os.IsWin2000 = os.Version == os2K;
    os.IsVista = os.Version == osVista;
    return os;
}
