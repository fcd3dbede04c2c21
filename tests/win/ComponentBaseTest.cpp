#include "sysinfo/win/Dask_Common.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ComponentBase, ConstructedEmptyAndLive) {
    TVexor_Nolt_Component component(nullptr);
    EXPECT_TRUE(component.LiveData());
    EXPECT_FALSE(component.DataPresent());
    EXPECT_EQ(component._Refresh(), "Double-click to get data");
    EXPECT_NE(component._About().find("10.8.4"), std::string::npos);
    EXPECT_FALSE(component.OnDebug());
    EXPECT_EQ(component.StoreFileName(), "");
    EXPECT_EQ(component.SourcePlatform() + component.SourceMajorVersion() + component.SourceMinorVersion() +
                  component.SourceBuildNumber(),
              0);
    EXPECT_EQ(component.SourceCSD(), "");
    EXPECT_FALSE(component.LoadFromStore("report.sss"));
}

TEST(ComponentBase, RefreshCopiesTheStartUpVersionRecord) {
    TVexor_Nolt_Component component(nullptr);
    component.Refresh();
    const TSourceVersion first = component.Source();
    component.Refresh();
    const TSourceVersion& info = component.Source();
    EXPECT_EQ(info.Platform, first.Platform);
    EXPECT_EQ(info.BuildNumber, first.BuildNumber);
    EXPECT_EQ(info.CSD, first.CSD);
    EXPECT_EQ(static_cast<DWORD>(component.SourcePlatform()), HostVersionInfo().dwPlatformId);
    EXPECT_EQ(static_cast<DWORD>(component.SourceMajorVersion()), HostVersionInfo().dwMajorVersion);
    EXPECT_EQ(static_cast<DWORD>(component.SourceMinorVersion()), HostVersionInfo().dwMinorVersion);
    EXPECT_EQ(static_cast<DWORD>(info.BuildNumber), HostVersionInfo().dwBuildNumber);
    EXPECT_EQ(info.CSD, HostVersionInfo().szCSDVersion);
    EXPECT_GT(info.MajorVersion, 0);
}

TEST(ComponentBase, NineXBuildIsTheLowWordAndServicePackTextStopsAtNul) {
    OSVERSIONINFOEXA info{};
    info.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    info.dwMajorVersion = 4;
    info.dwMinorVersion = 10;
    info.dwBuildNumber = 0x040A08AE; // 4.10 in the high word, 2222 in the low
    std::memcpy(info.szCSDVersion, " A \0junk", 8);
    TSourceVersion source = SourceVersionOf(info);
    EXPECT_EQ(source.BuildNumber, 2222);
    EXPECT_EQ(source.CSD, " A ");

    info.dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(info.szCSDVersion, 'S', sizeof info.szCSDVersion); // no NUL at all
    source = SourceVersionOf(info);
    EXPECT_EQ(source.BuildNumber, 0x040A08AE);
    EXPECT_EQ(source.CSD, std::string(128, 'S'));
}

TEST(ComponentBase, EnginesOwnNamedSubComponents) {
    TVexor_Engines engines(nullptr);
    EXPECT_EQ(engines.FindComponent("DirectX"), engines.DirectX());
    EXPECT_EQ(engines.FindComponent("ASPI32"), engines.ASPI32());
    EXPECT_EQ(engines.ComponentCount(), 2u);
    engines.Refresh();
    EXPECT_TRUE(engines.DataPresent());
    EXPECT_TRUE(engines.DirectX()->DataPresent());
    EXPECT_TRUE(engines.ASPI32()->DataPresent());
}

} // namespace
