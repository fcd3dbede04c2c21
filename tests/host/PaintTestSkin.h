#pragma once
// A skin made by hand for painting tests: a master bitmap whose every pixel
// tells where it lies (red = x, green = y, blue = 0x40), sections and masks
// added one by one.
#include "SkinTestPlatform.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"

#include <functional>
#include <memory>

inline constexpr uint32_t CoordBlue = 0x40;
// The colour of master pixel (x, y).
inline uint32_t Coord(int x, int y) {
    return uint32_t(x) | uint32_t(y) << 8 | CoordBlue << 16;
}

inline TsBitmap24 Solid(int width, int height, uint32_t colour) {
    TsBitmap24 b(width, height);
    FillArea(b, BoundsOf(b), static_cast<TColor>(colour));
    return b;
}

struct TPaintSkin {
    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};

    explicit TPaintSkin(int masterWidth = 64, int masterHeight = 64) {
        auto master = std::make_shared<TsBitmap24>(masterWidth, masterHeight);
        for (int y = 0; y < masterHeight; ++y)
            for (int x = 0; x < masterWidth; ++x)
                master->SetPixel(x, y, Coord(x, y));
        manager.MasterBitmap = master;
    }
    TsBitmap24& Master() { return *manager.MasterBitmap; }

    int AddSection(const std::string& name, const std::function<void(TsGeneralData&)>& edit = {}) {
        TsGeneralData g;
        g.SectionName = name;
        if (edit)
            edit(g);
        manager.gd.push_back(g);
        return int(manager.gd.size()) - 1;
    }
    TsGeneralData& Section(int index) { return manager.gd[size_t(index)]; }

    // A mask of the master bitmap.
    int AddMask(const std::string& section, const std::string& property, TRect r, int imageCount,
                int maskType, TqzImgType kind = itisaBorder, int stretchMode = 0, int margin = 0) {
        TsMaskData m;
        m.SectionName = section;
        m.PropertyName = property;
        m.R = r;
        m.ImageCount = int16_t(imageCount);
        m.MaskType = int16_t(maskType);
        m.ImgType = kind;
        m.StretchMode = int16_t(stretchMode);
        m.WL = m.WT = m.WR = m.WB = int16_t(margin);
        m.Manager = &manager;
        manager.ma.push_back(m);
        return int(manager.ma.size()) - 1;
    }
    TsMaskData& Mask(int index) { return manager.ma[size_t(index)]; }

    TsItemSkin Item(int section, int frameMask = -1) {
        TsItemSkin s;
        s.SkinManager = &manager;
        s.SectionIndex = section;
        s.SkinSection = manager.gd[size_t(section)].SectionName;
        s.FrameMaskIndex = frameMask;
        return s;
    }
};
