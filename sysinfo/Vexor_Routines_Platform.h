#pragma once
// Shared routines of the information components: the host platform record
// taken once at start-up.
#include <windows.h>

// The extended version record read when the process started.
const OSVERSIONINFOEXA& HostVersionInfo();

// Runs once at start-up, before any window or information component exists.
void InitHostPlatform();
