#include "Dask_OS_Folders.h"

#include "Vexor_Routines_Folders.h"
#include "base/Text.h"

namespace {

struct TSpecialFolder {
    const char* Key;
    int Csidl;
};

// Column by column as the folder list has always shown them.
const TSpecialFolder kSpecialFolders[kSpecialFolderCount] = {
    {"AdminTools=", 48},
    {"AltStartup=", 29},
    {"AppData=", 26},
    {"CDBurnArea=", 59},
    {"CommonAdminTools=", 47},
    {"CommonDesktopDir=", 25},
    {"CommonAltStartUp=", 30},
    {"CommonAppData=", 35},
    {"CommonDocuments=", 46},
    {"CommonFavorites=", 31},
    {"CommonMusic=", 53},
    {"CommonPictures=", 54},
    {"CommonStartMenu=", 22},
    {"CommonStartup=", 24},
    {"CommonTemplates=", 45},
    {"CommonVideo=", 55},

    {"Cookies=", 33},
    {"Controls=", 3},
    {"Desktop=", 0},
    {"DesktopDir=", 16},
    {"Favorites=", 6},
    {"Drives=", 17},
    {"Fonts=", 20},
    {"History=", 34},
    {"Internet=", 1},
    {"InternetCache=", 32},
    {"LocalAppData=", 28},
    {"NetWork=", 18},
    {"NetHood=", 19},
    {"MyDocuments=", 12},
    {"MyMusic=", 13},
    {"MyPictures=", 39},
    {"MyVideo=", 14},

    {"Personal=", 5},
    {"PrintHood=", 27},
    {"Printers=", 4},
    {"Programs=", 2},
    {"Profile=", 40},
    {"Profiles=", 62},
    {"ProgramFiles=", 38},
    {"ProgramFilesCommon=", 43},
    {"RecycleBin=", 10},
    {"Recent=", 8},
    {"SendTo=", 9},
    {"StartMenu=", 11},
    {"StartUp=", 7},
    {"System=", 37},
    {"Windows=", 36},
    {"Templates=", 21},
};

struct TUserShellFolder {
    const char* Key;
    const char* ValueName;
};

const TUserShellFolder kUserShellFolders[kUserShellFolderCount] = {
    {"AppData=", "APPDATA"},
    {"CommonDesktopDir=", "COMMON DESKTOP DIRECTORY"},
    {"CommonAltStartUp=", "COMMON ALTSTARTUP"},
    {"RecycleBin=", "BITBUCKET"},
    {"CDBurnArea=", "CD BURNING"},
    {"CommonAppData=", "COMMON APPDATA"},
    {"CommonPrograms=", "COMMON PROGRAMS"},
    {"CommonStartMenu=", "COMMON START MENU"},
    {"CommonStartup=", "COMMON STARTUP"},
    {"CommonFavorites=", "COMMON FAVORITES"},
    {"CommonMusic=", "COMMONMUSIC"},
    {"CommonPictures=", "COMMONPICTURES"},
    {"CommonVideo=", "COMMONVIDEO"},
    {"CommonDocuments=", "COMMON DOCUMENTS"},
    {"CommonDesktop=", "COMMON DESKTOP"},
    {"Cookies=", "COOKIES"},
    {"Controls=", "CONTROLS"},
    {"Desktop=", "DESKTOP"},
    {"DesktopDir=", "DESKTOP DIRECTORY"},
    {"Favorites=", "FAVORITES"},
    {"Drives=", "DRIVES"},
    {"Fonts=", "FONTS"},

    {"History=", "HISTORY"},
    {"Internet=", "INTERNET"},
    {"InternetCache=", "CACHE"},
    {"LocalAppData=", "LOCAL APPDATA"},
    {"MyMusic=", "MY MUSIC"},
    {"MyPictures=", "MY PICTURES"},
    {"MyVideo=", "MY VIDEO"},
    {"NetWork=", "NETWORK"},
    {"NetHood=", "NETHOOD"},
    {"MyDocuments=", "PERSONAL"},
    {"Personal=", "PERSONAL"},
    {"PrintHood=", "PRINTHOOD"},
    {"Printers=", "PRINTERS"},
    {"Programs=", "PROGRAMS"},
    {"Recent=", "RECENT"},
    {"SendTo=", "SENDTO"},
    {"StartMenu=", "START MENU"},
    {"StartUp=", "STARTUP"},
    {"Templates=", "TEMPLATES"},
};

} // namespace

void AddSpecialFolders(TStringList& folders, HWND window) {
    for (const TSpecialFolder& folder : kSpecialFolders)
        folders.Add(folder.Key + GetSpecialFolder(window, folder.Csidl));
}

// Every line looks the interactive user and its SID up afresh (nothing is
// kept between two lines); bench/os_refresh measures what that costs.
void AddUserShellFolders(TStringList& folders) {
    for (const TUserShellFolder& folder : kUserShellFolders)
        folders.Add(folder.Key + GetUserShellFolder(folder.ValueName));
}

std::string FolderValue(const TStringList& folders, const std::string& key) {
    for (const std::string& line : folders) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && SameText(std::string_view(line).substr(0, equals), key))
            return line.substr(equals + 1);
    }
    return {};
}
