// The ASPI32 component's refresh against the stand-in layer: its version
// text, its device lists and the layer library's life in the process.
#include "sysinfo/win/Dask_Engines_ASPI32.h"
#include "tests/fixtures/aspi/StandInSettings.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

// The "FileVersion" of the stand-in layer's version resource.
constexpr const char* kStandInVersion = "4.72.9.1 test layer";

class AspiRefresh : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StandInIsTheLayer()) << "run with WINEDLLOVERRIDES=wnaspi32=n next to the stand-in layer";
        ASSERT_TRUE(WaitForLayerRelease());
    }
    void TearDown() override {
        ReleaseHeldRequests();
        UnbindAspiLayer();
        EXPECT_TRUE(WaitForLayerRelease());
    }

    StandInSettings layer_;
};

TEST_F(AspiRefresh, VersionOnlyFromALayerReportingSuccess) {
    TVexor_ASPI32 aspi(nullptr);
    const struct {
        DWORD support;
        const char* version;
    } cases[] = {
        {0x0100, kStandInVersion}, // working, no adapter
        {0xE800, ""},              // no adapters: not working
        {0x0101, kStandInVersion}, // one adapter without devices
        {0x0400, ""},              // error status
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.support);
        layer_.SupportInfo(c.support);
        aspi.Refresh();
        EXPECT_EQ(aspi.ASPI(), c.version);
        EXPECT_TRUE(aspi.DataPresent());
        EXPECT_TRUE(aspi.Host().Empty());
        // The refresh loaded the layer, so it released it again.
        EXPECT_TRUE(WaitForLayerRelease());
    }
    EXPECT_EQ(aspi.AdapterCount(), 1);
}

TEST_F(AspiRefresh, DevicesOfTheLastEnumeration) {
    layer_.SupportInfo(0x0101);
    layer_.Device(0, 1, 5);
    layer_.Inquiry(0, 1, InquiryData("ACME    ", "CD Writer", "1.0A", "serial 42"));
    layer_.Device(0, 3, 1);
    layer_.Set(0, 3, "InquiryStatus", 0x04);

    TVexor_ASPI32 aspi(nullptr);
    aspi.Refresh();
    EXPECT_EQ(aspi.ASPI(), kStandInVersion);
    EXPECT_EQ(aspi.ID().Items(), Texts({"1", "3"}));
    EXPECT_EQ(aspi.Status().Items(), Texts({"1", "4"}));
    EXPECT_EQ(aspi.Vendor().Items(), Texts({"ACME    ", ""}));

    // A layer that stops reporting success empties the lists but keeps the
    // adapter count of the last success.
    layer_.SupportInfo(0xE800);
    aspi.Refresh();
    EXPECT_EQ(aspi.ASPI(), "");
    EXPECT_TRUE(aspi.ID().Empty() && aspi.Status().Empty() && aspi.Extra().Empty());
    EXPECT_EQ(aspi.AdapterCount(), 1);
}

TEST_F(AspiRefresh, LayerLoadedBeforeStaysLoaded) {
    layer_.SupportInfo(0x0100);
    HMODULE theirs = LoadLibraryA("wnaspi32.dll");
    ASSERT_NE(theirs, nullptr);
    TVexor_ASPI32 aspi(nullptr);
    aspi.Refresh();
    aspi.Refresh();
    EXPECT_EQ(aspi.ASPI(), kStandInVersion);
    EXPECT_EQ(GetModuleHandleA("wnaspi32.dll"), theirs);
    FreeLibrary(theirs);
    EXPECT_EQ(GetModuleHandleA("wnaspi32.dll"), nullptr);

    // Released by its owner, the layer is loaded by the next refresh itself.
    aspi.Refresh();
    EXPECT_EQ(aspi.ASPI(), kStandInVersion);
    EXPECT_EQ(GetModuleHandleA("wnaspi32.dll"), nullptr);
}

TEST_F(AspiRefresh, HungLayerEndsTheRefreshWithAFailedCommand) {
    layer_.SupportInfo(0x0101);
    layer_.Device(0, 2, 5);
    layer_.Set(0, 2, "TurCompletion", "held");
    TVexor_ASPI32 aspi(nullptr);
    EXPECT_EQ(aspi.CommandTimeout(), 10000u);
    aspi.SetCommandTimeout(50);
    aspi.Refresh();
    EXPECT_TRUE(aspi.DataPresent());
    EXPECT_EQ(aspi.ID().Items(), Texts({"2"}));
    EXPECT_EQ(aspi.Status().Items(), Texts({"0"}));
    EXPECT_EQ(aspi.Vendor().Items(), Texts({""}));
    // The layer said it works; a device that does not answer does not change that.
    EXPECT_EQ(aspi.ASPI(), kStandInVersion);
    // It still holds our request, so it was not released.
    EXPECT_NE(GetModuleHandleA("wnaspi32.dll"), nullptr);

    EXPECT_EQ(ReleaseHeldRequests(), 1);
    layer_.Set(0, 2, "TurCompletion", "immediate");
    aspi.Refresh();
    EXPECT_EQ(aspi.Status().Items(), Texts({"1"}));
    EXPECT_TRUE(WaitForLayerRelease());
}

} // namespace
