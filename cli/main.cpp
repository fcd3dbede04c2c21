// kestova-report: the Kestova report on the command line.
#include "ReportProgram.h"
#include "sysinfo/win/Vexor_Bindings.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace {

// Bytes as they are: the report carries its own CR LF line ends.
void WriteAll(DWORD which, const std::string& bytes) {
    const HANDLE handle = GetStdHandle(which);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                       nullptr) ||
            written == 0)
            return;
        done += written;
    }
}

} // namespace

int main(int argc, char** argv) {
    // As in the window: the optional system libraries are bound and the host
    // platform is known before any component exists.
    InitLibraryBindings();
    InitHostPlatform();

    const TReportRun run = RunReportProgram(std::vector<std::string>(argv + 1, argv + argc));
    WriteAll(STD_OUTPUT_HANDLE, run.Output);
    WriteAll(STD_ERROR_HANDLE, run.Errors);
    int status = run.ExitStatus;
    try {
        DoneLibraryBindings();
    } catch (const std::exception& error) {
        WriteAll(STD_ERROR_HANDLE, std::string("kestova-report: ") + error.what() + "\r\n");
        status = 2;
    }
    return status;
}
