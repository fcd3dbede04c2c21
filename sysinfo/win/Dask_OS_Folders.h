#pragma once
// The known folders of the operating-system component: the shell's special
// folders when this process runs as the interactive user, else the folders
// that user's profile records.
#include "base/StringList.h"

#include <windows.h>

#include <cstddef>

// The 49 special folders, in the component's order, each "Key=" and the path
// of its shell folder identifier for window ("Key=" alone when it has none).
inline constexpr size_t kSpecialFolderCount = 49;
void AddSpecialFolders(TStringList& folders, HWND window);

// The 41 folders of the interactive user's "Shell Folders" key, in the
// component's order, each "Key=" and the recorded path.
inline constexpr size_t kUserShellFolderCount = 41;
void AddUserShellFolders(TStringList& folders);

// The value of the first line whose key is key (ignoring case); "" when there
// is none.
std::string FolderValue(const TStringList& folders, const std::string& key);
