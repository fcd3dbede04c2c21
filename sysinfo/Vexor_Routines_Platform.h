#pragma once
// Shared routines of the information components: the host platform record
// taken once at start-up.
#include <windows.h>

// The extended version record read when the process started.
const OSVERSIONINFOEXA& HostVersionInfo();

// True when this 32-bit process runs under WOW64 on 64-bit Windows.
bool IsWow64();

// Runs once at start-up, before any window or information component exists.
void InitHostPlatform();
