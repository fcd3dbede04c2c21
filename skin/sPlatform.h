#pragma once
// What the skin library asks of the system it runs on: the warning box, the
// file system, the program's folder and the system colours. The Windows build
// answers with the real calls; portable builds and tests put their own in.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TsSkinPlatform {
public:
    virtual ~TsSkinPlatform() = default;
    // A modal box with the text, the caption, the exclamation icon and one OK button.
    virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    // The whole file, or nothing when it cannot be read.
    virtual std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) = 0;
    // The folder of the executable, with a trailing backslash.
    virtual std::string ProgramFolder() = 0;
    // A system colour (COLOR_BTNFACE = 15, ...) as 0x00BBGGRR.
    virtual uint32_t SysColor(int index) = 0;
    // The system is of the NT family (portable builds are not Windows at all).
    virtual bool WindowsNT() { return false; }
};

// The platform in use: the one installed by SetSkinPlatform, else the build's own.
TsSkinPlatform& SkinPlatform();
// Installs a platform (nullptr restores the build's own); returns the previous one.
TsSkinPlatform* SetSkinPlatform(TsSkinPlatform* platform);
// The build's own platform (Windows calls, or plain files on other systems).
TsSkinPlatform& DefaultSkinPlatform();
