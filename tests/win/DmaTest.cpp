// The physical memory reader on Windows: the real-mode dump through the
// command interpreter (a stand-in interpreter plays the 16-bit subsystem,
// which Wine lacks) and its folder, removed on every path; reads of a
// buffer-filled reader.
#include "sysinfo/win/Dask_DMA.h"
#include "sysinfo/win/Dask_DMA_RealMode.h"
#include "tests/fixtures/WineRun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string Environment(const char* name) {
    char value[1024] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

// A temporary folder of the test's own (so that no other program's
// "~RomDmp" folders count), the interpreter and its mode, for one test.
class RealModeDump : public ::testing::Test {
protected:
    void SetUp() override {
        savedTmp_ = Environment("TMP");
        savedComSpec_ = Environment("ComSpec");
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        temp_ = std::string(base) + "kestova-dma-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(temp_.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", temp_.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableA("TMP", savedTmp_.empty() ? nullptr : savedTmp_.c_str());
        SetEnvironmentVariableA("ComSpec", savedComSpec_.empty() ? nullptr : savedComSpec_.c_str());
        SetEnvironmentVariableA("KESTOVA_STUB_INTERPRETER", nullptr);
        RemoveDirectoryA(temp_.c_str());
    }
    void UseStub(const char* mode) {
        SetEnvironmentVariableA("ComSpec", (ProgramFolder() + "stub_interpreter.exe").c_str());
        SetEnvironmentVariableA("KESTOVA_STUB_INTERPRETER", mode);
    }
    // The entries of the temporary folder: none may be left behind.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((temp_ + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (std::strcmp(found.cFileName, ".") && std::strcmp(found.cFileName, ".."))
                names.push_back(found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        return names;
    }

    std::string temp_;
    std::string savedTmp_;
    std::string savedComSpec_;
};

TEST_F(RealModeDump, ProgramOutputOfASegmentIsTheDump) {
    UseStub("dump");
    std::vector<std::uint8_t> segment;
    ASSERT_EQ(DumpRealModeSegment(0xF0, segment, 60000), TRealModeDump::Dumped);
    ASSERT_EQ(segment.size(), 65536u);
    // The program the interpreter was given: selector F0h at offsets 3 and 23.
    const std::vector<std::uint8_t> program = {
        0x31, 0xD2, 0xB6, 0xF0, 0x8E, 0xDA, 0x31, 0xD2, 0x31, 0xC9, 0x49, 0x31, 0xDB, 0x43, 0xB4, 0x40,
        0xCD, 0x21, 0x72, 0x16, 0x31, 0xD2, 0xB6, 0xF0, 0x8E, 0xDA, 0x31, 0xD2, 0x4A, 0x31, 0xC9, 0x41,
        0x89, 0xCB, 0xB4, 0x40, 0xCD, 0x21, 0x72, 0x02, 0xB0, 0x00, 0xB4, 0x4C, 0xCD, 0x21};
    EXPECT_EQ(std::vector<std::uint8_t>(segment.begin(), segment.begin() + 46), program);
    EXPECT_EQ(segment[0xFFFF], 0xFF);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RealModeDump, FailedRunsLeaveNoFolder) {
    // Refused: the interpreter ran and ended, but no whole segment came of it.
    const struct {
        const char* what;
        const char* mode; // nullptr: this system's own interpreter
        std::uint8_t selector;
        bool unsetComSpec;
        TRealModeDump outcome;
    } rows[] = {
        {"interpreter that cannot run the program", nullptr, 0xF0, false, TRealModeDump::Refused},
        {"output shorter than a segment", "short", 0xE0, false, TRealModeDump::Refused},
        {"interpreter failing", "fail", 0xF0, false, TRealModeDump::Refused},
        {"no program for the selector", "dump", 0x01, false, TRealModeDump::NotRun},
        {"no ComSpec", "dump", 0xF0, true, TRealModeDump::NotRun},
    };
    for (const auto& row : rows) {
        if (row.mode)
            UseStub(row.mode);
        if (row.unsetComSpec)
            SetEnvironmentVariableA("ComSpec", nullptr);
        std::vector<std::uint8_t> segment;
        EXPECT_EQ(DumpRealModeSegment(row.selector, segment, 60000), row.outcome) << row.what;
        EXPECT_TRUE(Leftovers().empty()) << row.what;
    }
}

TEST_F(RealModeDump, ProgramThatOutlastsTheWaitIsEndedAndItsFolderRemoved) {
    UseStub("hang");
    std::vector<std::uint8_t> segment;
    EXPECT_EQ(DumpRealModeSegment(0xF0, segment, 300), TRealModeDump::NotRun)
        << "a slow system, not a refusal";
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(RealModeDump, ReaderTakesItsBytesFromTheSegmentAtTheOffset) {
    UseStub("dump");
    TVexor_DMA dma(nullptr);
    dma.SetStartAddress(0xF0010);
    dma.SetMemorySize(0x20);
    // No physical memory section under Wine. Only a 32-bit program on 32-bit
    // Windows has a 16-bit subsystem: there the refresh falls back to the
    // program; the twin and a program under WOW64 do not try it.
    dma.Refresh();
    EXPECT_EQ(dma.DataPresent(), ThisWineRun() == TWineRun::Pure32);
    EXPECT_TRUE(Leftovers().empty());

    dma.RefreshFromRealMode();
    ASSERT_TRUE(dma.DataPresent()) << "the real-mode program ran";
    EXPECT_FALSE(dma.RealModeRefused());
    ASSERT_EQ(dma.Memory().size(), 0x20u);
    EXPECT_EQ(dma.ReadByte(0xF0010), 0xCD) << "byte 16 of the program";
    EXPECT_EQ(dma.ReadByte(0xF002F), 0x2F);
    EXPECT_EQ(dma.ReadByte(0xF0030), 0);

    // A range past the segment's end: the bytes beyond it stay 0.
    dma.SetStartAddress(0xFFFF0);
    dma.RefreshFromRealMode();
    ASSERT_TRUE(dma.DataPresent());
    EXPECT_EQ(dma.ReadByte(0xFFFFF), 0xFF);
    EXPECT_EQ(dma.ReadByte(0x100000), 0);

    // A failed refresh leaves nothing to read.
    SetEnvironmentVariableA("KESTOVA_STUB_INTERPRETER", "fail");
    dma.RefreshFromRealMode();
    EXPECT_FALSE(dma.DataPresent());
    EXPECT_TRUE(dma.RealModeRefused());
    EXPECT_TRUE(dma.Memory().empty());
    EXPECT_EQ(dma.ReadByte(0xFFFF0), 0);
    EXPECT_TRUE(Leftovers().empty());
}

TEST(Dma, PageSizeAndBufferReads) {
    TVexor_DMA dma(nullptr);
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    EXPECT_EQ(dma.PageSize(), info.dwPageSize);
    EXPECT_FALSE(dma.DataPresent());
    const std::uint8_t bytes[] = {9, 9, 'a', 'b', 0, 'c', 0, 0, 0x78, 0x56, 0x34, 0x12};
    dma.SetStartAddress(0x500);
    dma.SetMemorySize(10);
    dma.LoadFromBuffer(bytes, 2, 10);
    EXPECT_TRUE(dma.DataPresent());
    EXPECT_EQ(dma.StartAddress(), 0x500u);
    EXPECT_EQ(dma.ReadString(0x500, 2), "c");
    EXPECT_EQ(dma.ReadDWord(0x506), 0x12345678u);
    EXPECT_EQ(dma.ReadDWord(0x507), 0u);
}

} // namespace
