// The Vista sub-component from the system policy key, and whether the
// operating-system component refreshes it (the vista and winxp runs of
// tests/cmake/OSSubComponents.cmake name the Windows Wine pretends in
// KESTOVA_WINE_VERSION).
#include "sysinfo/win/Dask_OS.h"
#include "sysinfo/win/Dask_OS_Vista.h"

#include "base/Exception.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

const char kPolicies[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

class VistaSpecific : public ::testing::Test {
protected:
    SavedRegistryValues policies_{HKEY_LOCAL_MACHINE, kPolicies, {"EnableLUA", "EnableVirtualization"}};
};

TEST_F(VistaSpecific, OnlyTheValueOneSwitchesOn) {
    static const struct {
        int lua, virtualization; // -1: value missing
        bool uac, virtualized;
    } cases[] = {
        {1, 1, true, true},
        {0, 1, false, true},
        {2, 0, false, false}, // only 1 counts
        {1, 0, true, false},
        {-1, 1, true, true}, // missing: the previous value (true, from the row before)
                             // stays
        {0, -1, false, true},
    };
    TVexor_VistaSpecific vista(nullptr);
    EXPECT_FALSE(vista.UserAccountControl());
    EXPECT_FALSE(vista.Virtualization());
    bool previousUac = false;
    for (const auto& c : cases) {
        for (const auto& [name, value] :
             {std::pair{"EnableLUA", c.lua}, std::pair{"EnableVirtualization", c.virtualization}}) {
            if (value < 0)
                policies_.DeleteValue(name);
            else
                policies_.SetDword(name, static_cast<DWORD>(value));
        }
        vista.Refresh();
        EXPECT_EQ(vista.UserAccountControl(), c.lua < 0 ? previousUac : c.uac)
            << c.lua << " " << c.virtualization;
        EXPECT_EQ(vista.Virtualization(), c.virtualized) << c.lua << " " << c.virtualization;
        previousUac = vista.UserAccountControl();
    }
    EXPECT_FALSE(vista.DataPresent()); // this refresh does not set it
}

TEST_F(VistaSpecific, ValueOfAnotherTypeRaisesTheDataTypeError) {
    policies_.SetString("EnableLUA", "1");
    TVexor_VistaSpecific vista(nullptr);
    try {
        vista.Refresh();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid data type for 'EnableLUA'");
    }
}

TEST_F(VistaSpecific, RefreshedByTheOperatingSystemOnVistaOnly) {
    const char* run = std::getenv("KESTOVA_WINE_VERSION");
    if (!run || (std::string(run) != "vista" && std::string(run) != "winxp" && std::string(run) != "winxp64"))
        GTEST_SKIP() << "runs under Wine's vista, winxp and winxp64 switches only";
    const bool vista = std::string(run) == "vista";
    ASSERT_EQ(IsVista(), vista);

    policies_.SetDword("EnableLUA", 1);
    policies_.SetDword("EnableVirtualization", 1);
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    EXPECT_EQ(os.VistaSpecific()->UserAccountControl(), vista);
    EXPECT_EQ(os.VistaSpecific()->Virtualization(), vista);

    policies_.SetDword("EnableLUA", 0);
    os.Refresh();
    EXPECT_FALSE(os.VistaSpecific()->UserAccountControl());
    EXPECT_EQ(os.VistaSpecific()->Virtualization(), vista);
}

} // namespace
