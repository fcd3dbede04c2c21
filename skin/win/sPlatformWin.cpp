// The skin platform on Windows: the real message box, files and colours.
#include "skin/sPlatform.h"
#include "base/win/Handles.h"

#include <windows.h>

namespace {

class TWinPlatform final : public TsSkinPlatform {
public:
    void ShowWarning(const std::string& text, const std::string& caption) override {
        MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    bool FileExists(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) override {
        UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return std::nullopt;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
            return std::nullopt;
        std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                          nullptr) ||
                got == 0)
                return std::nullopt;
            done += got;
        }
        return bytes;
    }
    std::string ProgramFolder() override {
        char path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder(path, length);
        const size_t slash = folder.find_last_of("\\/");
        return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
    }
    uint32_t SysColor(int index) override { return GetSysColor(index); }
    bool WindowsNT() override {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }
};

} // namespace

TsSkinPlatform& DefaultSkinPlatform() {
    static TWinPlatform platform;
    return platform;
}
