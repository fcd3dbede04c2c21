// "Copy Item" on the real clipboard.
#include "app/Application.h"
#include "app/Clipboard.h"
#include "app/FrmMain.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr int kCopyItemId = 200; // the popup menu's "Copy Item"

TReportRow Row(std::string caption, TStringList subItems) {
    return TReportRow{std::move(caption), std::move(subItems)};
}

// The CF_TEXT bytes on the clipboard up to the NUL, and whether a NUL ends them
// within the memory block.
struct ClipboardContent {
    std::string text;
    bool nulEnded = false;
};

ClipboardContent ReadClipboard() {
    ClipboardContent content;
    if (!OpenClipboard(nullptr))
        return content;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        const SIZE_T size = GlobalSize(data);
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            const size_t length = strnlen(bytes, size);
            content.text.assign(bytes, length);
            content.nulEnded = length < size;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return content;
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application().SetErrorSink(
            [this](const std::string& text, const std::string&) { errors.push_back(text); });
        form.CreateForm();
        errors.clear();
        PutClipboardText(nullptr, "sentinel");
    }
    void TearDown() override { Application().SetErrorSink(nullptr); }

    HWND List() const { return form.Control("ListView1"); }
    void Select(int index) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
        if (index >= 0)
            ListView_SetItemState(List(), index, LVIS_SELECTED, LVIS_SELECTED);
    }
    void CopyItem() { SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(kCopyItemId, 0), 0); }

    TForm1 form;
    std::vector<std::string> errors;
};

TEST_F(ClipboardTest, SelectedRowGoesAsCaptionTabCommaTextCr) {
    const struct {
        TReportRow row;
        std::string text;
    } cases[] = {
        {Row("Engines Report for Machine: ", {"PC01"}), "Engines Report for Machine: \tPC01\r"},
        {Row("ODBC - Microsoft Open Database Conectivity version: ", {"3.525.1117.0"}),
         "ODBC - Microsoft Open Database Conectivity version: \t3.525.1117.0\r"},
        {Row("OS - Microsoft Operating System version: ", {"Windows XP Professional"}),
         "OS - Microsoft Operating System version: \t\"Windows XP Professional\"\r"},
        {Row("Microsoft DirectX Direct 3D: ", {"Direct3D:", "Direct3D:"}),
         "Microsoft DirectX Direct 3D: \tDirect3D:,Direct3D:\r"},
        {Row("", {"RGB Emulation"}), "\t\"RGB Emulation\"\r"},
        {Row("Microsoft DirectX Direct Play: ", {}), "Microsoft DirectX Direct Play: \t\r"},
        {Row("", {""}), "\t\"\"\r"},
    };
    std::vector<TReportRow> rows;
    for (const auto& c : cases)
        rows.push_back(c.row);
    form.ListView1().Assign(rows);
    for (size_t i = 0; i < std::size(cases); ++i) {
        Select(static_cast<int>(i));
        CopyItem();
        const ClipboardContent content = ReadClipboard();
        EXPECT_EQ(content.text, cases[i].text);
        EXPECT_TRUE(content.nulEnded);
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(form.ListView1().Rows(), rows); // copying changes nothing
}

TEST_F(ClipboardTest, NothingSelectedLeavesTheClipboardAlone) {
    form.ListView1().Assign({Row("a: ", {"1"})});
    Select(-1);
    CopyItem();
    EXPECT_EQ(ReadClipboard().text, "sentinel");
    EXPECT_TRUE(errors.empty());
}

TEST_F(ClipboardTest, ClipboardHeldByAnotherWindowRaisesTheError) {
    form.ListView1().Assign({Row("a: ", {"1"})});
    Select(0);
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND window =
            CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        OpenClipboard(window);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    CopyItem();
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Cannot open clipboard.");
    EXPECT_EQ(ReadClipboard().text, "sentinel");
}

} // namespace
