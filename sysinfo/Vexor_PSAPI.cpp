#include "Vexor_PSAPI.h"

namespace {

TLibraryBinding g_binding{"psapi.dll"};
TPsApiEntryPoints g_entryPoints;

} // namespace

bool BindPsApi() {
    AttachLibrary(g_binding);
    if (g_binding.Handle) {
#define VEXOR_RESOLVE(name) ResolveEntryPoint(g_binding.Handle, #name, g_entryPoints.name);
        VEXOR_PSAPI_ENTRY_POINTS(VEXOR_RESOLVE)
#undef VEXOR_RESOLVE
    }
    return g_binding.Handle && g_entryPoints.EnumProcesses;
}

void UnbindPsApi() {
    // Pointers into a freed library must not stay callable.
    if (DetachLibrary(g_binding))
        g_entryPoints = {};
}

const TPsApiEntryPoints& PsApi() {
    return g_entryPoints;
}

const TLibraryBinding& PsApiBinding() {
    return g_binding;
}

TBoundEntryPoints PsApiEntryPoints() {
    return {
#define VEXOR_LIST(name) {#name, EntryAddress(g_entryPoints.name)},
        VEXOR_PSAPI_ENTRY_POINTS(VEXOR_LIST)
#undef VEXOR_LIST
    };
}
