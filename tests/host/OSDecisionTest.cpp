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

using TMetrics = std::map<int, int>;
using TValues = std::map<std::string, TOSRegistryValue>; // "key|name"

TOSRegistryValue Text(const char* text, TOSRegistryValue::TKind kind = TOSRegistryValue::rvString) {
    return {kind, text, 0};
}
TOSRegistryValue Dword(std::uint32_t number) {
    return {TOSRegistryValue::rvInteger, "", number};
}
TValues EditionID(TOSRegistryValue value) {
    return {{std::string(kCurrentVersion) + "|EditionID", value}};
}
TValues ProductType(TOSRegistryValue value) {
    return {{std::string(kProductOptions) + "|ProductType", value}};
}
TValues Installed(TOSRegistryValue value) {
    return {{std::string(kQ246009) + "|Installed", value}};
}

// A machine made of a few metrics and registry values; everything else is 0
// or missing.
class TFakeMachine : public TOSDecisionSource {
public:
    TFakeMachine(TMetrics metrics, TValues values)
        : metrics_(std::move(metrics)), values_(std::move(values)) {}
    int SystemMetric(int index) override { return metrics_.count(index) ? metrics_[index] : 0; }
    TOSRegistryValue MachineValue(const std::string& key, const std::string& name) override {
        auto found = values_.find(key + "|" + name);
        return found == values_.end() ? TOSRegistryValue{} : found->second;
    }

private:
    TMetrics metrics_;
    TValues values_;
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
                    std::uint16_t suite = 0) {
    TOSVersionRecord record = Record(2, major, minor);
    record.SuiteMask = suite;
    record.ProductType = productType;
    return record;
}

struct TCase {
    TOSVersionRecord Record;
    std::uint16_t Architecture;
    TMetrics Metrics;
    TValues Values;
    TOSVersion Version;
    const char* Name;
    const char* Edition;
};

void CheckAll(const std::vector<TCase>& cases) {
    for (const TCase& c : cases) {
        TFakeMachine machine(c.Metrics, c.Values);
        const TOSIdentity os = DecideOSIdentity(c.Record, c.Architecture, machine);
        const std::string label =
            std::to_string(c.Record.MajorVersion) + "." + std::to_string(c.Record.MinorVersion) + " \"" +
            c.Record.CSDVersion + "\" type " + std::to_string(c.Record.ProductType) + " suite " +
            std::to_string(c.Record.SuiteMask) + " arch " + std::to_string(c.Architecture);
        EXPECT_EQ(os.Version, c.Version) << label;
        EXPECT_EQ(os.Name, c.Name) << label;
        EXPECT_EQ(os.Edition, c.Edition) << label;
    }
}

TEST(OSDecision, Windows9xByVersionAndServiceRelease) {
    CheckAll({
        {Win9x(0, ""), 0, {}, {}, os95, "Windows 95", ""},
        {Win9x(0, " A"), 0, {}, {}, os95, "Windows 95", "OSR 1"},
        {Win9x(0, " B"), 0, {}, {}, os95, "Windows 95", "OSR 2"},
        {Win9x(0, " C"), 0, {}, {}, os95, "Windows 95", "OSR 2.5"},
        {Win9x(0, "C"), 0, {}, {}, os95, "Windows 95", ""}, // the letter is the second character
        {Win9x(10, " A "), 0, {}, {}, os98, "Windows 98", "SE"},
        {Win9x(10, " B"), 0, {}, {}, os98, "Windows 98", "SE"},
        {Win9x(10, " C"), 0, {}, {}, os98, "Windows 98", ""},
        {Win9x(90, " A"), 0, {}, {}, osME, "Windows Millennium Edition", ""},
        {Win9x(3, " A"), 0, {}, {}, osUnknown, "", ""},
        {Record(0, 4, 0, " A"), 0, {}, {}, osUnknown, "", ""}, // Win32s
        {Record(0, 0, 0), 0, {}, {}, osUnknown, "", ""},       // the version query failed
    });
}

TEST(OSDecision, WorkstationEditions) {
    CheckAll({
        {NT(5, 0, 1), 0, {}, {}, os2K, "Windows 2000", "Professional"},
        {NT(5, 1, 1, 0x0300), 0, {}, {}, osXP, "Windows XP", "Home"},
        {NT(5, 1, 1, 0x0100), 0, {{87, 1}}, {}, osXP, "Windows XP", "Professional Media Center Edition"},
        {NT(5, 1, 1), 0, {{86, 1}}, {}, osXP, "Windows XP", "Professional Tablet PC Edition"},
        {NT(5, 1, 1, 0x0200), 0, {{88, 1}}, {}, osXP, "Windows XP", "Home Starter Edition"},
        // Starter, Tablet PC, Media Center: the first positive metric counts.
        {NT(5, 1, 1), 0, {{86, 1}, {87, 1}, {88, 2}}, {}, osXP, "Windows XP", "Professional Starter Edition"},
        {NT(5, 1, 1), 0, {{86, 1}, {87, 1}}, {}, osXP, "Windows XP", "Professional Tablet PC Edition"},
        {NT(5, 1, 1), 0, {{88, -1}}, {}, osXP, "Windows XP", "Professional"},
        {NT(5, 1, 1), 9, {{87, 1}}, {}, osXP, "Windows XP", ""},
        {NT(5, 2, 1), 9, {}, {}, osXP64, "Windows XP Professional x64 Edition", ""},
        {NT(5, 2, 1), 0, {}, {}, os2K3, "Windows Server 2003", "Professional"},
        {NT(6, 0, 1),
         0,
         {},
         EditionID(Text("HomePremiumN")),
         osVista,
         "Windows Vista",
         "Home Premium (European)"},
        {NT(6, 0, 1),
         0,
         {},
         EditionID(Text("Business", TOSRegistryValue::rvExpandString)),
         osVista,
         "Windows Vista",
         "Business"},
        {NT(6, 0, 1), 9, {}, EditionID(Text("Ultimate")), osVista, "Windows Vista", ""},
        {NT(6, 0, 1), 0, {}, {}, osVista, "Windows Vista", ""},
        {NT(6, 0, 1), 0, {}, EditionID(Dword(1)), osVista, "Windows Vista", ""}, // no error at start-up
        {NT(6, 1, 1), 0, {}, EditionID(Text("Ultimate")), osUnknown, "", "Ultimate"},
        {NT(10, 0, 1, 0x0200), 0, {{87, 1}}, {}, osUnknown, "", "Home Media Center Edition"},
        {NT(5, 1, 0), 0, {}, {}, osXP, "Windows XP", ""},
        {NT(5, 0, 4, 0x0080), 0, {}, {}, os2K, "Windows 2000", ""},
    });
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
        {"HomePremium ", ""},
    };
    for (const auto& [id, edition] : editions) {
        TFakeMachine machine({}, EditionID(Text(id)));
        EXPECT_EQ(DecideOSIdentity(NT(6, 0, 1), 0, machine).Edition, edition) << id;
        EXPECT_EQ(DecideOSIdentity(NT(6, 0, 3), 9, machine).Edition, edition) << id;
    }
}

TEST(OSDecision, ServerEditions) {
    const char* const k2003 = "Windows Server 2003";
    CheckAll({
        {NT(5, 2, 3, 0x0002), 0, {{89, 1}}, {}, os2K3, "Windows Server 2003 \"R2\"", "Enterprise Edition"},
        {NT(5, 2, 1), 9, {{89, 1}}, {}, os2K3, "Windows Server 2003 \"R2\"", ""},
        {NT(5, 2, 3), 0, {}, {}, os2K3, k2003, "Standard Edition"},
        {NT(5, 2, 3, 0x0400), 0, {}, {}, os2K3, k2003, "Web Edition"},
        {NT(5, 2, 3, 0x0410), 0, {}, {}, os2K3, k2003, "Standard Edition"}, // Web needs the bare blade bit
        {NT(5, 2, 3, 0x0402), 0, {}, {}, os2K3, k2003, "Enterprise Edition"},
        {NT(5, 2, 2, 0x0082), 0, {}, {}, os2K3, k2003, "Datacenter Edition"},
        {NT(5, 2, 3, 0x0100), 9, {}, {}, os2K3, k2003, "Standard x64 Edition"},
        {NT(5, 2, 3, 0x0002), 9, {}, {}, os2K3, k2003, "Enterprise x64 Edition"},
        {NT(5, 2, 2, 0x0082), 9, {}, {}, os2K3, k2003, "Datacenter x64 Edition"},
        {NT(5, 2, 3, 0x0082), 6, {}, {}, os2K3, k2003, "Datacenter Edition for Itanium-based Systems"},
        {NT(5, 2, 3, 0x0002), 6, {}, {}, os2K3, k2003, "Enterprise Edition for Itanium-based Systems"},
        {NT(5, 2, 3, 0x0400), 6, {}, {}, os2K3, k2003, ""},
        {NT(5, 0, 3), 0, {}, {}, os2K, "Windows 2000", "Server"},
        {NT(5, 0, 2, 0x0002), 0, {}, {}, os2K, "Windows 2000", "Advanced Server"},
        {NT(5, 0, 3, 0x0082), 0, {}, {}, os2K, "Windows 2000", "Datacenter Server"},
        {NT(6, 0, 3),
         0,
         {},
         EditionID(Text("ServerEnterprise")),
         osLonghorn,
         "Windows Server \"Longhorn\"",
         ""},
        {NT(6, 0, 2),
         0,
         {},
         EditionID(Text("Enterprise")),
         osLonghorn,
         "Windows Server \"Longhorn\"",
         "Enterprise"},
        {NT(5, 1, 3), 0, {}, {}, osXP, "Windows XP", "Server 4.0"},
        {NT(6, 1, 3, 0x0100), 9, {}, {}, osUnknown, "", "Server 4.0"}, // 2008 R2, as Wine's win7 reports
        {NT(6, 1, 3, 0x0002), 0, {}, {}, osUnknown, "", "Server 4.0, Enterprise Edition"},
        {NT(7, 0, 2, 0x0080), 0, {}, {}, osUnknown, "", "Server 4.0"},
    });
}

TEST(OSDecision, NT4EditionFromProductOptions) {
    CheckAll({
        {NT(4, 0, 0), 0, {}, ProductType(Text("WinNT")), osNT4, "Windows NT 4", "Workstation"},
        {NT(4, 0, 0), 0, {}, ProductType(Text("lanmannt")), osNT4, "Windows NT 4", "Server"},
        {NT(4, 0, 0),
         0,
         {},
         ProductType(Text("ServerNT", TOSRegistryValue::rvExpandString)),
         osNT4,
         "Windows NT 4",
         "Advanced Server"},
        {NT(4, 0, 0), 0, {}, ProductType(Text("WinNT4")), osNT4, "Windows NT 4", ""},
        {NT(4, 0, 0), 0, {}, ProductType(Dword(1)), osNT4, "Windows NT 4", ""},
        {NT(4, 1, 0), 0, {}, {}, osNT4, "Windows NT 4", ""},
        {NT(3, 51, 0), 0, {}, ProductType(Text("LanmanNT")), osUnknown, "", "Server"},
    });
}

TEST(OSDecision, ServicePack6aFromHotfixQ246009) {
    const struct {
        const char* CSD;
        TValues Values;
        const char* Expected;
    } cases[] = {
        {"Service Pack 6", Installed(Dword(1)), "Service Pack 6a"},
        {"Service Pack 6", Installed(Text("1")), "Service Pack 6a"},
        {"Service Pack 6", Installed(Text(" 1")), "Service Pack 6a"},
        {"SERVICE PACK 6", Installed(Dword(1)), "Service Pack 6a"},
        {"Service Pack 6", Installed(Text("1", TOSRegistryValue::rvExpandString)), "Service Pack 6"},
        {"Service Pack 6", Installed({TOSRegistryValue::rvOther, "", 1}), "Service Pack 6"},
        {"Service Pack 6", Installed(Text("1x")), "Service Pack 6"},
        {"Service Pack 6", Installed(Dword(2)), "Service Pack 6"},
        {"Service Pack 6", {}, "Service Pack 6"},
        {"Service Pack 5", Installed(Dword(1)), "Service Pack 5"},
        {"Service Pack 6 ", Installed(Dword(1)), "Service Pack 6 "},
    };
    for (const auto& c : cases) {
        TFakeMachine machine({}, c.Values);
        EXPECT_EQ(DecideOSIdentity(Record(2, 4, 0, c.CSD), 0, machine).CSDVersion, c.Expected) << c.CSD;
    }
    // Only NT 4 and earlier look for the hotfix.
    TFakeMachine machine({}, Installed(Dword(1)));
    EXPECT_EQ(DecideOSIdentity(Record(2, 5, 0, "Service Pack 6"), 0, machine).CSDVersion, "Service Pack 6");
}

TEST(OSDecision, FlagsFollowTheRecognisedVersion) {
    const struct {
        TOSVersionRecord Record;
        std::uint16_t Architecture;
        bool IsNT, IsNT4, IsWin2000, IsVista;
    } cases[] = {
        {Win9x(10, ""), 0, false, false, false, false}, {NT(4, 0, 0), 0, true, true, false, false},
        {NT(5, 0, 1), 0, true, false, true, false},     {NT(5, 1, 1), 0, true, false, false, false},
        {NT(5, 2, 1), 9, true, false, false, false},    {NT(5, 2, 3), 0, true, false, false, false},
        {NT(6, 0, 1), 0, true, false, false, true},     {NT(6, 0, 3), 0, false, false, false, false},
        {NT(3, 51, 1), 0, false, false, false, false},  {NT(6, 1, 1), 0, false, false, false, false},
    };
    for (const auto& c : cases) {
        TFakeMachine machine({}, {});
        const TOSIdentity os = DecideOSIdentity(c.Record, c.Architecture, machine);
        const std::string label =
            std::to_string(c.Record.MajorVersion) + "." + std::to_string(c.Record.MinorVersion);
        EXPECT_EQ(os.IsNT, c.IsNT) << label;
        EXPECT_EQ(os.IsNT4, c.IsNT4) << label;
        EXPECT_EQ(os.IsWin2000, c.IsWin2000) << label;
        EXPECT_EQ(os.IsVista, c.IsVista) << label;
    }
}

} // namespace
