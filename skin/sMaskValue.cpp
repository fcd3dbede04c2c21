#include "sMaskValue.h"
#include "base/Text.h"
#include "base/Exception.h"

#include <limits>

namespace {

// Characters from 1-based position pos, count of them, clipped at the end.
std::string_view Copy(std::string_view text, size_t pos, size_t count) {
    if (pos < 1 || pos > text.size())
        return {};
    return text.substr(pos - 1, count);
}

int16_t Field(std::string_view text, size_t pos, size_t count) {
    return static_cast<int16_t>(StrToInt(Copy(text, pos, count)));
}

TRect FourDigitRect(std::string_view v) {
    return {Field(v, 2, 4), Field(v, 7, 4), Field(v, 12, 4), Field(v, 17, 4)};
}

std::vector<std::string_view> Words(std::string_view text, char separator) {
    std::vector<std::string_view> words;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        words.push_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return words;
        start = at + 1;
    }
}

bool Contains(const std::string& upper, std::string_view part) {
    return upper.find(part) != std::string::npos;
}

TqzImgType KindOf(std::string_view word) {
    const int32_t kind = StrToInt(word);
    return kind == 1 ? itisaTexture : kind == 2 ? itisaGlyph : itisaBorder;
}

// Frame counts, kind and the optional four margins from words[first...].
void ReadWordFields(TsMaskValue& result, const std::vector<std::string_view>& words, size_t first) {
    auto word = [&](size_t i) { return i < words.size() ? words[i] : std::string_view(); };
    TsMaskData& m = result.Mask;
    m.ImageCount = static_cast<int16_t>(StrToInt(word(first)));
    m.MaskType = static_cast<int16_t>(StrToInt(word(first + 1)));
    m.ImgType = KindOf(word(first + 2));
    if (words.size() > first + 3) {
        int16_t* margins[4] = {&m.WL, &m.WT, &m.WR, &m.WB};
        for (size_t i = 0; i < 4 && first + 3 + i < words.size(); ++i)
            *margins[i] = static_cast<int16_t>(StrToInt(words[first + 3 + i]));
    } else {
        result.DivisionMargins = true;
    }
}

std::optional<TsMaskValue> ParseHashLayout(std::string_view value) {
    const auto words = Words(value, '#');
    if (words.size() < 4)
        return std::nullopt;
    TsMaskValue result;
    if (Contains(UpperText(words[0]), ".BMP")) {
        result.Source = msPicture;
        result.PictureName = std::string(words[0]);
        result.Mask.StretchMode = 4;
        ReadWordFields(result, words, 1);
    } else {
        if (words.size() < 7 || words[0].empty() || words[0][0] < '0' || words[0][0] > '9')
            return std::nullopt;
        result.Mask.R = {StrToInt(words[0]), StrToInt(words[1]), StrToInt(words[2]), StrToInt(words[3])};
        ReadWordFields(result, words, 4);
        if (result.DivisionMargins) {
            ApplyDivisionMargins(result.Mask);
            result.DivisionMargins = false;
        }
    }
    if (result.Mask.ImgType == itisaBorder && !result.DivisionMargins)
        ApplyBorderMarginRule(result.Mask);
    return result;
}

} // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
    const std::string t = TrimText(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < t.size(); ++i) {
        const char c = UpperAscii(t[i]);
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > int64_t(std::numeric_limits<uint32_t>::max()))
            return std::nullopt;
    }
    if (negative)
        value = -value;
    // Hexadecimal may spell the full 32 bits (system colours).
    if (base == 16 && value > std::numeric_limits<int32_t>::max())
        value -= int64_t(1) << 32;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t StrToInt(std::string_view text) {
    if (auto v = TryStrToInt(text))
        return *v;
    throw Exception(FormatText("'%s' is not a valid integer value", std::string(text).c_str()));
}

void ApplyDivisionMargins(TsMaskData& m) {
    const int count = m.ImageCount > 0 ? m.ImageCount : 1;
    const int rows = m.MaskType + 1 > 0 ? m.MaskType + 1 : 1;
    m.WL = m.WR = static_cast<int16_t>(m.R.Width() / (count * 3));
    m.WT = m.WB = static_cast<int16_t>(m.R.Height() / (rows * 3));
}

void ApplyBorderMarginRule(TsMaskData& m) {
    if (m.WL || m.WT || m.WR || m.WB)
        return;
    if (m.BorderWidth)
        m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    else
        ApplyDivisionMargins(m);
}

std::optional<TsMaskValue> ParseMaskValue(std::string_view v) {
    if (v.empty())
        return std::nullopt;
    TsMaskValue result;
    TsMaskData& m = result.Mask;
    switch (v[0]) {
    case '@':
        m.ImgType = itisaGlyph;
        m.R = FourDigitRect(v);
        m.ImageCount = Field(v, 22, 1);
        m.MaskType = Field(v, 24, 1);
        return result;
    case '^':
        m.ImgType = itisaBorder;
        m.R = FourDigitRect(v);
        m.WL = Field(v, 22, 4);
        m.WT = Field(v, 27, 4);
        m.WR = Field(v, 32, 4);
        m.WB = Field(v, 37, 4);
        m.ImageCount = Field(v, 42, 1);
        m.MaskType = Field(v, 44, 1);
        m.StretchMode = Field(v, 46, 1);
        m.BorderWidth = Field(v, 48, 1);
        ApplyBorderMarginRule(m);
        return result;
    case '~':
        m.ImgType = itisaTexture;
        m.R = FourDigitRect(v);
        m.ImageCount = 1;
        m.StretchMode = Field(v, 22, 2);
        m.MaskType = v.size() >= 25 ? Field(v, 25, 1) : 0;
        return result;
    case '!': {
        const auto words = Words(v.substr(1), '!');
        if (!Contains(UpperText(words[0]), ".BMP"))
            return std::nullopt;
        result.Source = msPicture;
        result.PictureName = std::string(words[0]);
        m.StretchMode = 4;
        ReadWordFields(result, words, 1);
        return result;
    }
    default:
        break;
    }
    const std::string upper = UpperText(v);
    if (v.find('#') != std::string_view::npos) {
        if (auto old = ParseHashLayout(v))
            return old;
    } else if (Contains(upper, ".BMP")) {
        result.Source = msPicture;
        result.PictureName = std::string(v);
        m.ImgType = itisaBorder;
        m.ImageCount = 3;
        m.MaskType = 1;
        result.DivisionMargins = true;
        return result;
    }
    if (Contains(upper, ".JPG") || Contains(upper, ".JPEG")) {
        result.Source = msJpeg;
        result.PictureName = std::string(v);
        m.ImgType = itisaTexture;
        m.ImageCount = 1;
        return result;
    }
    return std::nullopt;
}
