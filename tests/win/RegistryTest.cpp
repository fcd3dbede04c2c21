#include "base/Exception.h"
#include "sysinfo/win/Vexor_Routines.h"
#include "tests/fixtures/Fixtures.h"

#include "tests/fixtures/WineRun.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kTree = "Software\\Kestova\\RegistryTest";

// The message of the error call raises, or "" when it raises none.
std::string ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

void SetRaw(const ScopedRegistryTree& tree, const std::string& name, DWORD type, const void* data,
            DWORD size) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, tree.Path().c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

// A tree under HKCU with one value of every kind the accessor meets.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : tree(HKEY_CURRENT_USER, kTree) {
        tree.SetString("", "", "default text");
        tree.SetString("", "Text", "plain");
        tree.SetString("", "Expand", "%SystemRoot%\\system32", REG_EXPAND_SZ);
        tree.SetString("", "Long", std::string(3000, 'L'));
        tree.SetDword("", "Dword", 0xFFFFFFFF);
        const BYTE three[] = {1, 0xAB, 0};
        tree.SetBinary("", "Binary3", three, sizeof three);
        const BYTE eight[] = {0, 0, 0, 9, 0, 0, 0, 0};
        tree.SetBinary("", "Binary8", eight, sizeof eight);
        SetRaw(tree, "EmptyText", REG_SZ, "", 0);
        SetRaw(tree, "EmptyDword", REG_DWORD, "", 0);
        SetRaw(tree, "Embedded", REG_SZ, "ab\0cd", 6);
        SetRaw(tree, "Unterminated", REG_SZ, "xyz", 3);
        SetRaw(tree, "Multi", REG_MULTI_SZ, "a\0bc\0\0", 6);
        SetRaw(tree, "None", REG_NONE, "\x01\x02", 2);
        const DWORD big = 0x01020304;
        SetRaw(tree, "BigEndian", REG_DWORD_BIG_ENDIAN, &big, sizeof big);
        SetRaw(tree, "Qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08", 8);
        tree.CreateKey("Child\\Grandchild");
        tree.SetString("Child", "Inner", "child value");
    }

    std::unique_ptr<TRegistry> OpenTree() {
        auto registry = CreateRegistryReader();
        EXPECT_TRUE(registry->OpenKey(std::string("\\") + kTree));
        return registry;
    }

    ScopedRegistryTree tree;
};

TEST_F(RegistryTest, ReaderStartsAtCurrentUserWithReadAccessAndNoOpenKey) {
    auto registry = CreateRegistryReader();
    EXPECT_EQ(registry->RootKey(), HKEY_CURRENT_USER);
    // Read access (0x20019), and the 64-bit view (0x100) for a 32-bit program
    // under WOW64 only.
    EXPECT_EQ(registry->Access(), ThisWineRun() == TWineRun::Wow64 ? 0x20119u : 0x20019u);
    EXPECT_EQ(registry->CurrentKey(), nullptr);
    EXPECT_FALSE(registry->ValueExists("Text"));
    EXPECT_EQ(registry->ReadString("Text"), "");
}

TEST_F(RegistryTest, OpenKeyFollowsRootAndRelativePaths) {
    auto registry = CreateRegistryReader();
    ASSERT_TRUE(registry->OpenKey(std::string("\\") + kTree));
    ASSERT_TRUE(registry->OpenKey("Child"));
    EXPECT_EQ(registry->ReadString("Inner"), "child value");

    // A failed open keeps the open key.
    const HKEY child = registry->CurrentKey();
    EXPECT_FALSE(registry->OpenKey("Missing"));
    EXPECT_FALSE(registry->OpenKey("\\Software\\Kestova\\NoSuchKey"));
    EXPECT_EQ(registry->CurrentKey(), child);
    EXPECT_EQ(registry->ReadString("Inner"), "child value");

    // "\" starts again from the root, even with a key open.
    ASSERT_TRUE(registry->OpenKey(std::string("\\") + kTree));
    EXPECT_EQ(registry->ReadString("Text"), "plain");

    // After closing, a relative path starts from the root.
    registry->CloseKey();
    EXPECT_EQ(registry->CurrentKey(), nullptr);
    EXPECT_FALSE(registry->OpenKey("Child"));
    ASSERT_TRUE(registry->OpenKey(std::string(kTree) + "\\Child\\Grandchild"));

    // Another root: the open key belongs to the old root and is closed.
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry->CurrentKey(), nullptr);
    EXPECT_FALSE(registry->OpenKey(kTree));
    EXPECT_TRUE(registry->OpenKey("\\SOFTWARE\\Microsoft"));
}

TEST_F(RegistryTest, OpenKeyNeverCreates) {
    auto registry = CreateRegistryReader();
    EXPECT_FALSE(registry->OpenKey(std::string("\\") + kTree + "\\Created"));
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kTree) + "\\Created").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

TEST_F(RegistryTest, ReadStringByValueType) {
    const std::string invalid = "Invalid data type for '%s'";
    const struct {
        const char* name;
        std::string text;
        std::string error;
    } cases[] = {
        {"Text", "plain", ""},
        {"", "default text", ""},
        {"Expand", "%SystemRoot%\\system32", ""},
        {"Long", std::string(3000, 'L'), ""},
        {"Embedded", "ab", ""},
        {"Unterminated", "xyz", ""},
        {"EmptyText", "", ""},
        {"EmptyDword", "", ""}, // size 0 wins over the type
        {"Absent", "", ""},
        {"Dword", "", "Invalid data type for 'Dword'"},
        {"Binary3", "", "Invalid data type for 'Binary3'"},
        {"Multi", "", "Invalid data type for 'Multi'"},
        {"None", "", "Invalid data type for 'None'"},
        {"BigEndian", "", "Invalid data type for 'BigEndian'"},
    };
    auto registry = OpenTree();
    for (const auto& c : cases) {
        std::string text;
        EXPECT_EQ(ErrorOf([&] { text = registry->ReadString(c.name); }), c.error) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
}

TEST_F(RegistryTest, ReadBinaryDataByTypeAndCapacity) {
    const struct {
        const char* name;
        size_t capacity;
        std::vector<BYTE> bytes;
        std::string error;
    } cases[] = {
        {"Binary3", 4, {1, 0xAB, 0}, ""},
        {"Binary3", 3, {1, 0xAB, 0}, ""},
        {"Binary3", 2, {}, "Invalid data type for 'Binary3'"},
        {"Binary8", 4, {}, "Invalid data type for 'Binary8'"},
        {"Binary8", 8, {0, 0, 0, 9, 0, 0, 0, 0}, ""},
        {"None", 16, {1, 2}, ""},
        {"Multi", 16, {'a', 0, 'b', 'c', 0, 0}, ""},
        {"Qword", 8, {1, 2, 3, 4, 5, 6, 7, 8}, ""},
        {"BigEndian", 4, {4, 3, 2, 1}, ""}, // a type outside the four
        {"Absent", 16, {}, ""},
        {"Dword", 4, {}, "Invalid data type for 'Dword'"},
        {"Text", 255, {}, "Invalid data type for 'Text'"},
        {"Expand", 255, {}, "Invalid data type for 'Expand'"},
    };
    auto registry = OpenTree();
    for (const auto& c : cases) {
        std::vector<BYTE> buffer(32, 0xEE);
        size_t size = 99;
        EXPECT_EQ(ErrorOf([&] { size = registry->ReadBinaryData(c.name, buffer.data(), c.capacity); }),
                  c.error)
            << c.name << " " << c.capacity;
        if (!c.error.empty())
            continue;
        EXPECT_EQ(size, c.bytes.size()) << c.name;
        EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + size), c.bytes) << c.name;
        EXPECT_EQ(buffer[size], 0xEE) << c.name << ": wrote past the value";
    }
}

TEST_F(RegistryTest, ReadIntegerTypeAndSize) {
    auto registry = OpenTree();
    EXPECT_EQ(registry->ReadInteger("Dword"), -1);
    EXPECT_EQ(ErrorOf([&] { registry->ReadInteger("Absent"); }), "Failed to get data for 'Absent'");
    EXPECT_EQ(ErrorOf([&] { registry->ReadInteger("Text"); }), "Invalid data type for 'Text'");
    EXPECT_EQ(ErrorOf([&] { registry->ReadInteger("Binary3"); }), "Invalid data type for 'Binary3'");
    EXPECT_EQ(ErrorOf([&] { registry->ReadInteger("BigEndian"); }), "Invalid data type for 'BigEndian'");

    const struct {
        const char* name;
        TRegDataType type;
        long size;
    } cases[] = {
        {"Text", TRegDataType::rdString, 6},      {"Expand", TRegDataType::rdExpandString, 22},
        {"Dword", TRegDataType::rdInteger, 4},    {"Binary8", TRegDataType::rdBinary, 8},
        {"Multi", TRegDataType::rdUnknown, 6},    {"BigEndian", TRegDataType::rdUnknown, 4},
        {"EmptyText", TRegDataType::rdString, 0}, {"Absent", TRegDataType::rdUnknown, -1},
        {"", TRegDataType::rdUnknown, 13}, // the default value exists, its type is not asked
    };
    for (const auto& c : cases) {
        EXPECT_EQ(registry->GetDataType(c.name), c.type) << c.name;
        EXPECT_EQ(registry->GetDataSize(c.name), c.size) << c.name;
        EXPECT_EQ(registry->ValueExists(c.name), c.size >= 0) << c.name;
    }
}

std::vector<std::string> RawNames(bool keys) {
    HKEY key;
    RegOpenKeyExA(HKEY_CURRENT_USER, kTree, 0, KEY_READ, &key);
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD length = sizeof name;
        const LONG rc = keys ? RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr)
                             : RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

TEST_F(RegistryTest, KeyAndValueNamesInEnumerationOrderReplaceTheList) {
    tree.CreateKey("b");
    tree.CreateKey("A");
    tree.CreateKey(std::string(200, 'k'));
    tree.SetString("", std::string(1000, 'v'), "a long value name");
    auto registry = OpenTree();

    TStringList names{"stale"};
    registry->GetKeyNames(names);
    EXPECT_EQ(names.Items(), RawNames(true));
    EXPECT_EQ(names.Count(), 4u);

    registry->GetValueNames(names);
    EXPECT_EQ(names.Items(), RawNames(false));
    EXPECT_EQ(names.Count(), 16u);
    EXPECT_EQ(names[0], "");

    registry->CloseKey();
    registry->GetKeyNames(names);
    EXPECT_TRUE(names.Empty());
}

TEST_F(RegistryTest, ReadRegistryTextOpensReadsAndFrees) {
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kTree, "Text"), "plain");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, std::string("\\") + kTree + "\\Child", "Inner"),
              "child value");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, kTree, "Absent"), "");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, std::string(kTree) + "\\Missing", "Text"), "");
    EXPECT_EQ(ReadRegistryText(HKEY_LOCAL_MACHINE, kTree, "Text"), "");
    EXPECT_EQ(ErrorOf([] { ReadRegistryText(HKEY_CURRENT_USER, kTree, "Dword"); }),
              "Invalid data type for 'Dword'");
}

} // namespace

namespace {

// Where the error a read raises arose, "key | value", or "" when it raises
// none or carries no place.
std::string PlaceOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const Exception& e) {
        return e.Place() ? e.Place()->RegistryKey + " | " + e.Place()->ValueName : "";
    }
    return "";
}

TEST_F(RegistryTest, ErrorsNameTheOpenKeyAndTheValueBesideTheMessage) {
    const std::string root = std::string("HKCU\\") + kTree;
    auto registry = CreateRegistryReader();
    ASSERT_TRUE(registry->OpenKey(std::string("\\") + kTree));
    const struct {
        const char* opened; // the path opened next, relative unless it starts with "\"
        std::function<void(const TRegistry&)> read;
        std::string message, place;
    } cases[] = {
        {"", [](const TRegistry& r) { r.ReadString("Dword"); }, "Invalid data type for 'Dword'",
         root + " | Dword"},
        {"", [](const TRegistry& r) { r.ReadInteger("Absent"); }, "Failed to get data for 'Absent'",
         root + " | Absent"},
        {"", [](const TRegistry& r) { r.ReadInteger(""); }, "Invalid data type for ''", root + " | "},
        {"",
         [](const TRegistry& r) {
             char buffer[2];
             r.ReadBinaryData("Binary3", buffer, sizeof buffer);
         },
         "Invalid data type for 'Binary3'", root + " | Binary3"},
        // A relative open adds to the path, a failed one leaves it.
        {"Child", [](const TRegistry& r) { r.ReadInteger("Inner"); }, "Invalid data type for 'Inner'",
         root + "\\Child | Inner"},
        {"Missing", [](const TRegistry& r) { r.ReadInteger("Inner"); }, "Invalid data type for 'Inner'",
         root + "\\Child | Inner"},
        {"Grandchild", [](const TRegistry& r) { r.ReadInteger("X"); }, "Failed to get data for 'X'",
         root + "\\Child\\Grandchild | X"},
        // From the root again.
        {"\\Software\\Kestova\\RegistryTest", [](const TRegistry& r) { r.ReadString("Qword"); },
         "Invalid data type for 'Qword'", root + " | Qword"},
    };
    for (const auto& c : cases) {
        if (*c.opened)
            registry->OpenKey(c.opened);
        EXPECT_EQ(ErrorOf([&] { c.read(*registry); }), c.message) << c.opened;
        EXPECT_EQ(PlaceOf([&] { c.read(*registry); }), c.place) << c.opened;
    }

    // Another root names its own.
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry->OpenKey("\\SOFTWARE\\Microsoft"));
    EXPECT_EQ(PlaceOf([&] { registry->ReadInteger("NoSuchValue"); }),
              "HKLM\\SOFTWARE\\Microsoft | NoSuchValue");
}

// A reader rooted at another reader's open key reads below it, and its
// errors name that key's path.
TEST_F(RegistryTest, AnOpenKeyAsRootIsReadBelowAndNamedByItsPath) {
    auto registry = CreateRegistryReader();
    ASSERT_TRUE(registry->OpenKey(std::string("\\") + kTree));
    TRegistry below(registry->Access());
    below.SetRootKey(registry->CurrentKey(), std::string("HKCU\\") + kTree);
    ASSERT_TRUE(below.OpenKey("Child"));
    EXPECT_EQ(below.ReadString("Inner"), "child value");
    EXPECT_EQ(PlaceOf([&] { below.ReadInteger("Inner"); }),
              std::string("HKCU\\") + kTree + "\\Child | Inner");
    below.CloseKey();
    EXPECT_EQ(PlaceOf([&] { below.ReadInteger("Text"); }), std::string("HKCU\\") + kTree + " | Text");
    EXPECT_FALSE(below.OpenKey(kTree)) << "paths are below the key, not below HKEY_CURRENT_USER";
}

} // namespace
