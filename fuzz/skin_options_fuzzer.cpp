// libFuzzer target for the options text and its mask values: the input is a
// skin folder's Options.dat, loaded by a skin manager with a small master
// bitmap beside it. Loading either succeeds or ends in the integer error;
// inheritance chains of any shape end; every mask cut from the master bitmap
// lies where the value put it, and lookups answer inside the tables.
#include "SkinFuzzPlatform.h"
#include "base/Exception.h"
#include "skin/sMaskValue.h"
#include "skin/sSkinManager.h"

#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

std::vector<uint8_t> SmallMaster() {
    TsBitmap24 master(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            master.SetPixel(x, y, (x * 7 + y * 13) & 0xFF);
    return EncodeBmp(master);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzPlatform platform;
    static const std::vector<uint8_t> master = SmallMaster();
    SetSkinPlatform(&platform);
    platform.Files.clear();
    platform.Files["C:\\Skins\\\\F\\Options.dat"] = std::vector<uint8_t>(data, data + size);
    platform.Files["C:\\Skins\\\\F\\M.bmp"] = master;
    platform.Files["C:\\Skins\\\\F\\P.bmp"] = master;

    // Every line as a mask value on its own.
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        if (auto mask = ParseMaskValue(text)) {
            Check(mask->Source != msMaster || mask->PictureName.empty());
        }
    } catch (const Exception& error) {
        Check(std::strstr(error.what(), "is not a valid integer value") != nullptr);
    }

    TsSkinManager manager(nullptr);
    manager.SetSkinDirectory("C:\\Skins\\");
    try {
        manager.SetSkinName("F");
    } catch (const Exception& error) {
        Check(std::strstr(error.what(), "is not a valid integer value") != nullptr);
        return 0;
    }
    for (size_t s = 0; s < manager.gd.size(); ++s) {
        const std::string& name = manager.gd[s].SectionName;
        for (const char* property : {"BORDERSMASK", "GLYPHMASK", "PATTERN"}) {
            const int m = manager.FindMask(static_cast<int>(s), name, property);
            Check(m >= -1 && m < static_cast<int>(manager.ma.size()));
            if (m >= 0)
                Check(manager.ma[static_cast<size_t>(m)].PropertyName == property);
        }
        Check(manager.FindSection(name) <= static_cast<int>(s));
    }
    for (size_t m = 0; m < manager.ma.size(); ++m) {
        const TsMaskData& mask = manager.ma[m];
        Check(mask.Image || manager.MasterBitmap);
        if (mask.ImageCount != 0) {
            // The margin getters never divide by zero, whatever the counts.
            manager.MaskWidthLeft(static_cast<int>(m));
            manager.MaskWidthTop(static_cast<int>(m));
        }
    }
    (void)manager.SkinInfo();
    return 0;
}
