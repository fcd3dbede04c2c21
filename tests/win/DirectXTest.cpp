#include "base/Exception.h"
#include "sysinfo/win/Dask_Engines.h"
#include "tests/fixtures/SavedRegistryTree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Wine fills these keys; each test changes them and puts them back.
class DirectXTest : public ::testing::Test {
protected:
    DirectXTest() {
        directX.DeleteTree("");
        direct3D.DeleteTree("");
        directPlay.DeleteTree("");
        directMusic.DeleteTree("");
    }

    std::string RefreshError() {
        try {
            component.Refresh();
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }

    SavedRegistryTree directX{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
    SavedRegistryTree direct3D{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Direct3D"};
    SavedRegistryTree directPlay{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectPlay"};
    SavedRegistryTree directMusic{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectMusic"};
    TVexor_DirectX component{nullptr};
};

TEST(DirectX, ReadsWhatWineRegisters) {
    TVexor_DirectX component(nullptr);
    EXPECT_TRUE(component.Version().empty());
    component.Refresh();
    char version[64] = {};
    DWORD size = sizeof version;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "Version", RRF_RT_REG_SZ,
                           nullptr, version, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(component.Version(), version);
    EXPECT_FALSE(component.Version().empty());
    EXPECT_EQ(component.DirectMusic(), (TStringList{"Microsoft Software Synthesizer"}));
    EXPECT_TRUE(component.DataPresent());
}

TEST_F(DirectXTest, ListsTakeEachSubkeysDescriptionInEnumerationOrder) {
    const char* const drivers = "Drivers";
    direct3D.SetString(std::string(drivers) + "\\1 RGB", "Description", "RGB Emulation");
    direct3D.SetString(std::string(drivers) + "\\2 Ramp", "Name", "no description here");
    direct3D.SetString(std::string(drivers) + "\\3 HAL", "Description", "Direct3D HAL");
    directPlay.SetString("Services\\{A}", "Description", "Modem Connection");
    directPlay.SetString("Services\\{B}", "Description", "Modem Connection");
    directPlay.SetString("Service Providers\\TCP", "Description", "not in the listed key");

    component.Refresh();
    EXPECT_EQ(component.Direct3D(), (TStringList{"RGB Emulation", "Direct3D HAL"}));
    EXPECT_EQ(component.DirectPlay(), (TStringList{"Modem Connection", "Modem Connection"}));
    EXPECT_TRUE(component.DirectMusic().Empty());

    // Rebuilt, not appended to, on every refresh.
    direct3D.DeleteTree("Drivers\\3 HAL");
    component.Refresh();
    EXPECT_EQ(component.Direct3D(), (TStringList{"RGB Emulation"}));
    EXPECT_EQ(component.DirectPlay().Count(), 2u);
}

TEST_F(DirectXTest, VersionIsKeptWhenTheValueGoes) {
    directX.SetString("", "Version", "4.09.00.0904");
    component.Refresh();
    EXPECT_EQ(component.Version(), "4.09.00.0904");

    directX.DeleteValue("", "Version");
    component.Refresh();
    EXPECT_EQ(component.Version(), "4.09.00.0904");

    directX.DeleteTree("");
    component.Refresh();
    EXPECT_EQ(component.Version(), "4.09.00.0904");

    // Once a text is held, "InstalledVersion" is asked only when "Version" is empty.
    const BYTE dx9[] = {0, 0, 0, 9, 0, 0, 0, 0};
    directX.SetBinary("", "InstalledVersion", dx9, sizeof dx9);
    component.Refresh();
    EXPECT_EQ(component.Version(), "4.09.00.0904");
    directX.SetString("", "Version", "");
    component.Refresh();
    EXPECT_EQ(component.Version(), "0.9");
}

TEST_F(DirectXTest, InstalledVersionFallback) {
    const BYTE dx9[] = {0, 0, 0, 9, 0, 0, 0, 0};
    const BYTE word[] = {4, 9, 0, 0};
    const BYTE two[] = {6, 1};
    const BYTE nine[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const struct {
        const BYTE* bytes;
        DWORD size;
        const char* version;
    } cases[] = {
        {dx9, sizeof dx9, "0.9"}, // 4 bytes refused, 8 read
        {word, sizeof word, "4.0"},
        {two, sizeof two, "6.0"},
        {nine, sizeof nine, ""}, // both reads refuse it: unchanged
    };
    for (const auto& c : cases) {
        TVexor_DirectX fresh(nullptr);
        directX.SetBinary("", "InstalledVersion", c.bytes, c.size);
        fresh.Refresh();
        EXPECT_EQ(fresh.Version(), c.version) << c.size;
    }

    // A DWORD or text value is refused by both raw reads; the errors are swallowed.
    directX.SetDword("", "InstalledVersion", 9);
    EXPECT_EQ(RefreshError(), "");
    EXPECT_EQ(component.Version(), "");
    directX.SetString("", "InstalledVersion", "9.0");
    EXPECT_EQ(RefreshError(), "");
    EXPECT_EQ(component.Version(), "");

    // A "Version" text wins over "InstalledVersion".
    directX.SetBinary("", "InstalledVersion", word, sizeof word);
    directX.SetString("", "Version", "4.08.01.0881");
    component.Refresh();
    EXPECT_EQ(component.Version(), "4.08.01.0881");
}

TEST_F(DirectXTest, ValuesOfAnotherTypeEndTheRefresh) {
    directX.SetDword("", "Version", 9);
    EXPECT_EQ(RefreshError(), "Invalid data type for 'Version'");

    directX.SetString("", "Version", "4.09.00.0904");
    direct3D.SetDword("Drivers\\HAL", "Description", 1);
    directMusic.SetString("SoftwareSynths\\{S}", "Description", "Synth");
    EXPECT_EQ(RefreshError(), "Invalid data type for 'Description'");
    EXPECT_EQ(component.Version(), "4.09.00.0904");
    EXPECT_TRUE(component.DirectMusic().Empty()); // the later lists are not reached
}

} // namespace
