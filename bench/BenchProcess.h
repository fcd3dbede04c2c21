#pragma once
// Whole processes for the benchmarks that time a program from outside: the
// report program beside the benchmark's build, and one run of a command.
#include "BenchClock.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <string>

// build/<preset>/cli/kestova-report.exe, found from this benchmark's own
// place in build/<preset>/bench/.
inline std::string ReportExe() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\cli\\kestova-report.exe";
}

// Seconds from starting the command to the end of its process; its output
// goes to NUL. Negative when it cannot be started or ends with a status
// other than 0.
inline double RunSeconds(std::string commandLine) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueHandle nul(
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.Get();
    startup.hStdError = nul.Get();
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    UniqueHandle processHandle(process.hProcess), thread(process.hThread);
    WaitForSingleObject(processHandle.Get(), INFINITE);
    const double seconds = Now() - start;
    DWORD exitCode = 1;
    GetExitCodeProcess(processHandle.Get(), &exitCode);
    return exitCode == 0 ? seconds : -1;
}
