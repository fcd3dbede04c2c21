#include "Vexor_PSAPI.h"

namespace {

TBoundLibrary<TPsApiEntryPoints> g_psApi("psapi.dll");

} // namespace

bool BindPsApi() {
    return g_psApi.Bind() && PsApi().EnumProcesses;
}

void UnbindPsApi() {
    g_psApi.Detach();
}

const TPsApiEntryPoints& PsApi() {
    return g_psApi.Functions();
}

const TBoundLibrary<TPsApiEntryPoints>& PsApiBinding() {
    return g_psApi;
}
