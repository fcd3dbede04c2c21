#pragma once
// Folder and environment queries of the operating-system component: the
// shell's special folders, the interactive user's recorded shell folders and
// the process environment.
#include "base/StringList.h"

#include <windows.h>

#include <string>

// Empties list and fills it with the entries of the process environment block,
// one "name=value" per line as stored (entries beginning with "=" included),
// from at most its first 4096 bytes.
void GetEnvironmentList(TStringList& list);

// The file-system path of a shell special folder (CSIDL); "" when the folder
// does not exist or has no path.
std::string GetSpecialFolder(HWND window, int csidl);

// The path the interactive user's "Shell Folders" key records under
// valueName (on the NT family that user's hive under HKEY_USERS, looked up
// afresh on every call; elsewhere HKEY_CURRENT_USER), else the machine-wide
// one under HKEY_LOCAL_MACHINE; "" when neither has it.
std::string GetUserShellFolder(const std::string& valueName);
