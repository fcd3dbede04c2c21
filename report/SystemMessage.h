#pragma once
// The system's own wording of an error code, for messages shown to the user.
#include <windows.h>

#include <string>

// The text FormatMessage gives for the code, without the line break it ends
// with ("The system cannot find the file specified."). A code the system has
// no text for gives "System error <code>".
std::string SystemErrorMessage(DWORD code);
