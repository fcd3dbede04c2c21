// Building the tables of a skin: masks, patterns and sections from the
// options text and pictures, the common sections, hue and saturation.
#include "sSkinManager.h"
#include "qzSkinPack.h"
#include "sMaskValue.h"
#include "sPlatform.h"
#include "base/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr int PatternMinPixels = 90000; // smaller JPEG pictures become textures

// Reads keys of a section with PARENTCLASS inheritance.
class TInheritedReader {
public:
    explicit TInheritedReader(const TsIniText& ini) : ini_(ini) {}

    int Integer(const std::string& section, const char* key, int fallback) const {
        const int v = Chain(section, [&](const TsIniSection& s) -> std::optional<int> {
                          const TsIniKey* k = s.Find(key);
                          const auto value = k ? TryStrToInt(k->Value) : std::nullopt;
                          return value && *value != -1 ? value : std::nullopt;
                      }).value_or(-1);
        return v == -1 ? fallback : v;
    }
    std::string Text(const std::string& section, const char* key, const std::string& fallback) const {
        return Chain(section,
                     [&](const TsIniSection& s) -> std::optional<std::string> {
                         const TsIniKey* k = s.Find(key);
                         return k && k->Value != "?" ? std::optional<std::string>(k->Value) : std::nullopt;
                     })
            .value_or(fallback);
    }
    bool Boolean(const std::string& section, const char* key) const {
        return UpperText(Text(section, key, "FALSE")) == "TRUE";
    }

private:
    template <typename Read>
    auto Chain(const std::string& section, Read read) const -> decltype(read(std::declval<TsIniSection>())) {
        std::string name = section;
        for (size_t step = 0; step <= ini_.Sections().size(); ++step) {
            const TsIniSection* s = ini_.Section(name);
            if (!s)
                return std::nullopt;
            if (auto value = read(*s))
                return value;
            const TsIniKey* parent = s->Find("PARENTCLASS");
            if (!parent || parent->Value == "?" || parent->Value.empty() || SameText(parent->Value, name))
                return std::nullopt;
            name = parent->Value;
        }
        return std::nullopt; // a chain that comes round again
    }
    const TsIniText& ini_;
};

TsGeneralData ReadSection(const TsIniText& ini, const std::string& name) {
    const TInheritedReader r(ini);
    TsGeneralData g;
    g.SectionName = name;
    g.ParentClass = ini.ReadString(name, "PARENTCLASS", "");
    g.Color = TsSkinManager::ColorToRGB(r.Integer(name, "COLOR", clWhite));
    g.Bevel = static_cast<TsControlBevel>(std::clamp(r.Integer(name, "BEVEL", 0), 0, 4));
    const char* font[] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    const char* hotFont[] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"};
    for (size_t i = 0; i < 5; ++i) {
        g.FontColor[i] = r.Integer(name, font[i], i == 0 ? 0 : -1);
        g.HotFontColor[i] = r.Integer(name, hotFont[i], i == 0 ? 0 : -1);
    }
    g.GiveOwnFont = r.Boolean(name, "GIVEOWNFONT");
    g.ReservedBoolean = r.Boolean(name, "RESERVEDBOOLEAN");
    g.ShadowBlur = r.Integer(name, "SHADOWBLUR", 6);
    g.ShadowColor = TryStrToInt(ini.ReadString(name, "SHADOWCOLOR", "0")).value_or(0);
    g.ShadowEnabled = r.Boolean(name, "SHADOWENABLED");
    g.ShadowOffset = r.Integer(name, "SHADOWOFFSET", 3);
    g.ShadowTransparency = r.Integer(name, "SHADOWTRANSPARENCY", 50);
    g.Transparency = r.Integer(name, "TRANSPARENCY", 0);
    g.GradientPercent = r.Integer(name, "GRADIENTPERCENT", 0);
    g.GradientData = r.Text(name, "GRADIENTDATA", " ");
    if (g.GradientData != " ")
        g.GradientArray = ParseGradient(g.GradientData);
    g.ImagePercent = r.Integer(name, "IMAGEPERCENT", 0);
    g.ShowFocus = r.Boolean(name, "SHOWFOCUS");
    g.FadingEnabled = r.Boolean(name, "FADINGENABLED");
    g.FadingIntervalIn = r.Integer(name, "FADINGINTERVALIN", 5);
    g.FadingIntervalOut = r.Integer(name, "FADINGINTERVALOUT", 5);
    g.FadingIterations = r.Integer(name, "FADINGITERATIONS", 5);
    g.HotColor = r.Integer(name, "HOTCOLOR", clWhite);
    g.HotTransparency = r.Integer(name, "HOTTRANSPARENCY", 0);
    g.HotBevel = static_cast<TsControlBevel>(std::clamp(r.Integer(name, "HOTBEVEL", 0), 0, 4));
    g.HotGradientPercent = r.Integer(name, "HOTGRADIENTPERCENT", 0);
    g.HotGradientData = r.Text(name, "HOTGRADIENTDATA", "");
    if (!g.HotGradientData.empty() && g.HotGradientData != " ")
        g.HotGradientArray = ParseGradient(g.HotGradientData);
    g.HotImagePercent = r.Integer(name, "HOTIMAGEPERCENT", 0);
    g.BorderColor1 = r.Integer(name, "BORDERCOLOR1", 0);
    g.BorderColor2 = r.Integer(name, "BORDERCOLOR2", 0);
    return g;
}

// "VERSION" with "." as the decimal separator; anything else reads as 0.
double ParseVersion(const std::string& text) {
    const std::string t = TrimText(text);
    double value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    return error == std::errc() && end == t.data() + t.size() ? value : 0;
}

// Hue, saturation and value of a colour 0x00BBGGRR, and back.
struct THsv {
    double H, S, V;
};
THsv ToHsv(uint32_t c) {
    const double r = (c & 0xFF) / 255.0, g = ((c >> 8) & 0xFF) / 255.0, b = ((c >> 16) & 0xFF) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    double h = 0;
    if (d > 0) {
        if (mx == r)
            h = 60 * std::fmod((g - b) / d, 6.0);
        else if (mx == g)
            h = 60 * ((b - r) / d + 2);
        else
            h = 60 * ((r - g) / d + 4);
    }
    if (h < 0)
        h += 360;
    return {h, mx > 0 ? d / mx : 0, mx};
}
uint32_t FromHsv(THsv hsv) {
    const double c = hsv.V * hsv.S, hp = hsv.H / 60, x = c * (1 - std::fabs(std::fmod(hp, 2.0) - 1)),
                 m = hsv.V - c;
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hp) % 6) {
    case 0:
        r = c, g = x;
        break;
    case 1:
        r = x, g = c;
        break;
    case 2:
        g = c, b = x;
        break;
    case 3:
        g = x, b = c;
        break;
    case 4:
        r = x, b = c;
        break;
    default:
        r = c, b = x;
        break;
    }
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(r + m) | byte(g + m) << 8 | byte(b + m) << 16;
}

} // namespace

uint32_t ChangeHueSaturation(uint32_t color, int hueOffset, int saturation) {
    const uint32_t rgb = color & 0xFFFFFF;
    const uint8_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    if (rgb == static_cast<uint32_t>(clNone) || (r == g && g == b))
        return color;
    THsv hsv = ToHsv(rgb);
    if (hueOffset)
        hsv.H = std::fmod(std::fmod(hsv.H + hueOffset, 360.0) + 360.0, 360.0);
    if (saturation)
        hsv.S = std::clamp(hsv.S + ((-saturation) % 101) / 100.0, 0.0, 1.0);
    return FromHsv(hsv);
}

const std::vector<uint8_t>* TsSkinManager::PictureBytes(const std::string& name,
                                                        std::vector<uint8_t>& fileBytes) const {
    if (fromArchive_) {
        TqzImageItem* item = convertor_ ? convertor_->FindImage(name) : nullptr;
        return item ? &item->Content.Bytes() : nullptr;
    }
    const std::string path = name.find(':') != std::string::npos ? name : SkinData.SkinPath + name;
    auto bytes = SkinPlatform().ReadWholeFile(path);
    if (!bytes)
        return nullptr;
    fileBytes = std::move(*bytes);
    return &fileBytes;
}

std::unique_ptr<TsBitmap24> TsSkinManager::LoadPicture(const std::string& name, bool jpeg) const {
    std::vector<uint8_t> fileBytes;
    const std::vector<uint8_t>* bytes = PictureBytes(name, fileBytes);
    if (!bytes || bytes->empty())
        return nullptr;
    const bool bmp = bytes->size() >= 2 && (*bytes)[0] == 'B' && (*bytes)[1] == 'M';
    if (bmp && !jpeg)
        return DecodeBmp(bytes->data(), bytes->size());
    return bmp ? nullptr : DecodeJpeg(bytes->data(), bytes->size());
}

void TsSkinManager::BuildTables(const TsIniText& options) {
    BuildMasks(options);
    BuildPatterns(options);
    BuildSections(options);
    ApplyHueAndSaturation();
}

void TsSkinManager::BuildMasks(const TsIniText& options) {
    ma.clear();
    MasterBitmap.reset();
    const std::string masterName = options.ReadString("GLOBALINFO", "MASTERBITMAP", "");
    if (!masterName.empty())
        if (auto master = LoadPicture(masterName, false))
            MasterBitmap = std::move(master);
    for (const TsIniSection& section : options.Sections()) {
        const bool global = SameText(section.Name, "GLOBALINFO");
        for (const TsIniKey& key : section.Keys) {
            if (global && SameText(key.Name, "MASTERBITMAP"))
                continue;
            auto value = ParseMaskValue(key.Value);
            if (!value || value->Source == msJpeg)
                continue;
            TsMaskData mask = value->Mask;
            if (value->Source == msPicture) {
                auto picture = LoadPicture(value->PictureName, false);
                if (!picture || picture->Width == 0)
                    continue;
                mask.R = {0, 0, picture->Width, picture->Height};
                mask.Image = std::move(picture);
                if (value->DivisionMargins)
                    ApplyDivisionMargins(mask);
                else if (mask.ImgType == itisaBorder)
                    ApplyBorderMarginRule(mask);
            } else if (!MasterBitmap) {
                continue; // nothing to cut the mask from
            }
            mask.SectionName = section.Name;
            mask.PropertyName = key.Name;
            mask.Manager = this;
            ma.push_back(std::move(mask));
        }
    }
}

void TsSkinManager::BuildPatterns(const TsIniText& options) {
    pa.clear();
    for (const TsIniSection& section : options.Sections()) {
        for (const TsIniKey& key : section.Keys) {
            auto value = ParseMaskValue(key.Value);
            if (!value || value->Source != msJpeg)
                continue;
            auto picture = LoadPicture(value->PictureName, true);
            if (!picture || picture->Width == 0)
                continue;
            if (picture->Width * picture->Height >= PatternMinPixels) {
                pa.push_back({std::move(picture), UpperText(section.Name), UpperText(key.Name)});
                continue;
            }
            TsMaskData mask;
            mask.R = {0, 0, picture->Width, picture->Height};
            mask.Image = std::move(picture);
            mask.ImgType = itisaTexture;
            mask.ImageCount = 1;
            mask.SectionName = UpperText(section.Name);
            mask.PropertyName = UpperText(key.Name);
            mask.Manager = this;
            ma.push_back(std::move(mask));
        }
    }
}

void TsSkinManager::BuildSections(const TsIniText& options) {
    TsSkinData& d = SkinData;
    const std::string g = "GLOBALINFO";
    d.Version = ParseVersion(options.ReadString(g, "VERSION", "0"));
    d.Author = options.ReadString(g, "AUTHOR", "");
    d.Description = options.ReadString(g, "DESCRIPTION", "");
    d.Shadow1Color = TryStrToInt(options.ReadString(g, "SHADOW1COLOR", "0")).value_or(0);
    d.Shadow1Offset = StrToInt(options.ReadString(g, "SHADOW1OFFSET", "0"));
    d.Shadow1Blur = StrToInt(options.ReadString(g, "SHADOW1BLUR", "-1"));
    d.Shadow1Transparency = StrToInt(options.ReadString(g, "SHADOW1TRANSPARENCY", "0"));
    d.TitleButtonSpacing = TryStrToInt(options.ReadString(g, "BISPACE", "0")).value_or(0);
    d.TitleButtonVOffset = TryStrToInt(options.ReadString(g, "BIVALIGN", "0")).value_or(0);
    d.BorderColor = TryStrToInt(options.ReadString(g, "BORDERCOLOR", "0")).value_or(0);

    gd.clear();
    if (commonSections_.empty()) {
        for (const TsIniSection& section : options.Sections())
            gd.push_back(ReadSection(options, section.Name));
        return;
    }
    // The common sections replace the keys they give; sections the skin lacks
    // are added. A value that is no integer where the skin has one counts as not given.
    TsIniText merged = options;
    std::string commonText;
    for (const std::string& line : commonSections_)
        commonText += line + "\n";
    const TsIniText common(commonText);
    std::vector<TsIniSection> sections = merged.Sections();
    for (const TsIniSection& extra : common.Sections()) {
        auto target = std::find_if(sections.begin(), sections.end(),
                                   [&](const TsIniSection& s) { return SameText(s.Name, extra.Name); });
        if (target == sections.end()) {
            sections.push_back({extra.Name, {}});
            target = sections.end() - 1;
        }
        for (const TsIniKey& key : extra.Keys) {
            auto existing = std::find_if(target->Keys.begin(), target->Keys.end(),
                                         [&](const TsIniKey& k) { return SameText(k.Name, key.Name); });
            if (existing == target->Keys.end())
                target->Keys.push_back(key);
            else if (TryStrToInt(key.Value) || !TryStrToInt(existing->Value))
                existing->Value = key.Value;
        }
    }
    std::string mergedText;
    for (const TsIniSection& s : sections) {
        mergedText += "[" + s.Name + "]\n";
        for (const TsIniKey& k : s.Keys)
            mergedText += k.Name + "=" + k.Value + "\n";
    }
    merged.SetText(mergedText);
    for (const TsIniSection& section : merged.Sections())
        gd.push_back(ReadSection(merged, section.Name));
}

void TsSkinManager::LoadFromStoredTables(const TsStoredSkin& stored) {
    gd = stored.GeneralData;
    for (TsGeneralData& g : gd) {
        g.GradientArray = g.GradientData != " " ? ParseGradient(g.GradientData) : decltype(g.GradientArray){};
        g.HotGradientArray = !g.HotGradientData.empty() && g.HotGradientData != " "
                                 ? ParseGradient(g.HotGradientData)
                                 : decltype(g.HotGradientArray){};
    }
    ma.clear();
    for (TsMaskData m : stored.Images) {
        m.Manager = this;
        if (m.Image)
            m.Image = std::make_shared<TsBitmap24>(*m.Image); // ours to recolour
        ma.push_back(std::move(m));
    }
    pa = stored.Patterns;
    MasterBitmap = stored.MasterBitmap ? std::make_shared<TsBitmap24>(*stored.MasterBitmap) : nullptr;
    SkinData.Shadow1Color = stored.Shadow1Color;
    SkinData.Shadow1Offset = stored.Shadow1Offset;
    SkinData.Shadow1Blur = stored.Shadow1Blur;
    SkinData.Shadow1Transparency = stored.Shadow1Transparency;
    SkinData.BorderColor = stored.BorderColor;
    SkinData.Version = stored.Version;
    SkinData.Author = stored.Author;
    SkinData.Description = stored.Description;
    ApplyHueAndSaturation();
}

void TsSkinManager::ApplyHueAndSaturation() {
    if (!hueOffset_ && !saturation_)
        return;
    auto recolour = [&](TsBitmap24& bitmap) {
        for (int y = 0; y < bitmap.Height; ++y)
            for (int x = 0; x < bitmap.Width; ++x)
                bitmap.SetPixel(x, y, ChangeHueSaturation(bitmap.Pixel(x, y), hueOffset_, saturation_));
    };
    if (MasterBitmap)
        recolour(*MasterBitmap);
    for (TsMaskData& m : ma)
        if (m.Image)
            recolour(*m.Image);
    auto colour = [&](TColor& c) {
        if (c >= 0)
            c = static_cast<TColor>(ChangeHueSaturation(static_cast<uint32_t>(c), hueOffset_, saturation_));
    };
    for (TsGeneralData& g : gd) {
        colour(g.Color);
        colour(g.HotColor);
        for (size_t i = 0; i < 5; ++i) {
            colour(g.FontColor[i]);
            colour(g.HotFontColor[i]);
        }
        colour(g.BorderColor1);
        colour(g.BorderColor2);
    }
}
