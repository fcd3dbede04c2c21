#pragma once
// The main window's skin manager, sSkinManager1, as the form describes it:
// one stored skin, "ZUR (internal)", packed into the program's resource "ZUR".
#include "skin/sSkinManager.h"

#include <string>

inline constexpr char InternalSkinName[] = "ZUR (internal)";
inline constexpr char InternalSkinResource[] = "ZUR";
// Where the form was designed; on any other machine no skin is found there.
inline constexpr char DesignSkinDirectory[] = "D:\\Kestova\\Design\\Skins";

// Creates the manager owned by owner and loads the skin named
// InternalSkinName: from skinDirectory when a skin of that name lies there,
// else the one the program carries.
TsSkinManager* CreateSkinManager1(TComponent* owner, const std::string& skinDirectory = DesignSkinDirectory);
