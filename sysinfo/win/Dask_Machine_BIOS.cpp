#include "Dask_Machine_BIOS.h"

#include "Vexor_Routines_Memory.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_RegValueText.h"
#include "base/Text.h"

namespace {

const char kSystemKey[] = "\\HARDWARE\\DESCRIPTION\\System";

// Where the BIOS ROM keeps its texts (F000:E061, F000:FFF5, F000:E091 and
// F000:EC71), as Windows 9x maps it into every process.
constexpr uintptr_t kRomName = 0xFE061;
constexpr uintptr_t kRomDate = 0xFFFF5;
constexpr uintptr_t kRomCopyright = 0xFE091;
constexpr uintptr_t kRomExtendedInfo = 0xFEC71;

} // namespace

void TVexor_BIOS::Refresh() {
    TVexor_Nolt_Component::Refresh();
    if (IsNT()) {
        // A multi-string: its lines become one text, each followed by a blank.
        copyright_ = ReplaceAll(ReadRegValueAsText(HKEY_LOCAL_MACHINE, kSystemKey, "SystemBiosVersion", true),
                                "\r\n", " ");
        nameString_ = ReadRegValueAsText(HKEY_LOCAL_MACHINE, kSystemKey, "Identifier", false);
        date_ = ReadRegValueAsText(HKEY_LOCAL_MACHINE, kSystemKey, "SystemBiosDate", false);
        extendedInfo_.clear();
    } else {
        nameString_ = ReadLinearString(kRomName);
        date_ = ReadLinearString(kRomDate);
        copyright_ = ReadLinearString(kRomCopyright);
        extendedInfo_ = ReadLinearString(kRomExtendedInfo);
    }
    SetDataPresent(true);
}
