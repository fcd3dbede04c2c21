#include "Vexor_NetAPI32.h"

namespace {

TLibraryBinding g_binding{"netapi32.dll"};
TNetApiEntryPoints g_entryPoints;

} // namespace

bool BindNetApi() {
    AttachLibrary(g_binding);
    if (g_binding.Handle) {
#define VEXOR_RESOLVE(name) ResolveEntryPoint(g_binding.Handle, #name, g_entryPoints.name);
        VEXOR_NETAPI32_ENTRY_POINTS(VEXOR_RESOLVE)
#undef VEXOR_RESOLVE
    }
    return g_binding.Handle && g_entryPoints.NetWkstaGetInfo;
}

const TNetApiEntryPoints& NetApi() {
    return g_entryPoints;
}

const TLibraryBinding& NetApiBinding() {
    return g_binding;
}

TBoundEntryPoints NetApiEntryPoints() {
    return {
#define VEXOR_LIST(name) {#name, EntryAddress(g_entryPoints.name)},
        VEXOR_NETAPI32_ENTRY_POINTS(VEXOR_LIST)
#undef VEXOR_LIST
    };
}
