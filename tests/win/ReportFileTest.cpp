// Save... and Load... on real files in a temporary folder.
#include "app/Application.h"
#include "app/FrmMain.h"
#include "base/win/Handles.h"
#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TReportRow Row(std::string caption, TStringList subItems) {
    return TReportRow{std::move(caption), std::move(subItems)};
}

// The rows of the example table, and their lines in the file.
const std::vector<TReportRow> kExampleRows{
    Row("ODBC - Microsoft Open Database Conectivity version: ", {"3.525.1117.0"}),
    Row("OS - Microsoft Operating System version: ", {"Windows XP Professional"}),
    Row("Microsoft DirectX Direct 3D: ", {"Direct3D:", "Direct3D:"}),
    Row("", {"RGB Emulation"}),
    Row("Microsoft DirectX Direct Play: ", {}),
    Row("", {""}),
};
const char* const kExampleLines[] = {
    "ODBC - Microsoft Open Database Conectivity version:  3.525.1117.0",
    "OS - Microsoft Operating System version:  \"Windows XP Professional\"",
    "Microsoft DirectX Direct 3D:  Direct3D:,Direct3D:",
    " \"RGB Emulation\"",
    "Microsoft DirectX Direct Play:  ",
    " \"\"",
};

class ReportFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application().SetErrorSink(
            [this](const std::string& text, const std::string&) { errors.push_back(text); });
        form.CreateForm();
        errors.clear(); // whatever the refresh met is not this test's business
    }
    void TearDown() override { Application().SetErrorSink(nullptr); }

    void Save(const std::string& path) {
        form.Save1().SetFileName(path);
        Application().Run([this] { form.SaveToTextFile(); });
    }
    void Load(const std::string& path) {
        form.Open1().SetFileName(path);
        Application().Run([this] { form.LoadFromTextFile(); });
    }
    const std::vector<TReportRow>& Rows() const { return form.ListView1().Rows(); }
    // Files in the folder besides the ones named, such as a temporary left behind.
    std::vector<std::string> FolderContents() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        UniqueFind find(FindFirstFileA(folder.File("*").c_str(), &found));
        if (!find)
            return names;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(find.Get(), &found));
        return names;
    }

    TempFolder folder;
    TForm1 form;
    std::vector<std::string> errors;
};

TEST_F(ReportFileTest, SavesEveryRowAsItsLineWithCrLf) {
    form.ListView1().Assign(kExampleRows);
    Save(folder.File("report.txt"));
    std::string expected;
    for (const char* line : kExampleLines)
        expected += line + "\r\n"s;
    EXPECT_EQ(folder.Read("report.txt"), expected);
    EXPECT_TRUE(errors.empty());

    form.ListView1().Clear();
    Save(folder.File("report.txt")); // replaces the file
    EXPECT_EQ(folder.Read("report.txt"), "");
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"report.txt"}));
}

TEST_F(ReportFileTest, LoadCutsLinesAndSecondSaveQuotesTheValues) {
    form.ListView1().Assign(kExampleRows);
    Save(folder.File("first.txt"));
    form.SetStatusText("Data Source: PC01");
    Load(folder.File("first.txt"));
    ASSERT_TRUE(errors.empty());
    const std::vector<TReportRow> loaded{
        Row("ODBC - Microsoft Open Database Conectivity version:", {"  3.525.1117.0"}),
        Row("OS - Microsoft Operating System version:", {"  \"Windows XP Professional\""}),
        Row("Microsoft DirectX Direct 3D:  Direct3D:,Direct3D:", {}),
        Row("", {" \"RGB Emulation\""}),
        Row("Microsoft DirectX Direct Play:", {"  "}),
        Row("", {" \"\""}),
    };
    EXPECT_EQ(Rows(), loaded);
    EXPECT_EQ(form.StatusText(), "Data Source: " + folder.File("first.txt"));

    Save(folder.File("second.txt"));
    const std::string second = folder.Read("second.txt");
    EXPECT_EQ(second.substr(0, second.find("\r\n")),
              "ODBC - Microsoft Open Database Conectivity version: \"  3.525.1117.0\"");
    EXPECT_NE(
        second.find("\r\nOS - Microsoft Operating System version: \"  \"\"Windows XP Professional\"\"\"\r\n"),
        std::string::npos);
}

TEST_F(ReportFileTest, OddFilesLoadByTheLineRule) {
    const struct {
        const char* what;
        std::string bytes;
        std::vector<TReportRow> rows;
    } cases[] = {
        {"empty file", "", {}},
        {"path in the value", "Windows folder: C:\\Windows\r\n", {Row("Windows folder: C:", {"\\Windows"})}},
        {"UTF-16", "\xff\xfeK\0e\0s\0:\0\r\0\n\0"s, {Row("", {"\xff\xfeK"})}},
        {"text after a NUL", "a: 1\nb: 2\0c: 3\n"s, {Row("a:", {" 1"}), Row("b:", {" 2"})}},
        {"bare CRs and no final break", "x:\ry", {Row("x:", {}), Row("", {"y"})}},
    };
    for (const auto& c : cases) {
        form.ListView1().Assign(kExampleRows);
        folder.Write("odd.txt", c.bytes);
        Load(folder.File("odd.txt"));
        EXPECT_EQ(Rows(), c.rows) << c.what;
        EXPECT_EQ(SendMessageA(form.ListView1().Handle(), LVM_GETITEMCOUNT, 0, 0), LRESULT(c.rows.size()))
            << c.what;
        EXPECT_EQ(form.StatusText(), "Data Source: " + folder.File("odd.txt")) << c.what;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(ReportFileTest, LoadDropsTheOldSelection) {
    form.ListView1().Assign(kExampleRows);
    ListView_SetItemState(form.ListView1().Handle(), 2, LVIS_SELECTED, LVIS_SELECTED);
    folder.Write("other.txt", "a: 1\r\nb: 2\r\nc: 3\r\n");
    Load(folder.File("other.txt"));
    EXPECT_TRUE(form.ListView1().SelectedIndexes().empty());
}

TEST_F(ReportFileTest, FileThatCannotBeOpenedChangesNothing) {
    folder.Write("locked.txt", "a: 1\r\n");
    UniqueHandle lock(CreateFileA(folder.File("locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    const struct {
        std::string path;
        const char* system;
    } cases[] = {
        {folder.File("missing.txt"), "File not found."},
        {folder.File("no folder\\x.txt"), "Path not found."},
        {folder.Path(), "Access denied."},
        {folder.File("locked.txt"), "Sharing violation."},
    };
    form.ListView1().Assign(kExampleRows);
    form.SetStatusText("Data Source: PC01");
    for (const auto& c : cases) {
        errors.clear();
        Load(c.path);
        ASSERT_EQ(errors.size(), 1u) << c.path;
        EXPECT_EQ(errors[0], "Cannot open file \"" + c.path + "\". " + c.system);
        EXPECT_EQ(Rows(), kExampleRows);
        EXPECT_EQ(form.StatusText(), "Data Source: PC01");
    }
}

// A name without a folder is taken in the current folder, and the message
// names the file by its full path.
TEST_F(ReportFileTest, FailureMessagesNameTheFullPath) {
    char previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    Load("missing.txt");
    Save("no folder\\x.txt");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "Cannot open file \"" + folder.File("missing.txt") + "\". File not found.",
                          "Cannot create file \"" + folder.File("no folder\\x.txt") + "\". Path not found.",
                      }));
}

TEST_F(ReportFileTest, SaveReplacesAFileAndKeepsItsHiddenMark) {
    folder.Write("report.txt", "old\r\n");
    SetFileAttributesA(folder.File("report.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    form.ListView1().Assign({Row("a: ", {"1"})});
    Save(folder.File("report.txt"));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(folder.Read("report.txt"), "a:  1\r\n");
    EXPECT_TRUE(GetFileAttributesA(folder.File("report.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FolderContents(), (std::vector<std::string>{"report.txt"}));
}

TEST_F(ReportFileTest, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string old = "Engines Report for Machine:  PC01\r\n";
    folder.Write("locked.txt", old);
    folder.Write("readonly.txt", old);
    SetFileAttributesA(folder.File("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryA(folder.File("folder.txt").c_str(), nullptr);
    const struct {
        std::string name;
        const char* system;
    } cases[] = {
        {"locked.txt", "Sharing violation."},
        {"readonly.txt", "Access denied."},
        {"folder.txt", "Access denied."},
        {"no folder\\x.txt", "Path not found."},
    };
    form.ListView1().Assign(kExampleRows);
    form.SetStatusText("Data Source: PC01");
    for (const auto& c : cases) {
        errors.clear();
        {
            UniqueHandle lock;
            if (c.name == "locked.txt")
                lock.Reset(CreateFileA(folder.File(c.name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       0, nullptr));
            Save(folder.File(c.name));
        }
        ASSERT_EQ(errors.size(), 1u) << c.name;
        EXPECT_EQ(errors[0], "Cannot create file \"" + folder.File(c.name) + "\". " + c.system);
        EXPECT_EQ(Rows(), kExampleRows);
        EXPECT_EQ(form.StatusText(), "Data Source: PC01");
    }
    EXPECT_EQ(folder.Read("locked.txt"), old);
    EXPECT_EQ(folder.Read("readonly.txt"), old);
    std::vector<std::string> left = FolderContents();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"folder.txt", "locked.txt", "readonly.txt"}));
    SetFileAttributesA(folder.File("readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
