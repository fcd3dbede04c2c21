#pragma once
// File version resources, the Windows folders and the file search the
// detectors use to find a product's main file.
#include <cstdint>
#include <string>

// What the detectors take from a file's version resource.
struct TVersionInfo {
    std::string FileName;
    std::string FileVersion; // the "FileVersion" entry of the first translation
    std::uint32_t FileMajor = 0;
    std::uint32_t FileMinor = 0;
    std::uint32_t FileRelease = 0;
    std::uint32_t FileBuild = 0;
};

// Fills info from fileName's version resource. True when the file has one
// with fixed file information (also when it has no "FileVersion" entry);
// otherwise info is cleared except for FileName.
bool ReadVersionInfo(const std::string& fileName, TVersionInfo& info);

// The "FileVersion" entry exactly as stored (blanks kept), "" when the file
// has no version resource.
std::string ReadFileVersion(const std::string& fileName);

// The Windows system directory, without a trailing "\".
std::string GetSystemFolder();

// The Windows directory, ";", the system directory, ";".
std::string GetWindowsSearchPath();

// A path to an existing file: the name itself, else the first directory of the
// ";"-separated list that holds it; "" when there is none.
std::string SearchFileOnPath(const std::string& name, const std::string& directories);

// True when the path's attributes can be read and it is not a directory.
bool FileExists(const std::string& path);
