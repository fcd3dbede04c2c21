// The published properties of the internet-settings sub-component.
#include "Dask_OS_Internet.h"

namespace {

using PI = TPublish<TVexor_Internet>;
constexpr TProperty kInternet[] = {
    PI::Text<&TVexor_Internet::DefaultBrowserName>("DefaultBrowserName"),
    PI::Text<&TVexor_Internet::DefaultBrowser>("DefaultBrowser"),
    PI::Text<&TVexor_Internet::DefaultMailClientName>("DefaultMailClientName"),
    PI::Text<&TVexor_Internet::DefaultMailClient>("DefaultMailClient"),
    PI::Enumeration<[](const TVexor_Internet& i) { return ConnectionTypeName(i.ConnectionType()); }>(
        "ConnectionType"),
    PI::Strings<&TVexor_Internet::ProxyServer>("ProxyServer"),
};

} // namespace

const TPropertyTable TVexor_Internet::Properties =
    PI::Table<TVexor_Nolt_Component>(kInternet, TVexor_Nolt_Component::Properties);
