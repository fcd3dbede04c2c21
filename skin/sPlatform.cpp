#include "sPlatform.h"

namespace {
TsSkinPlatform* installed = nullptr;
}

TsSkinPlatform& SkinPlatform() {
    return installed ? *installed : DefaultSkinPlatform();
}

TsSkinPlatform* SetSkinPlatform(TsSkinPlatform* platform) {
    TsSkinPlatform* old = installed;
    installed = platform;
    return old;
}
