// libFuzzer target for the mask geometry of skin painting: masks whose
// rectangles lie inside, across or outside a small master picture (or their
// own picture), any frame count, mask type, margins, border width and tiling
// mode, drawn as frames, cut frames, glyphs and textures over any area of a
// small work picture in any state, with no, a colour or a picture parent.
// Every picture is an exact-size heap block, so a read or write outside one
// stops the run; the region cut and the uncovered rest must lie inside the
// picture and the area.
#include "SkinFuzzPlatform.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

TsBitmapPtr Picture(FuzzedDataProvider& in, int maxSide) {
    auto picture = std::make_shared<TsBitmap24>(in.ConsumeIntegralInRange(1, maxSide),
                                                in.ConsumeIntegralInRange(1, maxSide));
    // Pixels from the input where it lasts (key colour included), a pattern after.
    for (size_t i = 0; i < picture->Pixels.size(); ++i)
        picture->Pixels[i] = in.remaining_bytes() > 64 ? in.ConsumeIntegral<uint8_t>() : uint8_t(i * 37);
    return picture;
}

TRect AnyRect(FuzzedDataProvider& in, int low, int high) {
    TRect r;
    r.Left = in.ConsumeIntegralInRange(low, high);
    r.Top = in.ConsumeIntegralInRange(low, high);
    r.Right = in.ConsumeIntegralInRange(low, high);
    r.Bottom = in.ConsumeIntegralInRange(low, high);
    return r;
}

TsMaskData AnyMask(FuzzedDataProvider& in, TsSkinManager& manager, int masterW, int masterH) {
    TsMaskData m;
    m.Manager = in.ConsumeIntegralInRange(0, 15) == 0 ? nullptr : &manager;
    m.SectionName = "FUZZ";
    m.PropertyName = "BORDERSMASK";
    if (in.ConsumeIntegralInRange(0, 3) == 0)
        m.Image = Picture(in, 24);
    const int w = m.Image ? m.Image->Width : masterW, h = m.Image ? m.Image->Height : masterH;
    m.R = AnyRect(in, -6, std::max(w, h) + 6);
    m.ImageCount = in.ConsumeIntegralInRange<int16_t>(-2, 6);
    m.MaskType = in.ConsumeIntegralInRange<int16_t>(-2, 2);
    m.BorderWidth = in.ConsumeIntegralInRange<int16_t>(-2, 12);
    m.StretchMode = in.ConsumeIntegralInRange<int16_t>(-1, 12);
    m.ImgType = static_cast<TqzImgType>(in.ConsumeIntegralInRange(0, 2));
    m.WL = in.ConsumeIntegralInRange<int16_t>(-2, 20);
    m.WT = in.ConsumeIntegralInRange<int16_t>(-2, 20);
    m.WR = in.ConsumeIntegralInRange<int16_t>(-2, 20);
    m.WB = in.ConsumeIntegralInRange<int16_t>(-2, 20);
    return m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzPlatform platform;
    SetSkinPlatform(&platform);
    FuzzedDataProvider in(data, size);
    TsSkinManager manager(nullptr);
    manager.MasterBitmap = Picture(in, 40);
    const int masterW = manager.MasterBitmap->Width, masterH = manager.MasterBitmap->Height;
    const int maskCount = in.ConsumeIntegralInRange(1, 3);
    for (int i = 0; i < maskCount; ++i)
        manager.ma.push_back(AnyMask(in, manager, masterW, masterH));

    TsBitmap24 target(in.ConsumeIntegralInRange(1, 48), in.ConsumeIntegralInRange(1, 48));
    const TsBitmapPtr parent = Picture(in, 48);
    TsBackgroundDescriptor background;
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 1:
        background = TsBackgroundDescriptor::OfColor(in.ConsumeIntegral<uint32_t>() & 0xFFFFFF);
        break;
    case 2:
        background = TsBackgroundDescriptor::OfPicture(*parent, in.ConsumeIntegralInRange(-60, 60),
                                                       in.ConsumeIntegralInRange(-60, 60));
        break;
    default:
        break;
    }

    while (in.remaining_bytes() > 0) {
        const int maskIndex = in.ConsumeIntegralInRange(-1, maskCount);
        const int state = in.ConsumeIntegralInRange(-2, 7);
        const TRect area = AnyRect(in, -10, 58);
        const bool fillCentre = in.ConsumeBool(), cornerFlag = in.ConsumeBool();
        const TsMaskData& mask = manager.ma[size_t(std::clamp(maskIndex, 0, maskCount - 1))];
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            DrawNinePiece(target, area, fillCentre, cornerFlag, state, maskIndex, manager, background);
            break;
        case 1: {
            std::vector<TRect> cut;
            DrawNinePieceCut(target, cut, fillCentre, state, maskIndex, manager);
            for (const TRect& run : cut)
                Check(run.Left >= 0 && run.Top >= 0 && run.Right <= target.Width &&
                      run.Bottom <= target.Height && run.Bottom == run.Top + 1 && run.Right > run.Left);
            break;
        }
        case 2:
            DrawMaskGlyph(target, {area.Left, area.Top}, state, background, mask, in.ConsumeBool());
            break;
        default: {
            const TRect rest = TileTexture(target, area, mask, background);
            if (!IsEmptyRect(rest) && !IsEmptyRect(area))
                Check(rest.Left >= area.Left && rest.Top >= area.Top && rest.Right <= area.Right &&
                      rest.Bottom <= area.Bottom);
            break;
        }
        }
    }
    return 0;
}
