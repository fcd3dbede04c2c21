// A save whose writes stop short: the file system refuses to let the new
// report grow past a limit (the test run sets a file-size limit on this
// process). The save must fail with the create error and keep the old file.
#include "report/ReportFileIo.h"
#include "base/Exception.h"
#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> FolderContents(const TempFolder& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(folder.File("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST(ReportFileLimit, SaveThatStopsShortKeepsTheOldFile) {
    const char* limit = std::getenv("KESTOVA_FILE_SIZE_LIMIT");
    if (!limit)
        GTEST_SKIP() << "runs only under a file-size limit (the file_size_limit test)";
    const size_t limitBytes = std::strtoul(limit, nullptr, 10);

    TempFolder folder;
    const std::string old = "Engines Report for Machine:  PC01\r\n";
    folder.Write("report.txt", old);
    // Several write chunks past the limit, so that both a short write and a
    // refused one are met on the way.
    const std::string report(3 * limitBytes + 12345, 'k');
    std::string message;
    try {
        WriteReportFile(folder.File("report.txt"), report);
    } catch (const Exception& e) {
        message = e.Message();
    }
    const std::string expected = "Cannot create file \"" + folder.File("report.txt") + "\". ";
    EXPECT_EQ(message.substr(0, expected.size()), expected) << message;
    EXPECT_GT(message.size(), expected.size()) << "the system's reason is missing";
    const std::string kept = folder.Read("report.txt");
    EXPECT_TRUE(kept == old) << "the file now holds " << kept.size() << " other bytes";
    EXPECT_EQ(FolderContents(folder), (std::vector<std::string>{"report.txt"}));
}

} // namespace
