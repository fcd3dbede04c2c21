#include "Vexor_NetAPI32.h"

namespace {

TBoundLibrary<TNetApiEntryPoints> g_netApi("netapi32.dll");

} // namespace

bool BindNetApi() {
    return g_netApi.Bind() && NetApi().NetWkstaGetInfo;
}

const TNetApiEntryPoints& NetApi() {
    return g_netApi.Functions();
}

const TBoundLibrary<TNetApiEntryPoints>& NetApiBinding() {
    return g_netApi;
}
