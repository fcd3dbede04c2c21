#pragma once
// The routines unit shared by the information components: host platform,
// registry and file version queries, account and machine names, folders,
// environment and registry values as text.
#include "Vexor_Routines_Accounts.h"
#include "Vexor_Routines_Files.h"
#include "Vexor_Routines_Folders.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_RegValueText.h"
#include "Vexor_Routines_Registry.h"
#include "sysinfo/Vexor_Routines_ValueText.h"
