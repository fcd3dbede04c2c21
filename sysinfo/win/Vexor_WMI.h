#pragma once
// Reading WMI classes through the WMI scripting interfaces: connect to a
// namespace, run a class enumeration or a WQL query, and receive every
// instance as its property names with their values as text. Nothing here
// raises: every failure ends in an empty or partial result.
//
// A WMI service can keep a caller waiting for a very long time. Each call
// therefore runs on the connection's own thread, in the process's
// multi-threaded COM apartment, and is waited for only so long (see
// WmiSetWaitLimits); a call that does not answer in time is given up and the
// call reports failure. While a given-up call still hangs, later connections
// fail at once instead of waiting for the same service again.
#include "sysinfo/Vexor_WMI_Instances.h"

#include <windows.h>
#include <wbemdisp.h>

#include <optional>
#include <string>

// The waits, in milliseconds, used until changed: a connection (the
// locator's creation and ConnectServer, also a disconnection) and a query
// (the query and the walk over all of its instances).
inline constexpr DWORD kWmiConnectWait = 10000;
inline constexpr DWORD kWmiQueryWait = 20000;
void WmiSetWaitLimits(DWORD connectMs, DWORD queryMs);

// Connects to a namespace ("root\\CIMV2"); empty texts mean the local
// computer and the current user. Initialises COM on the calling thread first
// and gives false when that fails. A second connection replaces the first.
bool WmiConnect(const std::string& machine, const std::string& user, const std::string& password,
                const std::string& nameSpace);

// Runs a WQL query (a text beginning with "SELECT", in any case) or
// enumerates the instances of a class, and fills instances. Gives the
// number of instances WMI reports, or -1 when nothing could be asked. A walk
// that fails midway keeps what it had filled; the rest stays empty.
int WmiQuery(const std::string& text, TInstances& instances);

// The value of one property as text; nothing when the value cannot be read
// or rendered, which ends a query's walk.
std::optional<std::string> WmiValueText(ISWbemProperty* property);

// Releases the connection and the locator.
void WmiDisconnect();

// How many given-up calls are still waiting for their service.
long WmiCallsStillRunning();
