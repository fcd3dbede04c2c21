#pragma once
// The routines unit shared by the information components: host platform,
// registry and file version queries, account and machine names.
#include "Vexor_Routines_Accounts.h"
#include "Vexor_Routines_Files.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_Registry.h"
