// A 32-bit program on 32-bit Windows of the NT family that cannot open the
// physical memory section reads the firmware windows through the real-mode
// dump program, run by this system's own command interpreter. Wine's
// interpreter cannot run a 16-bit program, so the first window's read is
// refused after the interpreter ran, and the scan does not start it again for
// windows that would be refused the same way: the SMBIOS data then comes from
// the "RSMB" table and no "~RomDmp" folder is left. A 32-bit program under WOW64 and the 64-bit twin
// have no 16-bit subsystem and never start the interpreter.
#include "sysinfo/win/Dask_SMBIOS.h"

#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/WineRun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Environment(const char* name) {
    char value[1024] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::string& value) {
        saved_.emplace_back(name, Environment(name));
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            SetEnvironmentVariableA(it->first, it->second.empty() ? nullptr : it->second.c_str());
    }

private:
    std::vector<std::pair<const char*, std::string>> saved_;
};

bool IsEmptyFolder(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    bool empty = true;
    do {
        const std::string name = found.cFileName;
        empty = empty && (name == "." || name == "..");
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return empty;
}

TEST(RealModeFallback, SmbiosWindowsAreReadThroughThisSystemsInterpreter) {
    const std::string interpreter = Environment("ComSpec");
    ASSERT_FALSE(interpreter.empty()) << "Windows names its command interpreter in ComSpec";
    TempFolder temp; // the dump folders are made here
    TempFolder logFolder;
    const std::string log = logFolder.File("runs.log");
    TVexor_SMBIOS smbios(nullptr);
    {
        // The stand-in counts the runs and hands each to the real interpreter.
        ScopedEnvironment environment;
        environment.Set("TMP", temp.Path());
        environment.Set("ComSpec", ProgramFolder() + "stub_interpreter.exe");
        environment.Set("KESTOVA_STUB_INTERPRETER", "relay");
        environment.Set("KESTOVA_STUB_RELAY", interpreter);
        environment.Set("KESTOVA_STUB_LOG", log);
        smbios.Refresh();
    }
    const std::string runs = logFolder.Read("runs.log");
    // No firmware image under Wine: the scan starts at the 64 KB window at
    // 0xC0000, whose refusal ends it.
    const long expected = ThisWineRun() == TWineRun::Pure32 ? 1 : 0;
    EXPECT_EQ(std::count(runs.begin(), runs.end(), '\n'), expected) << "interpreter runs";
    EXPECT_TRUE(IsEmptyFolder(temp.Path())) << "no \"~RomDmp\" folder left";

    EXPECT_TRUE(smbios.DataPresent());
    EXPECT_EQ(smbios.TableSource(), "RSMB");
    EXPECT_EQ(smbios.SMBIOSAddress(), 0u);
    EXPECT_FALSE(smbios.StructTables().empty());
}

} // namespace
