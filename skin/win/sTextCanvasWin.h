#pragma once
// Skinned text on a skin picture through GDI: the picture's pixels are
// copied into a 24-bit DIB section, the text is drawn there, and the pixels
// go back into the picture on Flush and when the canvas goes.
#include "base/win/Handles.h"
#include "skin/sGraphUtils.h"

#include <windows.h>

class TsDibTextCanvas final : public TsTextCanvas {
public:
    explicit TsDibTextCanvas(TsBitmap24& picture);
    ~TsDibTextCanvas() override;
    TsDibTextCanvas(const TsDibTextCanvas&) = delete;
    TsDibTextCanvas& operator=(const TsDibTextCanvas&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_.Get(); }
    // Copies what has been drawn back into the picture.
    void Flush();

    void SetFont(const TsTextFont& font) override;
    void SetClip(const std::optional<TRect>& clip) override;
    TsTextSize TextExtent(const std::string& text) override;
    void PutText(const std::string& text, const TRect& rect, unsigned flags, TColor color) override;

private:
    TsBitmap24& picture_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    UniqueFont font_;
    uint8_t* bits_ = nullptr;
    size_t stride_ = 0;
    HGDIOBJ previousBitmap_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
};
