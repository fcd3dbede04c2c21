#pragma once
// A skin platform for tests: files held in memory by their path, warnings
// recorded instead of shown, a fixed program folder and classic colours.
#include "skin/sPlatform.h"

#include <map>
#include <string>
#include <vector>

class TSkinTestPlatform final : public TsSkinPlatform {
public:
    TSkinTestPlatform() { previous_ = SetSkinPlatform(this); }
    ~TSkinTestPlatform() override { SetSkinPlatform(previous_); }

    void ShowWarning(const std::string& text, const std::string& caption) override {
        Warnings.push_back(caption + ": " + text);
    }
    bool FileExists(const std::string& path) override { return Files.count(path) != 0; }
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) override {
        auto it = Files.find(path);
        return it == Files.end() ? std::nullopt : std::optional<std::vector<uint8_t>>(it->second);
    }
    std::string ProgramFolder() override { return ProgramDir; }
    uint32_t SysColor(int index) override { return index == 15 ? 0xC0C0C0 : 0x010101u * unsigned(index); }

    std::map<std::string, std::vector<uint8_t>> Files;
    std::vector<std::string> Warnings;
    std::string ProgramDir = "C:\\Kestova\\";

private:
    TsSkinPlatform* previous_ = nullptr;
};

inline std::vector<uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}
