#include "Dask_Engines_ASPI32.h"

#include "Vexor_Routines_Files.h"

TVexor_ASPI32::TVexor_ASPI32(TComponent* owner) : TVexor_Nolt_Component(owner) {}

void TVexor_ASPI32::Refresh() {
    TVexor_Nolt_Component::Refresh();
    BindAspiLayer();
    try {
        aspi_.clear();
        const std::string searchPath = GetWindowsSearchPath();
        const DWORD support = EnumerateAspiDevices(devices_, commandTimeout_);
        // Only a layer file in the Windows or system folder (or the current
        // one) counts; its version is read by the bare name, which the
        // platform resolves along its own library search order.
        if (AspiSupportStatus(support) == SS_COMP && !SearchFileOnPath(kAspiLibraryName, searchPath).empty())
            aspi_ = ReadFileVersion(kAspiLibraryName);
    } catch (...) {
        UnbindAspiLayer();
        throw;
    }
    UnbindAspiLayer();
    SetDataPresent(true);
}
