// The operating-system component's install date, DVD region, folders,
// environment and language against values the test writes. Named
// OperatingSystem so that the Windows-version runs take them too (win98
// reads the Windows 9x key and adds the pre-2000 folders).
#include "sysinfo/win/Dask_OS.h"
#include "sysinfo/win/Dask_OS_Folders.h"
#include "sysinfo/win/Vexor_Routines.h"

#include "base/Exception.h"
#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

namespace {

const char* const kValues[] = {"FirstInstallDateTime", "DVD_Region",  "InstallDate", "CommonFilesDir",
                               "ProgramFilesDir",      "DevicePath",  "MediaPath",   "ConfigPath",
                               "OtherDevicePath",      "WallPaperDir"};

class Keys {
public:
    // The key the refresh reads first: NT's only where the NT family is recognised.
    const SavedRegistryValues& Read() const { return IsNT() ? nt_ : nineX_; }
    const SavedRegistryValues& NT() const { return nt_; }

    static void SetBinary(const SavedRegistryValues& key, const char* path, const char* name,
                          const std::string& data, DWORD type = REG_BINARY) {
        (void)key;
        HKEY handle = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE | ViewAccess(RegistryView::Native),
                                &handle),
                  ERROR_SUCCESS);
        RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
        RegCloseKey(handle);
    }
    const char* ReadPath() const { return IsNT() ? kNt : k9x; }

    static constexpr const char* kNt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    static constexpr const char* k9x = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

private:
    SavedRegistryValues nt_{HKEY_LOCAL_MACHINE,
                            kNt,
                            {kValues[0], kValues[1], kValues[2], kValues[3], kValues[4], kValues[5],
                             kValues[6], kValues[7], kValues[8], kValues[9]}};
    SavedRegistryValues nineX_{HKEY_LOCAL_MACHINE,
                               k9x,
                               {kValues[0], kValues[1], kValues[2], kValues[3], kValues[4], kValues[5],
                                kValues[6], kValues[7], kValues[8], kValues[9]}};
};

std::string Lower(std::string text) {
    CharLowerA(text.data());
    return text;
}

TDateTime ExpectedLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME utc{year, month, 0, day, hour, minute, 0, 0};
    SYSTEMTIME local{};
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    return EncodeDateTime(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                          0);
}

TEST(OperatingSystem, InstallDateAndDvdRegion) {
    Keys keys;
    // 2003-01-01 11:19:00 as an MS-DOS date and time, stored as four bytes.
    Keys::SetBinary(keys.Read(), keys.ReadPath(), "FirstInstallDateTime", std::string("\x60\x5A\x21\x2E", 4));
    Keys::SetBinary(keys.Read(), keys.ReadPath(), "DVD_Region", std::string("\x02\x00\x00\x00", 4));
    keys.NT().SetDword("InstallDate", 0x80000000u);
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    EXPECT_EQ(os.DVDRegion(), "02");
    if (IsNT()) // the NT value wins, in UTC: 2038-01-19 03:14:08
        EXPECT_NEAR(os.InstallDate(), 50424.0 + (3 * 3600 + 14 * 60 + 8) / 86400.0, 1e-9);
    else
        EXPECT_NEAR(os.InstallDate(), ExpectedLocal(2003, 1, 1, 11, 19), 1e-9);

    // A DWORD reads the same; without the values the date and region stay.
    keys.Read().SetDword("FirstInstallDateTime", 0x2E215A60u);
    keys.NT().SetDword("InstallDate", 0);
    os.Refresh();
    EXPECT_NEAR(os.InstallDate(), IsNT() ? 25569.0 : ExpectedLocal(2003, 1, 1, 11, 19), 1e-9);
    keys.Read().DeleteValue("FirstInstallDateTime");
    keys.Read().DeleteValue("DVD_Region");
    if (!IsNT()) {
        os.Refresh();
        EXPECT_NEAR(os.InstallDate(), ExpectedLocal(2003, 1, 1, 11, 19), 1e-9);
        EXPECT_EQ(os.DVDRegion(), "02");
        return;
    }
    // On NT the install date is read without asking whether it exists.
    keys.NT().DeleteValue("InstallDate");
    try {
        os.Refresh();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Failed to get data for 'InstallDate'");
    }
    EXPECT_EQ(os.DVDRegion(), "02");
}

TEST(OperatingSystem, FoldersEnvironmentAndLanguage) {
    Keys keys;
    keys.Read().SetString("CommonFilesDir", "C:\\Kestova Common");
    keys.Read().DeleteValue("MediaPath");
    SetEnvironmentVariableA("KESTOVA_OS_ENV", "=x");
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    os.Refresh(); // the lists are rebuilt, not extended
    const TStringList& folders = os.Folders();

    EXPECT_EQ(folders[0], "CommonFiles=C:\\Kestova Common");
    EXPECT_EQ(folders[4], "Media=");
    EXPECT_EQ(folders[6].substr(0, 10), "Wallpaper=");

    const bool before2000 = os.MajorVersion() < 5;
    size_t line = 7;
    char windows[MAX_PATH], system[MAX_PATH], temp[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    if (before2000) {
        EXPECT_EQ(folders[line++], std::string("Windows=") + windows);
        EXPECT_EQ(folders[line++], std::string("System=") + system);
        EXPECT_EQ(folders[line++], std::string("Temp=") + temp);
    }
    const bool shell = Lower(GetCurrentUserName()) == Lower(os.LoggedUser());
    const size_t table = shell ? kSpecialFolderCount : kUserShellFolderCount;
    EXPECT_EQ(folders.Count(), line + table + (before2000 ? 1 : 0));
    if (shell) {
        EXPECT_EQ(folders[line], "AdminTools=" + GetSpecialFolder(nullptr, CSIDL_ADMINTOOLS));
        EXPECT_EQ(Lower(FolderValue(folders, "windows")), Lower(windows));
        EXPECT_EQ(Lower(FolderValue(folders, "Fonts")), Lower(std::string(windows) + "\\fonts"));
        EXPECT_EQ(folders[line + table - 1].substr(0, 10), "Templates=");
    }
    if (before2000) {
        const std::string desktop = FolderValue(folders, "Desktop");
        EXPECT_EQ(folders[folders.Count() - 1], "Profile=" + desktop.substr(0, desktop.rfind('\\')));
    }

    const auto& environment = os.Environment().Items();
    EXPECT_NE(std::find(environment.begin(), environment.end(), "KESTOVA_OS_ENV==x"), environment.end());
    SetEnvironmentVariableA("KESTOVA_OS_ENV", nullptr);

    const std::string language = os.LanguageID();
    ASSERT_EQ(language.size(), 5u);
    EXPECT_EQ(language[0], '$');
    EXPECT_EQ(language.find_first_not_of("0123456789ABCDEF", 1), std::string::npos);
    EXPECT_EQ(std::stoul(language.substr(1), nullptr, 16), GetSystemDefaultLangID());
}

// Every line of the special-folder list against the folder Windows gives
// (SHGetFolderLocation, then its path) for the shell folder identifier the
// description names for the line's key, written with the platform's own
// CSIDL names (empty where Windows gives no path). A line given another line's identifier (the
// roaming AppData folder's for LocalAppData, say) shows as a wrong path.
TEST(OperatingSystem, EverySpecialFolderLineIsTheFolderWindowsGivesForItsId) {
    const struct {
        const char* key;
        int csidl;
    } lines[] = {
        {"AdminTools", CSIDL_ADMINTOOLS},
        {"AltStartup", CSIDL_ALTSTARTUP},
        {"AppData", CSIDL_APPDATA},
        {"CDBurnArea", CSIDL_CDBURN_AREA},
        {"CommonAdminTools", CSIDL_COMMON_ADMINTOOLS},
        {"CommonDesktopDir", CSIDL_COMMON_DESKTOPDIRECTORY},
        {"CommonAltStartUp", CSIDL_COMMON_ALTSTARTUP},
        {"CommonAppData", CSIDL_COMMON_APPDATA},
        {"CommonDocuments", CSIDL_COMMON_DOCUMENTS},
        {"CommonFavorites", CSIDL_COMMON_FAVORITES},
        {"CommonMusic", CSIDL_COMMON_MUSIC},
        {"CommonPictures", CSIDL_COMMON_PICTURES},
        {"CommonStartMenu", CSIDL_COMMON_STARTMENU},
        {"CommonStartup", CSIDL_COMMON_STARTUP},
        {"CommonTemplates", CSIDL_COMMON_TEMPLATES},
        {"CommonVideo", CSIDL_COMMON_VIDEO},
        {"Cookies", CSIDL_COOKIES},
        {"Controls", CSIDL_CONTROLS},
        {"Desktop", CSIDL_DESKTOP},
        {"DesktopDir", CSIDL_DESKTOPDIRECTORY},
        {"Favorites", CSIDL_FAVORITES},
        {"Drives", CSIDL_DRIVES},
        {"Fonts", CSIDL_FONTS},
        {"History", CSIDL_HISTORY},
        {"Internet", CSIDL_INTERNET},
        {"InternetCache", CSIDL_INTERNET_CACHE},
        {"LocalAppData", CSIDL_LOCAL_APPDATA},
        {"NetWork", CSIDL_NETWORK},
        {"NetHood", CSIDL_NETHOOD},
        {"MyDocuments", 0x000C}, // the "My Documents" desktop item: CSIDL_MYDOCUMENTS of the 2000/XP headers
        {"MyMusic", CSIDL_MYMUSIC},
        {"MyPictures", CSIDL_MYPICTURES},
        {"MyVideo", CSIDL_MYVIDEO},
        {"Personal", CSIDL_PERSONAL},
        {"PrintHood", CSIDL_PRINTHOOD},
        {"Printers", CSIDL_PRINTERS},
        {"Programs", CSIDL_PROGRAMS},
        {"Profile", CSIDL_PROFILE},
        {"Profiles", 0x003E}, // CSIDL_PROFILES of the Windows 2000 headers
        {"ProgramFiles", CSIDL_PROGRAM_FILES},
        {"ProgramFilesCommon", CSIDL_PROGRAM_FILES_COMMON},
        {"RecycleBin", CSIDL_BITBUCKET},
        {"Recent", CSIDL_RECENT},
        {"SendTo", CSIDL_SENDTO},
        {"StartMenu", CSIDL_STARTMENU},
        {"StartUp", CSIDL_STARTUP},
        {"System", CSIDL_SYSTEM},
        {"Windows", CSIDL_WINDOWS},
        {"Templates", CSIDL_TEMPLATES},
    };
    TStringList folders;
    AddSpecialFolders(folders, GetDesktopWindow());
    ASSERT_EQ(folders.Count(), std::size(lines));
    size_t withPath = 0;
    for (size_t i = 0; i < std::size(lines); ++i) {
        std::string expected;
        LPITEMIDLIST items = nullptr;
        if (SUCCEEDED(SHGetFolderLocation(nullptr, lines[i].csidl, nullptr, 0, &items)) && items) {
            char path[MAX_PATH] = {};
            if (SHGetPathFromIDListA(items, path))
                expected = path;
            CoTaskMemFree(items);
        }
        EXPECT_EQ(folders[i], lines[i].key + std::string("=") + expected) << "line " << i;
        withPath += !expected.empty();
    }
    // Most lines name a folder on disk, so a line given another's identifier shows.
    EXPECT_GE(withPath, 30u);
}

TEST(OperatingSystem, UserShellFoldersFromTheUserThenTheMachine) {
    const char* key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    SavedRegistryValues user(HKEY_CURRENT_USER, key, {"Kestova Folder", "Personal"});
    SavedRegistryValues machine(HKEY_LOCAL_MACHINE, key, {"Kestova Folder", "Kestova Machine"});
    user.SetString("Kestova Folder", "C:\\User");
    machine.SetString("Kestova Folder", "C:\\Machine");
    machine.SetString("Kestova Machine", "C:\\Machine only");
    EXPECT_EQ(GetUserShellFolder("KESTOVA FOLDER"), "C:\\User");
    EXPECT_EQ(GetUserShellFolder("Kestova Machine"), "C:\\Machine only");
    EXPECT_EQ(GetUserShellFolder("Kestova Nowhere"), "");

    user.SetString("Personal", "C:\\Kestova Documents");
    TStringList folders;
    AddUserShellFolders(folders);
    ASSERT_EQ(folders.Count(), kUserShellFolderCount);
    EXPECT_EQ(folders[0].substr(0, 8), "AppData=");
    EXPECT_EQ(FolderValue(folders, "MyDocuments"), "C:\\Kestova Documents");
    EXPECT_EQ(FolderValue(folders, "Personal"), "C:\\Kestova Documents");
    EXPECT_EQ(folders[kUserShellFolderCount - 1].substr(0, 10), "Templates=");
}

} // namespace
