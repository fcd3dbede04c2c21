#include "sysinfo/Vexor_Routines_OSDecision.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kProductOptions = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";
constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kQ246009 = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";

struct TRegistryEntry {
    const char* Key;
    const char* Name;
    TOSRegistryValue Value;
};

TOSRegistryValue Text(const char* text) {
    return {TOSRegistryValue::rvString, text, 0};
}
TOSRegistryValue ExpandText(const char* text) {
    return {TOSRegistryValue::rvExpandString, text, 0};
}
TOSRegistryValue Dword(std::uint32_t number) {
    return {TOSRegistryValue::rvInteger, "", number};
}
TOSRegistryValue Binary() {
    return {TOSRegistryValue::rvOther, "", 0};
}

// A machine made of a few metrics and registry values; everything else is 0
// or missing.
class TFakeMachine : public TOSDecisionSource {
public:
    TFakeMachine(std::vector<std::pair<int, int>> metrics, const std::vector<TRegistryEntry>& registry)
        : metrics_(metrics.begin(), metrics.end()) {
        for (const auto& entry : registry)
            values_[std::string(entry.Key) + "|" + entry.Name] = entry.Value;
    }
    int SystemMetric(int index) override {
        auto found = metrics_.find(index);
        return found == metrics_.end() ? 0 : found->second;
    }
    TOSRegistryValue MachineValue(const std::string& key, const std::string& name) override {
        auto found = values_.find(key + "|" + name);
        return found == values_.end() ? TOSRegistryValue{} : found->second;
    }

private:
    std::map<int, int> metrics_;
    std::map<std::string, TOSRegistryValue> values_;
};

TOSVersionRecord Record(std::uint32_t platform, std::uint32_t major, std::uint32_t minor,
                        const char* csd = "") {
    TOSVersionRecord record;
    record.PlatformId = platform;
    record.MajorVersion = major;
    record.MinorVersion = minor;
    record.CSDVersion = csd;
    return record;
}

TOSVersionRecord Win9x(std::uint32_t minor, const char* csd) {
    return Record(1, 4, minor, csd);
}

TOSVersionRecord NT(std::uint32_t major, std::uint32_t minor, std::uint8_t productType,
                    std::uint16_t suite = 0, const char* csd = "") {
    TOSVersionRecord record = Record(2, major, minor, csd);
    record.SuiteMask = suite;
    record.ProductType = productType;
    return record;
}

struct TCase {
    const char* Label;
    TOSVersionRecord Record;
    std::uint16_t Architecture;
    std::vector<std::pair<int, int>> Metrics;
    std::vector<TRegistryEntry> Registry;
    TOSVersion Version;
    const char* Name;
    const char* Edition;
};

void Check(const TCase& c) {
    TFakeMachine machine(c.Metrics, c.Registry);
    const TOSIdentity os = DecideOSIdentity(c.Record, c.Architecture, machine);
    EXPECT_EQ(os.Version, c.Version) << c.Label;
    EXPECT_EQ(os.Name, c.Name) << c.Label;
    EXPECT_EQ(os.Edition, c.Edition) << c.Label;
    EXPECT_EQ(os.CSDVersion, c.Record.CSDVersion) << c.Label;
}

TEST(OSDecision, Windows9xByVersionAndServiceRelease) {
    const TCase cases[] = {
        {"95 bare", Win9x(0, ""), 0, {}, {}, os95, "Windows 95", ""},
        {"95 OSR 1", Win9x(0, " A"), 0, {}, {}, os95, "Windows 95", "OSR 1"},
        {"95 OSR 2", Win9x(0, " B"), 0, {}, {}, os95, "Windows 95", "OSR 2"},
        {"95 OSR 2.5", Win9x(0, " C"), 0, {}, {}, os95, "Windows 95", "OSR 2.5"},
        {"95 other letter", Win9x(0, " D"), 0, {}, {}, os95, "Windows 95", ""},
        {"95 letter must be second", Win9x(0, "C"), 0, {}, {}, os95, "Windows 95", ""},
        {"98", Win9x(10, ""), 0, {}, {}, os98, "Windows 98", ""},
        {"98 SE as Wine gives it", Win9x(10, " A "), 0, {}, {}, os98, "Windows 98", "SE"},
        {"98 SE B", Win9x(10, " B"), 0, {}, {}, os98, "Windows 98", "SE"},
        {"98 C", Win9x(10, " C"), 0, {}, {}, os98, "Windows 98", ""},
        {"Me", Win9x(90, " A"), 0, {}, {}, osME, "Windows Millennium Edition", ""},
        {"unknown 9x", Win9x(3, " A"), 0, {}, {}, osUnknown, "", ""},
        {"Win32s", Record(0, 4, 0, " A"), 0, {}, {}, osUnknown, "", ""},
        {"platform 3", Record(3, 5, 1), 0, {}, {}, osUnknown, "", ""},
        {"failed version query", {}, 0, {}, {}, osUnknown, "", ""},
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(OSDecision, WorkstationEditions) {
    const TCase cases[] = {
        {"2000 Professional", NT(5, 0, 1), 0, {}, {}, os2K, "Windows 2000", "Professional"},
        {"XP Home", NT(5, 1, 1, 0x0300), 0, {}, {}, osXP, "Windows XP", "Home"},
        {"XP Professional", NT(5, 1, 1, 0x0100), 0, {}, {}, osXP, "Windows XP", "Professional"},
        {"XP Media Center",
         NT(5, 1, 1, 0x0100),
         0,
         {{87, 1}},
         {},
         osXP,
         "Windows XP",
         "Professional Media Center Edition"},
        {"XP Tablet PC", NT(5, 1, 1), 0, {{86, 1}}, {}, osXP, "Windows XP", "Professional Tablet PC Edition"},
        {"XP Starter", NT(5, 1, 1, 0x0200), 0, {{88, 1}}, {}, osXP, "Windows XP", "Home Starter Edition"},
        {"Starter wins over the others",
         NT(5, 1, 1),
         0,
         {{86, 1}, {87, 1}, {88, 2}},
         {},
         osXP,
         "Windows XP",
         "Professional Starter Edition"},
        {"Tablet PC before Media Center",
         NT(5, 1, 1),
         0,
         {{86, 1}, {87, 1}},
         {},
         osXP,
         "Windows XP",
         "Professional Tablet PC Edition"},
        {"metrics must be positive",
         NT(5, 1, 1),
         0,
         {{88, -1}, {86, 0}},
         {},
         osXP,
         "Windows XP",
         "Professional"},
        {"XP on x64 names no edition", NT(5, 1, 1), 9, {{87, 1}}, {}, osXP, "Windows XP", ""},
        {"XP Professional x64", NT(5, 2, 1), 9, {}, {}, osXP64, "Windows XP Professional x64 Edition", ""},
        {"5.2 workstation on x86", NT(5, 2, 1), 0, {}, {}, os2K3, "Windows Server 2003", "Professional"},
        {"Vista Home Premium N",
         NT(6, 0, 1),
         0,
         {},
         {{kCurrentVersion, "EditionID", Text("HomePremiumN")}},
         osVista,
         "Windows Vista",
         "Home Premium (European)"},
        {"Vista EditionID as expandable text",
         NT(6, 0, 1),
         0,
         {},
         {{kCurrentVersion, "EditionID", ExpandText("Business")}},
         osVista,
         "Windows Vista",
         "Business"},
        {"Vista 64-bit",
         NT(6, 0, 1),
         9,
         {},
         {{kCurrentVersion, "EditionID", Text("Ultimate")}},
         osVista,
         "Windows Vista",
         ""},
        {"Vista without EditionID", NT(6, 0, 1), 0, {}, {}, osVista, "Windows Vista", ""},
        {"Vista unknown EditionID",
         NT(6, 0, 1),
         0,
         {},
         {{kCurrentVersion, "EditionID", Text("HomePremium ")}},
         osVista,
         "Windows Vista",
         ""},
        {"Vista EditionID of another type",
         NT(6, 0, 1),
         0,
         {},
         {{kCurrentVersion, "EditionID", Dword(1)}},
         osVista,
         "Windows Vista",
         ""},
        {"Windows 7 Ultimate",
         NT(6, 1, 1),
         0,
         {},
         {{kCurrentVersion, "EditionID", Text("Ultimate")}},
         osUnknown,
         "",
         "Ultimate"},
        {"major 10 workstation",
         NT(10, 0, 1, 0x0200),
         0,
         {{87, 1}},
         {},
         osUnknown,
         "",
         "Home Media Center Edition"},
        {"unknown product type", NT(5, 1, 0), 0, {}, {}, osXP, "Windows XP", ""},
        {"product type 4", NT(5, 0, 4, 0x0080), 0, {}, {}, os2K, "Windows 2000", ""},
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(OSDecision, EditionIDTable) {
    const std::pair<const char*, const char*> editions[] = {
        {"STARTER", "Starter"},
        {"homebasic", "Home Basic"},
        {"HomePremium", "Home Premium"},
        {"Ultimate", "Ultimate"},
        {"Business", "Business"},
        {"HomePremiumN", "Home Premium (European)"},
        {"HomeBasicN", "Home Basic (European)"},
        {"BusinessN", "Business (European)"},
        {"Enterprise", "Enterprise"},
        {"EnterpriseN", ""},
        {"ServerStandard", ""},
        {"", ""},
    };
    for (const auto& [id, edition] : editions) {
        TFakeMachine machine({}, {{kCurrentVersion, "EditionID", Text(id)}});
        EXPECT_EQ(DecideOSIdentity(NT(6, 0, 1), 0, machine).Edition, edition) << id;
        EXPECT_EQ(DecideOSIdentity(NT(6, 0, 3), 9, machine).Edition, edition) << id;
    }
}

TEST(OSDecision, ServerEditions) {
    const TCase cases[] = {
        {"2003 R2",
         NT(5, 2, 3, 0x0002),
         0,
         {{89, 1}},
         {},
         os2K3,
         "Windows Server 2003 \"R2\"",
         "Enterprise Edition"},
        {"R2 metric beats x64 workstation",
         NT(5, 2, 1),
         9,
         {{89, 1}},
         {},
         os2K3,
         "Windows Server 2003 \"R2\"",
         ""},
        {"2003 Standard", NT(5, 2, 3), 0, {}, {}, os2K3, "Windows Server 2003", "Standard Edition"},
        {"2003 Web", NT(5, 2, 3, 0x0400), 0, {}, {}, os2K3, "Windows Server 2003", "Web Edition"},
        {"Web needs the bare blade bit",
         NT(5, 2, 3, 0x0410),
         0,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Standard Edition"},
        {"2003 Enterprise",
         NT(5, 2, 3, 0x0402),
         0,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Enterprise Edition"},
        {"2003 Datacenter",
         NT(5, 2, 3, 0x0082),
         0,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Datacenter Edition"},
        {"2003 domain controller",
         NT(5, 2, 2, 0x0002),
         0,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Enterprise Edition"},
        {"2003 x64 Standard",
         NT(5, 2, 3, 0x0100),
         9,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Standard x64 Edition"},
        {"2003 x64 Enterprise",
         NT(5, 2, 3, 0x0002),
         9,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Enterprise x64 Edition"},
        {"2003 x64 Datacenter",
         NT(5, 2, 2, 0x0082),
         9,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Datacenter x64 Edition"},
        {"2003 Itanium Datacenter",
         NT(5, 2, 3, 0x0082),
         6,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Datacenter Edition for Itanium-based Systems"},
        {"2003 Itanium Enterprise",
         NT(5, 2, 3, 0x0002),
         6,
         {},
         {},
         os2K3,
         "Windows Server 2003",
         "Enterprise Edition for Itanium-based Systems"},
        {"2003 Itanium other", NT(5, 2, 3, 0x0400), 6, {}, {}, os2K3, "Windows Server 2003", ""},
        {"2000 Server", NT(5, 0, 3), 0, {}, {}, os2K, "Windows 2000", "Server"},
        {"2000 Advanced Server", NT(5, 0, 2, 0x0002), 0, {}, {}, os2K, "Windows 2000", "Advanced Server"},
        {"2000 Datacenter", NT(5, 0, 3, 0x0082), 0, {}, {}, os2K, "Windows 2000", "Datacenter Server"},
        {"Server 2008",
         NT(6, 0, 3),
         0,
         {},
         {{kCurrentVersion, "EditionID", Text("ServerEnterprise")}},
         osLonghorn,
         "Windows Server \"Longhorn\"",
         ""},
        {"Server 2008 known EditionID",
         NT(6, 0, 2),
         0,
         {},
         {{kCurrentVersion, "EditionID", Text("Enterprise")}},
         osLonghorn,
         "Windows Server \"Longhorn\"",
         "Enterprise"},
        {"5.1 server", NT(5, 1, 3), 0, {}, {}, osXP, "Windows XP", "Server 4.0"},
        {"2008 R2 as Wine reports win7", NT(6, 1, 3, 0x0100), 9, {}, {}, osUnknown, "", "Server 4.0"},
        {"6.1 server Enterprise",
         NT(6, 1, 3, 0x0002),
         0,
         {},
         {},
         osUnknown,
         "",
         "Server 4.0, Enterprise Edition"},
        {"7.0 server", NT(7, 0, 2, 0x0080), 0, {}, {}, osUnknown, "", "Server 4.0"},
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(OSDecision, NT4EditionFromProductOptions) {
    const TCase cases[] = {
        {"workstation",
         NT(4, 0, 0),
         0,
         {},
         {{kProductOptions, "ProductType", Text("WinNT")}},
         osNT4,
         "Windows NT 4",
         "Workstation"},
        {"server in lower case",
         NT(4, 0, 0),
         0,
         {},
         {{kProductOptions, "ProductType", Text("lanmannt")}},
         osNT4,
         "Windows NT 4",
         "Server"},
        {"advanced server",
         NT(4, 0, 0),
         0,
         {},
         {{kProductOptions, "ProductType", Text("ServerNT")}},
         osNT4,
         "Windows NT 4",
         "Advanced Server"},
        {"expandable text",
         NT(4, 0, 0),
         0,
         {},
         {{kProductOptions, "ProductType", ExpandText("WINNT")}},
         osNT4,
         "Windows NT 4",
         "Workstation"},
        {"whole text only",
         NT(4, 0, 0),
         0,
         {},
         {{kProductOptions, "ProductType", Text("WinNT4")}},
         osNT4,
         "Windows NT 4",
         ""},
        {"no value", NT(4, 0, 0), 0, {}, {}, osNT4, "Windows NT 4", ""},
        {"value of another type",
         NT(4, 0, 0),
         0,
         {},
         {{kProductOptions, "ProductType", Dword(1)}},
         osNT4,
         "Windows NT 4",
         ""},
        {"any minor", NT(4, 1, 0), 0, {}, {}, osNT4, "Windows NT 4", ""},
        {"NT 3.51",
         NT(3, 51, 0),
         0,
         {},
         {{kProductOptions, "ProductType", Text("LanmanNT")}},
         osUnknown,
         "",
         "Server"},
    };
    for (const TCase& c : cases)
        Check(c);
}

TEST(OSDecision, ServicePack6aFromHotfixQ246009) {
    const struct {
        const char* Label;
        const char* CSD;
        std::vector<TRegistryEntry> Registry;
        const char* Expected;
    } cases[] = {
        {"DWORD 1", "Service Pack 6", {{kQ246009, "Installed", Dword(1)}}, "Service Pack 6a"},
        {"text 1", "Service Pack 6", {{kQ246009, "Installed", Text("1")}}, "Service Pack 6a"},
        {"text with leading blank",
         "Service Pack 6",
         {{kQ246009, "Installed", Text(" 1")}},
         "Service Pack 6a"},
        {"any letter case", "SERVICE PACK 6", {{kQ246009, "Installed", Dword(1)}}, "Service Pack 6a"},
        {"expandable text counts as 0",
         "Service Pack 6",
         {{kQ246009, "Installed", ExpandText("1")}},
         "Service Pack 6"},
        {"binary counts as 0", "Service Pack 6", {{kQ246009, "Installed", Binary()}}, "Service Pack 6"},
        {"not a number", "Service Pack 6", {{kQ246009, "Installed", Text("yes")}}, "Service Pack 6"},
        {"trailing junk", "Service Pack 6", {{kQ246009, "Installed", Text("1x")}}, "Service Pack 6"},
        {"other number", "Service Pack 6", {{kQ246009, "Installed", Dword(2)}}, "Service Pack 6"},
        {"no hotfix", "Service Pack 6", {}, "Service Pack 6"},
        {"other service pack", "Service Pack 5", {{kQ246009, "Installed", Dword(1)}}, "Service Pack 5"},
        {"whole text only", "Service Pack 6 ", {{kQ246009, "Installed", Dword(1)}}, "Service Pack 6 "},
    };
    for (const auto& c : cases) {
        TFakeMachine machine({}, c.Registry);
        const TOSIdentity os = DecideOSIdentity(NT(4, 0, 0, 0, c.CSD), 0, machine);
        EXPECT_EQ(os.CSDVersion, c.Expected) << c.Label;
        EXPECT_EQ(os.Name, "Windows NT 4") << c.Label;
    }
    // Only NT 4 and earlier look for the hotfix.
    TFakeMachine machine({}, {{kQ246009, "Installed", Dword(1)}});
    EXPECT_EQ(DecideOSIdentity(NT(5, 0, 1, 0, "Service Pack 6"), 0, machine).CSDVersion, "Service Pack 6");
}

TEST(OSDecision, FlagsFollowTheRecognisedVersion) {
    const struct {
        const char* Label;
        TOSVersionRecord Record;
        bool IsNT, IsNT4, IsWin2000, IsVista;
    } cases[] = {
        {"98", Win9x(10, ""), false, false, false, false},
        {"NT 4", NT(4, 0, 0), true, true, false, false},
        {"2000", NT(5, 0, 1), true, false, true, false},
        {"XP", NT(5, 1, 1), true, false, false, false},
        {"2003", NT(5, 2, 3), true, false, false, false},
        {"Vista", NT(6, 0, 1), true, false, false, true},
        {"Server 2008", NT(6, 0, 3), false, false, false, false},
        {"NT 3.51", NT(3, 51, 1), false, false, false, false},
        {"Windows 7", NT(6, 1, 1), false, false, false, false},
    };
    for (const auto& c : cases) {
        TFakeMachine machine({}, {});
        const TOSIdentity os = DecideOSIdentity(c.Record, 0, machine);
        EXPECT_EQ(os.IsNT, c.IsNT) << c.Label;
        EXPECT_EQ(os.IsNT4, c.IsNT4) << c.Label;
        EXPECT_EQ(os.IsWin2000, c.IsWin2000) << c.Label;
        EXPECT_EQ(os.IsVista, c.IsVista) << c.Label;
    }
    TFakeMachine machine({}, {});
    EXPECT_TRUE(DecideOSIdentity(NT(5, 2, 1), 9, machine).IsNT) << "XP x64";
}

} // namespace
