#include "Dask_OS.h"

#include <cstring>

namespace {

const char kNtCurrentVersionKey[] = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kCurrentVersionKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Reads a text value into target only when the value exists; a value of a
// type other than text raises the accessor's error.
void ReadTextIfPresent(const TRegistry& registry, const char* name, std::string& target) {
    if (registry.ValueExists(name))
        target = registry.ReadString(name);
}

} // namespace

TOSPlatform PlatformOf(DWORD platformId, TOSPlatform current) {
    switch (platformId) {
    case VER_PLATFORM_WIN32s:
        return opWin31;
    case VER_PLATFORM_WIN32_WINDOWS:
        return opWin9x;
    case VER_PLATFORM_WIN32_NT:
        return opWinNT;
    default:
        return current;
    }
}

TVexor_OperatingSystem::TVexor_OperatingSystem(TComponent* owner)
    : TVexor_Nolt_Component(owner), environment_(std::make_unique<TStringList>()),
      folders_(std::make_unique<TStringList>()) {
    timeZone_ = new TVexor_TimeZone(this);
    timeZone_->SetName("TimeZone");
    ntSpecific_ = new TVexor_NTSpecific(this);
    ntSpecific_->SetName("NTSpecific");
    vistaSpecific_ = new TVexor_VistaSpecific(this);
    vistaSpecific_->SetName("VistaSpecific");
    internet_ = new TVexor_Internet(this);
    internet_->SetName("Internet");
    localeInfo_ = new TVexor_LocaleInfo(this);
    localeInfo_->SetName("LocaleInfo");
}

TVexor_OperatingSystem::~TVexor_OperatingSystem() {
    environment_.reset();
    folders_.reset();
    delete timeZone_;
    delete ntSpecific_;
    delete vistaSpecific_;
    delete internet_;
    delete localeInfo_;
}

void TVexor_OperatingSystem::Refresh() {
    TVexor_Nolt_Component::Refresh();
    folders_->Clear();
    RefreshSubComponents();
    CopyIdentification();
    registeredUser_.clear();
    registeredOrg_.clear();
    productId_.clear();
    ReadRegistration();
    SetDataPresent(true);
}

// A sub-component that is skipped keeps what it held before.
void TVexor_OperatingSystem::RefreshSubComponents() {
    RefreshTimed(*timeZone_);
    if (IsNT())
        RefreshTimed(*ntSpecific_);
    if (IsVista())
        RefreshTimed(*vistaSpecific_);
    RefreshTimed(*internet_);
    RefreshTimed(*localeInfo_);
}

// The values fixed when the process started: a later refresh gives the same
// name and edition.
void TVexor_OperatingSystem::CopyIdentification() {
    const OSVERSIONINFOEXA& info = HostVersionInfo();
    majorVersion_ = static_cast<int32_t>(info.dwMajorVersion);
    minorVersion_ = static_cast<int32_t>(info.dwMinorVersion);
    // On Windows 9x the high word repeats major and minor.
    buildNumber_ = static_cast<int32_t>(info.dwBuildNumber & 0xFFFF);
    platform_ = PlatformOf(info.dwPlatformId, platform_);
    csd_.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    os_ = HostOSVersion();
    osName_ = HostOSName();
    osEdition_ = HostOSEdition();
}

// Registration and build texts from the current-version key of the NT family
// or, elsewhere (Windows 9x, but also every Windows not counted as NT), of
// Windows 9x. Nothing is read when the key does not open.
void TVexor_OperatingSystem::ReadRegistration() {
    std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry->OpenKey(IsNT() ? kNtCurrentVersionKey : kCurrentVersionKey))
        return;
    ReadCurrentVersionValues(*registry);
    registry->CloseKey();
}

void TVexor_OperatingSystem::ReadCurrentVersionValues(const TRegistry& registry) {
    ReadTextIfPresent(registry, "RegisteredOrganization", registeredOrg_);
    ReadTextIfPresent(registry, "RegisteredOwner", registeredUser_);
    ReadTextIfPresent(registry, "CurrentType", version_);
    ReadTextIfPresent(registry, "ProductID", productId_);
    // The longer "BuildLabEx" text wins where both exist.
    ReadTextIfPresent(registry, "BuildLab", buildLab_);
    ReadTextIfPresent(registry, "BuildLabEx", buildLab_);
}
