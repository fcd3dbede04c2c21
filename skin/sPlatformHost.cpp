// The skin platform of builds without Windows: plain files, the warning on
// standard error, and the classic Windows colour scheme.
#include "sPlatform.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

class THostPlatform final : public TsSkinPlatform {
public:
    void ShowWarning(const std::string& text, const std::string& caption) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool FileExists(const std::string& path) override {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    }
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) override {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            return std::nullopt;
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    std::string ProgramFolder() override { return ".\\"; }
    uint32_t SysColor(int index) override {
        // The "Windows Standard" scheme, in the order of the COLOR_* indexes.
        static constexpr std::array<uint32_t, 31> scheme = {
            0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
            0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
            0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
            0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xD77800, 0xC8D0D4};
        return index >= 0 && index < static_cast<int>(scheme.size()) ? scheme[index] : 0;
    }
};

} // namespace

TsSkinPlatform& DefaultSkinPlatform() {
    static THostPlatform platform;
    return platform;
}
