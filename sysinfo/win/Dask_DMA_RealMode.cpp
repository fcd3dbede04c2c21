#include "Dask_DMA_RealMode.h"

#include "sysinfo/Dask_DMA_Program.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <string>

namespace {

constexpr char kProgramName[] = "RomDump.com";
constexpr char kOutputName[] = "Rom.dmp";
// How long an ended program may take to let go of its files.
constexpr DWORD kEndWait = 5000;

// The numbered folder and whatever was put in it, removed when the dump ends
// however it ends.
class TDumpFolder {
public:
    explicit TDumpFolder(std::string path) : path_(std::move(path)) {}
    ~TDumpFolder() {
        if (path_.empty())
            return;
        WIN32_FIND_DATAA found;
        UniqueFind find(FindFirstFileA((path_ + "\\*").c_str(), &found));
        if (find) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((path_ + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(find.Get(), &found));
        }
        find.Reset();
        RemoveDirectoryA(path_.c_str());
    }
    TDumpFolder(const TDumpFolder&) = delete;
    TDumpFolder& operator=(const TDumpFolder&) = delete;
    std::string File(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string TemporaryFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, path);
    if (length == 0 || length > MAX_PATH)
        return std::string();
    std::string folder(path, length);
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool WriteProgram(const std::string& path, std::uint8_t selector) {
    const auto program = RealModeDumpProgram(selector);
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok =
        program &&
        WriteFile(file.Get(), program->data(), static_cast<DWORD>(program->size()), &written, nullptr) &&
        written == program->size();
    file.Reset();
    if (!ok)
        DeleteFileA(path.c_str());
    return ok;
}

// Starts the interpreter hidden and in a job, so that a program that does
// not end in time is ended with everything it started; true when it ended
// within the limit.
bool RunInterpreter(const std::string& commandLine, DWORD timeLimit) {
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION created{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP | CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &created))
        return false;
    UniqueHandle process(created.hProcess);
    UniqueHandle thread(created.hThread);
    UniqueHandle job(CreateJobObjectA(nullptr, nullptr));
    if (job && !AssignProcessToJobObject(job.Get(), process.Get()))
        job.Reset();
    ResumeThread(thread.Get());
    if (WaitForSingleObject(process.Get(), timeLimit) == WAIT_OBJECT_0)
        return true;
    if (job)
        TerminateJobObject(job.Get(), 1);
    else
        TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), kEndWait);
    return false;
}

bool ReadOutput(const std::string& path, std::vector<std::uint8_t>& buffer) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    buffer.assign(kRealModeSegmentSize, 0);
    DWORD read = 0;
    return ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
           read == kRealModeSegmentSize;
}

} // namespace

TRealModeDump DumpRealModeSegment(std::uint8_t selector, std::vector<std::uint8_t>& buffer,
                                  unsigned long timeLimit) {
    const std::string temporary = TemporaryFolder();
    if (temporary.empty())
        return TRealModeDump::NotRun;
    std::string path;
    for (unsigned n = 1;; ++n) {
        path = temporary + "~RomDmp" + std::to_string(n);
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
    }
    if (!CreateDirectoryA(path.c_str(), nullptr))
        return TRealModeDump::NotRun;
    const TDumpFolder folder(path);
    const std::string program = folder.File(kProgramName);
    const std::string output = folder.File(kOutputName);
    if (!WriteProgram(program, selector))
        return TRealModeDump::NotRun;

    char interpreter[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableA("ComSpec", interpreter, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return TRealModeDump::NotRun;
    if (!RunInterpreter(std::string(interpreter) + " /C " + program + " > " + output, timeLimit))
        return TRealModeDump::NotRun;
    return ReadOutput(output, buffer) ? TRealModeDump::Dumped : TRealModeDump::Refused;
}
