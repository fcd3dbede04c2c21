#include "Vexor_Bindings.h"

#include "Vexor_NetAPI32.h"
#include "Vexor_Native.h"
#include "Vexor_PSAPI.h"

void InitLibraryBindings() {
    BindNetApi();
    BindPsApi();
    BindNtDll();
}

void DoneLibraryBindings() {
    UnbindNtDll();
    UnbindPsApi();
}
