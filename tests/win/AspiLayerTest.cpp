// The ASPI layer binding and the device enumeration, against the stand-in
// layer (tests/fixtures/aspi) that the test sets up in the registry.
#include "base/Exception.h"
#include "sysinfo/win/Vexor_WnASPI32.h"
#include "tests/fixtures/aspi/StandInSettings.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using Texts = std::vector<std::string>;

class AspiLayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StandInIsTheLayer()) << "run with WINEDLLOVERRIDES=wnaspi32=n next to the stand-in layer";
        ASSERT_TRUE(WaitForLayerRelease());
    }
    void TearDown() override {
        ReleaseHeldRequests();
        UnbindAspiLayer();
        EXPECT_EQ(AbandonedAspiRequests(), 0u);
        EXPECT_TRUE(WaitForLayerRelease());
    }

    // Lists holding one stale device, as a previous enumeration leaves them.
    static TAspiDevices StaleDevices() {
        TAspiDevices devices;
        devices.AdapterCount = 5;
        for (TStringList* list : {&devices.Host, &devices.ID, &devices.LUN, &devices.Typ, &devices.Status,
                                  &devices.Vendor, &devices.Model, &devices.Revision, &devices.Extra})
            list->Add("stale");
        return devices;
    }

    StandInSettings layer_;
};

// The device-type requests of targets first..last of one adapter.
std::string DeviceProbes(int adapter, int first, int last) {
    std::string text;
    for (int target = first; target <= last; ++target)
        text += "DEV " + std::to_string(adapter) + "." + std::to_string(target) + " lun=0\n";
    return text;
}

std::string TestUnitReady(const std::string& device) {
    return "EXEC " + device + " lun=0 flags=40 len=0 buf=none sense=14 cdb=00 00 00 00 00 00 event=yes\n";
}

std::string Inquiry(const std::string& device) {
    return "EXEC " + device + " lun=0 flags=48 len=100 buf=zeroed sense=14 cdb=12 00 00 00 64 00 event=yes\n";
}

TEST_F(AspiLayer, ReleasesWhatItLoaded) {
    ASSERT_TRUE(BindAspiLayer());
    ASSERT_TRUE(BindAspiLayer()); // held already: not loaded a second time
    EXPECT_NE(GetModuleHandleA("wnaspi32.dll"), nullptr);
    UnbindAspiLayer();
    EXPECT_EQ(GetModuleHandleA("wnaspi32.dll"), nullptr);
    UnbindAspiLayer(); // nothing held: nothing to do
}

TEST_F(AspiLayer, FailedReleaseRaisesTheUnloadErrorAndKeepsTheHandle) {
    ASSERT_TRUE(BindAspiLayer());
    HMODULE held = GetModuleHandleA("wnaspi32.dll");
    ASSERT_TRUE(FreeLibrary(held)); // released behind the binding's back
    ASSERT_EQ(GetModuleHandleA("wnaspi32.dll"), nullptr);
    try {
        UnbindAspiLayer();
        ADD_FAILURE() << "no unload error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Unload Error: wnaspi32.dll - 0x0");
    }

    // The message names the handle the name gives now, in upper-case hex.
    HMODULE other = LoadLibraryA(EmptyLayerPath().c_str());
    ASSERT_NE(other, nullptr);
    ASSERT_NE(other, held);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Unload Error: wnaspi32.dll - 0x%llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(other)));
    try {
        UnbindAspiLayer();
        ADD_FAILURE() << "no unload error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), expected);
    }
    FreeLibrary(other);

    // The handle stayed held: with the library back in its place, the next
    // release frees it.
    ASSERT_EQ(LoadLibraryA("wnaspi32.dll"), held);
    UnbindAspiLayer();
    EXPECT_EQ(GetModuleHandleA("wnaspi32.dll"), nullptr);
}

TEST_F(AspiLayer, LibraryWithoutTheEntryPointsIsNotBound) {
    HMODULE empty = LoadLibraryA(EmptyLayerPath().c_str());
    ASSERT_NE(empty, nullptr);
    EXPECT_FALSE(BindAspiLayer());
    layer_.SupportInfo(0x0101);
    TAspiDevices devices = StaleDevices();
    EXPECT_EQ(EnumerateAspiDevices(devices), 0u);
    EXPECT_EQ(devices.AdapterCount, 5);
    EXPECT_EQ(devices.Host.Items(), Texts({"stale"}));
    EXPECT_EQ(devices.Extra.Items(), Texts({"stale"}));
    UnbindAspiLayer();
    EXPECT_EQ(GetModuleHandleA("wnaspi32.dll"), empty); // not ours to release
    FreeLibrary(empty);
}

TEST_F(AspiLayer, SupportInfoDecidesWhetherAdaptersAreExamined) {
    const struct {
        DWORD support;
        int32_t adapterCount; // afterwards; 5 is the stale count
    } cases[] = {
        {0x0100, 0}, // working, no adapter
        {0xE800, 5}, // no adapters: the count of the last success stays
        {0x0001, 5}, // pending is not success either
        {0x0201, 5}, // another status
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.support);
        layer_.SupportInfo(c.support);
        layer_.ClearLog();
        TAspiDevices devices = StaleDevices();
        EXPECT_EQ(EnumerateAspiDevices(devices), c.support);
        EXPECT_EQ(devices.AdapterCount, c.adapterCount);
        EXPECT_TRUE(devices.Host.Empty() && devices.ID.Empty() && devices.LUN.Empty() &&
                    devices.Typ.Empty() && devices.Status.Empty() && devices.Vendor.Empty() &&
                    devices.Model.Empty() && devices.Revision.Empty() && devices.Extra.Empty());
        EXPECT_EQ(layer_.Log(), "");
        UnbindAspiLayer();
    }
}

TEST_F(AspiLayer, TwoDevicesAtTargetsOneAndThree) {
    layer_.SupportInfo(0x0101);
    layer_.Device(0, 1, 5, 0);
    layer_.Inquiry(0, 1, InquiryData("ACME    ", "CD Writer\0junk!!", "1.0A", "serial 42\0trailing", "TAIL"));
    layer_.Device(0, 3, 1, 2);
    layer_.Inquiry(0, 3, InquiryData("VENDORAB", "PRODUCT-SIXTEEN!", "REV1", "TWENTY-SPECIFIC-BYTE", "MORE"));
    // Immediate completion signals the event too: it must be reset before
    // the pending INQUIRY, or that wait ends before the layer answered.
    layer_.Set(0, 3, "TurCompletion", "immediate");

    TAspiDevices devices = StaleDevices();
    EXPECT_EQ(EnumerateAspiDevices(devices), 0x0101u);
    EXPECT_EQ(devices.AdapterCount, 1);
    EXPECT_EQ(devices.Host.Items(), Texts({"0", "0"}));
    EXPECT_EQ(devices.ID.Items(), Texts({"1", "3"}));
    EXPECT_EQ(devices.LUN.Items(), Texts({"0", "2"}));
    EXPECT_EQ(devices.Typ.Items(), Texts({"5", "1"}));
    EXPECT_EQ(devices.Status.Items(), Texts({"1", "1"}));
    EXPECT_EQ(devices.Vendor.Items(), Texts({"ACME    ", "VENDORAB"}));
    EXPECT_EQ(devices.Model.Items(), Texts({"CD Writer", "PRODUCT-SIXTEEN!"}));
    EXPECT_EQ(devices.Revision.Items(), Texts({"1.0A", "REV1"}));
    EXPECT_EQ(devices.Extra.Items(), Texts({"serial 42", "TWENTY-SPECIFIC-BYTE"}));

    EXPECT_EQ(layer_.Log(), "HA 0\n" + DeviceProbes(0, 0, 1) + TestUnitReady("0.1") + Inquiry("0.1") +
                                DeviceProbes(0, 2, 3) + TestUnitReady("0.3") + Inquiry("0.3") +
                                DeviceProbes(0, 4, 15));
}

TEST_F(AspiLayer, AdaptersWhoseInquiryFailsAreSkipped) {
    layer_.SupportInfo(0x0103);
    layer_.AdapterStatus(1, 0x04);
    layer_.Device(0, 0, 5);
    layer_.Device(1, 2, 5);
    layer_.Device(2, 15, 8);

    TAspiDevices devices;
    EXPECT_EQ(EnumerateAspiDevices(devices), 0x0103u);
    EXPECT_EQ(devices.AdapterCount, 3);
    EXPECT_EQ(devices.Host.Items(), Texts({"0", "2"}));
    EXPECT_EQ(devices.ID.Items(), Texts({"0", "15"}));
    EXPECT_EQ(devices.Typ.Items(), Texts({"5", "8"}));
    const std::string log = layer_.Log();
    EXPECT_NE(log.find("HA 1\nHA 2\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("DEV 1."), std::string::npos) << log;
}

TEST_F(AspiLayer, StatusOfTheLastCommandAndInquiryOnlyOnSuccess) {
    const struct {
        DWORD turStatus;
        const char* turCompletion;
        DWORD inquiryStatus;
        const char* inquiryCompletion;
        const char* status;
        bool inquiryRead;
    } cases[] = {
        {0x01, "pending", 0x04, "pending", "4", false},       // completes TEST UNIT READY, fails INQUIRY
        {0x01, "immediate", 0x82, "immediate", "130", false}, // INQUIRY refused at once
        {0x04, "immediate", 0x01, "pending", "1", true}, // a failed TEST UNIT READY does not stop INQUIRY
        {0x01, "pending", 0x01, "immediate", "1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.turCompletion << " " << c.turStatus << ", "
                                        << c.inquiryCompletion << " " << c.inquiryStatus);
        layer_.SupportInfo(0x0101);
        layer_.Device(0, 4, 5);
        layer_.Inquiry(0, 4, InquiryData("VENDOR", "MODEL", "0001", "X"));
        layer_.Set(0, 4, "TurStatus", c.turStatus);
        layer_.Set(0, 4, "TurCompletion", c.turCompletion);
        layer_.Set(0, 4, "InquiryStatus", c.inquiryStatus);
        layer_.Set(0, 4, "InquiryCompletion", c.inquiryCompletion);

        TAspiDevices devices;
        EnumerateAspiDevices(devices);
        ASSERT_EQ(devices.Status.Count(), 1u);
        EXPECT_EQ(devices.Status[0], c.status);
        EXPECT_EQ(devices.Vendor[0], c.inquiryRead ? "VENDOR" : "");
        EXPECT_EQ(devices.Model[0], c.inquiryRead ? "MODEL" : "");
        EXPECT_EQ(devices.Revision[0], c.inquiryRead ? "0001" : "");
        EXPECT_EQ(devices.Extra[0], c.inquiryRead ? "X" : "");
        UnbindAspiLayer();
    }
}

// A signal is the layer's word that it is done with the request: the status
// it left is the device's status, even when that still reads pending, and
// the enumeration goes on to the next device and lets the library go.
TEST_F(AspiLayer, SignalWithThePendingStatusStillEndsTheCommand) {
    const struct {
        const char* signalled;
        const char* status;
        bool inquiryRead;
    } cases[] = {
        {"TurCompletion", "1", true}, // INQUIRY follows and completes
        {"InquiryCompletion", "0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signalled);
        layer_.SupportInfo(0x0101);
        layer_.Device(0, 1, 5);
        layer_.Device(0, 3, 5);
        layer_.Inquiry(0, 1, InquiryData("VENDOR", "MODEL", "0001", "X"));
        layer_.Inquiry(0, 3, InquiryData("OTHER", "DISK", "0002", "Y"));
        layer_.Set(0, 1, "TurCompletion", "pending");
        layer_.Set(0, 1, "InquiryCompletion", "pending");
        layer_.Set(0, 1, c.signalled, "signalled");
        layer_.ClearLog();

        TAspiDevices devices;
        // Without the bound's expiry mattering: a long bound, and a
        // signalled request never waits for it.
        EXPECT_EQ(EnumerateAspiDevices(devices, INFINITE), 0x0101u);
        EXPECT_EQ(devices.ID.Items(), Texts({"1", "3"}));
        EXPECT_EQ(devices.Status.Items(), Texts({c.status, "1"}));
        EXPECT_EQ(devices.Vendor.Items(), Texts({c.inquiryRead ? "VENDOR" : "", "OTHER"}));
        EXPECT_EQ(layer_.Log(), "HA 0\n" + DeviceProbes(0, 0, 1) + TestUnitReady("0.1") + Inquiry("0.1") +
                                    DeviceProbes(0, 2, 3) + TestUnitReady("0.3") + Inquiry("0.3") +
                                    DeviceProbes(0, 4, 15));

        // Nothing is left with the layer: the library goes.
        EXPECT_EQ(AbandonedAspiRequests(), 0u);
        UnbindAspiLayer();
        EXPECT_TRUE(WaitForLayerRelease());
    }
}

TEST_F(AspiLayer, CommandNeverCompletedIsAFailureWithinTheBound) {
    for (const char* hung : {"TurCompletion", "InquiryCompletion"}) {
        SCOPED_TRACE(hung);
        layer_.SupportInfo(0x0101);
        layer_.Device(0, 1, 5);
        layer_.Device(0, 3, 5);
        layer_.Inquiry(0, 1, InquiryData("VENDOR", "MODEL", "0001", "X"));
        layer_.Set(0, 1, "TurCompletion", "pending");
        layer_.Set(0, 1, "InquiryCompletion", "pending");
        layer_.Set(0, 1, hung, "held");
        layer_.ClearLog();

        TAspiDevices devices;
        // A bound far above the other command's 20 ms completion, so that a
        // loaded machine never mistakes that one for hung as well.
        EXPECT_EQ(EnumerateAspiDevices(devices, 1000), 0x0101u);
        // The hung device keeps the pending status; nothing more is asked.
        EXPECT_EQ(devices.ID.Items(), Texts({"1"}));
        EXPECT_EQ(devices.Status.Items(), Texts({"0"}));
        EXPECT_EQ(devices.Vendor.Items(), Texts({""}));
        const std::string log = layer_.Log();
        EXPECT_TRUE(
            log.ends_with(std::string(hung) == "TurCompletion" ? TestUnitReady("0.1") : Inquiry("0.1")))
            << log;

        // The layer still owns the request, so the library stays in the process.
        EXPECT_EQ(AbandonedAspiRequests(), 1u);
        UnbindAspiLayer();
        EXPECT_NE(GetModuleHandleA("wnaspi32.dll"), nullptr);

        // Once it completes late, the request is let go and the library with it.
        EXPECT_EQ(ReleaseHeldRequests(), 1);
        EXPECT_EQ(AbandonedAspiRequests(), 0u);
        UnbindAspiLayer();
        EXPECT_TRUE(WaitForLayerRelease());
    }
}

} // namespace
