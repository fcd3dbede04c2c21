// A text value that another thread keeps growing: every read learns a size
// that is already too small when the data is fetched. The accessor must raise
// "Failed to get data for '%s'" for a value it cannot read, never hand back
// empty text as if the value were empty.
#include "base/Exception.h"
#include "sysinfo/win/Vexor_Routines.h"
#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

const char* const kTree = "Software\\Kestova\\GrowingValue";

TEST(RegistryGrowingValue, UnreadableTextRaisesAndIsNeverEmpty) {
    ScopedRegistryTree tree(HKEY_CURRENT_USER, kTree);
    tree.SetString("", "Growing", "g");

    std::atomic<bool> stop{false};
    std::thread grower([&stop] {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kTree, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        std::string text = "g";
        while (!stop.load()) {
            text += 'g';
            RegSetValueExA(key, "Growing", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        }
        RegCloseKey(key);
    });

    auto registry = CreateRegistryReader();
    ASSERT_TRUE(registry->OpenKey(std::string("\\") + kTree));
    int raised = 0;
    int read = 0;
    std::string wrong;
    for (int attempt = 0; attempt < 20000 && raised < 3 && wrong.empty(); ++attempt) {
        try {
            const std::string text = registry->ReadString("Growing");
            if (text.empty() || text.find_first_not_of('g') != std::string::npos)
                wrong = "read \"" + text.substr(0, 40) + "\"";
            ++read;
        } catch (const Exception& e) {
            if (e.Message() != "Failed to get data for 'Growing'")
                wrong = "raised \"" + e.Message() + "\"";
            ++raised;
        }
    }
    stop = true;
    grower.join();

    EXPECT_EQ(wrong, "");
    // The grower outpaces the reader's retries: a read that fails for good
    // must be met, or this test has not tried the failure at all.
    EXPECT_GT(raised, 0) << read << " reads all succeeded";
}

} // namespace
