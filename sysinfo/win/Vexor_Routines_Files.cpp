#include "Vexor_Routines_Files.h"

#include "sysinfo/Vexor_Routines_SearchPath.h"
#include "base/CodePage.h"
#include "base/Exception.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

// The text of a string-table entry up to its first NUL, never reading past
// the resource buffer it points into.
std::string EntryText(const std::vector<char>& resource, const char* text, UINT length) {
    const char* end = resource.data() + resource.size();
    const size_t limit = (text >= resource.data() && text < end) ? static_cast<size_t>(end - text) : length;
    return std::string(text, strnlen(text, limit));
}

// "\StringFileInfo\" + language key + "\FileVersion", where the key is the
// first translation's language then code page, as 8 hexadecimal digits; an
// empty key when the resource has no translation table.
std::string FileVersionPath(const std::vector<char>& resource) {
    void* table = nullptr;
    UINT size = 0;
    std::string languageKey;
    if (VerQueryValueA(resource.data(), "\\VarFileInfo\\Translation", &table, &size) && table &&
        size >= sizeof(DWORD)) {
        DWORD first;
        std::memcpy(&first, table, sizeof first);
        const std::string digits = FormatText("%.8lX", static_cast<unsigned long>(first));
        languageKey = digits.substr(4, 4) + digits.substr(0, 4);
    }
    return "\\StringFileInfo\\" + languageKey + "\\FileVersion";
}

} // namespace

bool ReadVersionInfo(const std::string& fileName, TVersionInfo& info) {
    info = TVersionInfo{};
    info.FileName = fileName;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<char> resource(size);
    if (!GetFileVersionInfoA(fileName.c_str(), 0, size, resource.data()))
        return false;
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueA(resource.data(), "\\", &fixed, &fixedSize) || !fixed ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return false;
    VS_FIXEDFILEINFO numbers;
    std::memcpy(&numbers, fixed, sizeof numbers);
    info.FileMajor = HIWORD(numbers.dwFileVersionMS);
    info.FileMinor = LOWORD(numbers.dwFileVersionMS);
    info.FileRelease = HIWORD(numbers.dwFileVersionLS);
    info.FileBuild = LOWORD(numbers.dwFileVersionLS);

    void* text = nullptr;
    UINT length = 0;
    if (VerQueryValueA(resource.data(), FileVersionPath(resource).c_str(), &text, &length) && text)
        info.FileVersion = EntryText(resource, static_cast<const char*>(text), length);
    return true;
}

std::string ReadFileVersion(const std::string& fileName) {
    TVersionInfo info;
    return ReadVersionInfo(fileName, info) ? info.FileVersion : std::string();
}

std::string GetSystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length < MAX_PATH ? std::string(folder, length) : std::string();
}

std::string GetWindowsSearchPath() {
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    const std::string windows = length < MAX_PATH ? std::string(folder, length) : std::string();
    return windows + ";" + GetSystemFolder() + ";";
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SearchFileOnPath(const std::string& name, const std::string& directories) {
    return SearchFileOnPathWith(name, directories, FileExists, IsLeadByte);
}
