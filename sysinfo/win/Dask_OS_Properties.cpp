// The published properties of the operating-system component and its
// time-zone, NT, Vista, internet and locale sub-components.
#include "Dask_OS.h"

#include <string_view>

namespace {

std::string_view PlatformName(TOSPlatform platform) {
    static constexpr std::string_view kNames[] = {"opWin31", "opWin9x", "opWinNT"};
    return platform < std::size(kNames) ? kNames[platform] : std::string_view();
}

std::string_view OSVersionName(TOSVersion version) {
    static constexpr std::string_view kNames[] = {"osUnknown", "os95",    "os98",      "osME",
                                                  "osNT4",     "os2K",    "osXP",      "osXP64",
                                                  "os2K3",     "osVista", "osLonghorn"};
    return version < std::size(kNames) ? kNames[version] : std::string_view();
}

using PO = TPublish<TVexor_OperatingSystem>;
// NTSpecific is refreshed only on the NT family and VistaSpecific only on
// Vista: elsewhere they hold nothing gathered and read as null.
constexpr TProperty kOperatingSystem[] = {
    PO::Integer<&TVexor_OperatingSystem::MajorVersion>("MajorVersion"),
    PO::Integer<&TVexor_OperatingSystem::MinorVersion>("MinorVersion"),
    PO::Integer<&TVexor_OperatingSystem::BuildNumber>("BuildNumber"),
    PO::Enumeration<[](const TVexor_OperatingSystem& os) { return PlatformName(os.Platform()); }>("Platform"),
    PO::Text<&TVexor_OperatingSystem::OSName>("OSName"),
    PO::Text<&TVexor_OperatingSystem::OSEdition>("OSEdition"),
    PO::Text<&TVexor_OperatingSystem::Version>("Version"),
    PO::Enumeration<[](const TVexor_OperatingSystem& os) { return OSVersionName(os.OS()); }>("OS"),
    PO::Text<&TVexor_OperatingSystem::CSD>("CSD"),
    PO::Text<&TVexor_OperatingSystem::ProductID>("ProductID"),
    PO::Text<&TVexor_OperatingSystem::RegisteredUser>("RegisteredUser"),
    PO::Text<&TVexor_OperatingSystem::RegisteredOrg>("RegisteredOrg"),
    PO::Component<&TVexor_OperatingSystem::TimeZone>("TimeZone"),
    PO::Strings<&TVexor_OperatingSystem::Environment>("Environment"),
    PO::Strings<&TVexor_OperatingSystem::Folders>("Folders"),
    PO::Component<[](const TVexor_OperatingSystem& os) { return IsNT() ? os.NTSpecific() : nullptr; }>(
        "NTSpecific"),
    PO::Component<[](const TVexor_OperatingSystem& os) { return IsVista() ? os.VistaSpecific() : nullptr; }>(
        "VistaSpecific"),
    PO::Text<&TVexor_OperatingSystem::DVDRegion>("DVDRegion"),
    PO::Component<&TVexor_OperatingSystem::Internet>("Internet"),
    PO::Component<&TVexor_OperatingSystem::LocaleInfo>("LocaleInfo"),
    PO::Text<&TVexor_OperatingSystem::LanguageID>("LanguageID"),
    PO::DateTime<&TVexor_OperatingSystem::InstallDate>("InstallDate"),
    PO::Text<&TVexor_OperatingSystem::BuildLab>("BuildLab"),
};

} // namespace

const TPropertyTable TVexor_OperatingSystem::Properties =
    PO::Table<TVexor_Nolt_Component>(kOperatingSystem, TVexor_Nolt_Component::Properties);
