#pragma once
// A quiet skin platform for the fuzz targets: files from memory, warnings counted.
#include "skin/sPlatform.h"

#include <map>

class TFuzzPlatform final : public TsSkinPlatform {
public:
    void ShowWarning(const std::string&, const std::string&) override { ++Warnings; }
    bool FileExists(const std::string& path) override { return Files.count(path) != 0; }
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) override {
        auto it = Files.find(path);
        return it == Files.end() ? std::nullopt : std::optional<std::vector<uint8_t>>(it->second);
    }
    std::string ProgramFolder() override { return "C:\\Kestova\\"; }
    uint32_t SysColor(int) override { return 0xC0C0C0; }

    std::map<std::string, std::vector<uint8_t>> Files;
    int Warnings = 0;
};
