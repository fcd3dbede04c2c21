#pragma once
// The main window's skin manager, sSkinManager1, as the form describes it:
// one stored skin, "ZUR (internal)", packed into the program's resource "ZUR".
#include "skin/sSkinManager.h"

inline constexpr char InternalSkinName[] = "ZUR (internal)";
inline constexpr char InternalSkinResource[] = "ZUR";
// Where the form was designed; on any other machine no skin is found there.
inline constexpr char DesignSkinDirectory[] = "D:\\Kestova\\Design\\Skins";

// Creates the manager owned by owner and loads the internal skin.
TsSkinManager* CreateSkinManager1(TComponent* owner);
