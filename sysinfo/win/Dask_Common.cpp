#include "Dask_Common.h"

#include "Vexor_Routines.h"

#include <cstring>

TSourceVersion SourceVersionOf(const OSVERSIONINFOEXA& info) {
    TSourceVersion source;
    source.Platform = static_cast<int>(info.dwPlatformId);
    source.MajorVersion = static_cast<int>(info.dwMajorVersion);
    source.MinorVersion = static_cast<int>(info.dwMinorVersion);
    source.BuildNumber = static_cast<int>(
        info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? (info.dwBuildNumber & 0xFFFF) : info.dwBuildNumber);
    const char* csd = info.szCSDVersion;
    source.CSD.assign(csd, strnlen(csd, sizeof info.szCSDVersion));
    return source;
}

namespace {

using P = TPublish<TVexor_Nolt_Component>;
// OnDebug is an event, not data: no writer has anything to show for it.
constexpr TProperty kProperties[] = {
    P::Text<&TVexor_Nolt_Component::_About>("_About"),
    P::Text<&TVexor_Nolt_Component::_Refresh>("_Refresh"),
    P::Boolean<&TVexor_Nolt_Component::LiveData>("LiveData"),
};

} // namespace

const TPropertyTable TVexor_Nolt_Component::Properties = P::Table(kProperties);

namespace {

TRefreshTimer& RefreshTimer() {
    static TRefreshTimer timer;
    return timer;
}

} // namespace

void SetRefreshTimer(TRefreshTimer timer) {
    RefreshTimer() = std::move(timer);
}

void RefreshTimed(TVexor_Nolt_Component& component) {
    if (!RefreshTimer()) {
        component.Refresh();
        return;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    component.Refresh();
    QueryPerformanceCounter(&end);
    // A refresh that ends by an error is not timed: it did not gather.
    RefreshTimer()(component, 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                                  static_cast<double>(frequency.QuadPart));
}

TVexor_Nolt_Component::TVexor_Nolt_Component(TComponent* owner)
    : TComponent(owner), about_("Vexor Nolt System Information Components 10.8.4"),
      refreshHint_("Double-click to get data"), loggedUser_(GetInteractiveUser()),
      loggedUserSid_(GetAccountSidText("", loggedUser_)) {}

void TVexor_Nolt_Component::Refresh() {
    SetLiveData(true);
    source_ = SourceVersionOf(HostVersionInfo());
}

// Component report storage is not part of this program: nothing calls these.
void TVexor_Nolt_Component::SaveToStore(const std::string&, const std::string&) {}

bool TVexor_Nolt_Component::LoadFromStore(const std::string&) {
    return false;
}
