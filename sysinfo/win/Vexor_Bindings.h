#pragma once
// Start and end of the run-time library bindings for the whole process.

// Binds the network management, process status and native libraries, in that
// order. Runs first thing at start-up, before the host platform detection.
void InitLibraryBindings();

// Releases what the start-up bound and this program loaded: NTDLL, then the
// process status library. Runs at process end; may raise the unload error.
// The network library, kernel32 and the terminal services library stay.
void DoneLibraryBindings();
