#include "Dask_OS.h"

#include "Dask_OS_Folders.h"
#include "Vexor_Datetime_FileTime.h"
#include "Vexor_Routines_Folders.h"
#include "Vexor_Routines_RegValueText.h"
#include "base/Text.h"
#include "sysinfo/Vexor_Routines_ValueText.h"
#include "base/Exception.h"

#include <cstring>
#include <vector>

namespace {

const char kNtCurrentVersionKey[] = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kCurrentVersionKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Reads a text value into target only when the value exists; a value of a
// type other than text raises the accessor's error.
void ReadTextIfPresent(const TRegistry& registry, const char* name, std::string& target) {
    if (registry.ValueExists(name))
        target = registry.ReadString(name);
}

// Folder values of the current-version key, each added as its line key and
// the value's text (empty where the key lacks the value).
const struct {
    const char* Key;
    const char* ValueName;
} kCurrentVersionFolders[] = {
    {"CommonFiles=", "CommonFilesDir"},
    {"ProgramFiles=", "ProgramFilesDir"},
    {"Device=", "DevicePath"},
    {"OtherDevice=", "OtherDevicePath"},
    {"Media=", "MediaPath"},
    {"Config=", "ConfigPath"},
    {"Wallpaper=", "WallPaperDir"},
};

// "FirstInstallDateTime" as the 32-bit number it stands for: a DWORD, or the
// first four bytes of a binary value, little-endian.
uint32_t FirstInstallNumber(const TRegistry& registry) {
    const char name[] = "FirstInstallDateTime";
    try {
        return static_cast<uint32_t>(registry.ReadInteger(name));
    } catch (const Exception&) {
    }
    const long size = registry.GetDataSize(name);
    std::vector<unsigned char> data(size > 0 ? static_cast<size_t>(size) : 0);
    const size_t read = registry.ReadBinaryData(name, data.data(), data.size());
    return LittleEndianNumber(data.data(), read);
}

// The value of a folder query with its size limit: at most 259 characters.
template <typename Query> std::string FolderFromBuffer(Query query) {
    char path[MAX_PATH] = {};
    const DWORD length = query(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, strnlen(path, sizeof path)) : std::string();
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
    ReadFolders();
    environment_->Clear();
    GetEnvironmentList(*environment_);
    languageId_ = FormatText("$%.4X", static_cast<unsigned>(GetSystemDefaultLangID()));
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
    const char* key = IsNT() ? kNtCurrentVersionKey : kCurrentVersionKey;
    if (!registry->OpenKey(key))
        return;
    ReadCurrentVersionValues(*registry);
    ReadInstallAndFolderValues(*registry, key);
    registry->CloseKey();
    if (IsNT())
        ReadNTInstallDate(*registry);
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

// Install date, DVD region and the folder values of the open current-version
// key (on the NT family that key lacks the folder values: their lines stay
// empty).
void TVexor_OperatingSystem::ReadInstallAndFolderValues(const TRegistry& registry, const char* keyPath) {
    if (registry.ValueExists("FirstInstallDateTime")) {
        // Windows 9x keeps the MS-DOS date and time of the installation, in
        // UTC. Bits that make no date leave the install date as it was.
        DosDateTimeToLocalDateTime(FirstInstallNumber(registry), installDate_);
    }
    if (registry.ValueExists("DVD_Region"))
        dvdRegion_ = ReadRegValueAsText(HKEY_LOCAL_MACHINE, keyPath, "DVD_Region", true);
    for (const auto& folder : kCurrentVersionFolders)
        folders_->Add(folder.Key + registry.ReadString(folder.ValueName));
}

// The NT family records its installation as seconds since 1970, UTC. The
// value is not tested for first: without it the refresh ends with the
// accessor's error.
void TVexor_OperatingSystem::ReadNTInstallDate(TRegistry& registry) {
    if (!registry.OpenKey(kNtCurrentVersionKey + 1))
        return;
    installDate_ = UnixSecondsToDateTime(static_cast<uint32_t>(registry.ReadInteger("InstallDate")));
    registry.CloseKey();
}

// Windows, system and temporary folders before Windows 2000, the shell
// folders, and the profile folder before Windows 2000.
void TVexor_OperatingSystem::ReadFolders() {
    const bool beforeWindows2000 = majorVersion_ < 5;
    if (beforeWindows2000) {
        folders_->Add("Windows=" + FolderFromBuffer([](char* buffer, UINT size) {
                          return GetWindowsDirectoryA(buffer, size);
                      }));
        folders_->Add("System=" + FolderFromBuffer([](char* buffer, UINT size) {
                          return GetSystemDirectoryA(buffer, size);
                      }));
        folders_->Add("Temp=" +
                      FolderFromBuffer([](char* buffer, UINT size) { return GetTempPathA(size, buffer); }));
    }
    // The shell answers for the user this process runs as; for anyone else
    // the folders come from the interactive user's profile.
    if (SameText(GetCurrentUserName(), LoggedUser()))
        AddSpecialFolders(*folders_, GetDesktopWindow());
    else
        AddUserShellFolders(*folders_);
    if (beforeWindows2000)
        folders_->Add("Profile=" + ProfileFromDesktop(FolderValue(*folders_, "Desktop")));
}
