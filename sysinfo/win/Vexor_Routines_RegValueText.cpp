#include "Vexor_Routines_RegValueText.h"

#include "Vexor_Routines_Registry.h"
#include "sysinfo/Vexor_Routines_ValueText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The value's bytes, at most kRegValueTextCapacity of them; a value that
// cannot be read gives none.
std::vector<unsigned char> ReadValueBytes(HKEY key, const std::string& name, DWORD size) {
    std::vector<unsigned char> data(std::max<DWORD>(size, 1));
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD length = static_cast<DWORD>(data.size());
        const LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, data.data(), &length);
        if (rc == ERROR_MORE_DATA) {
            data.resize(length);
            continue;
        }
        if (rc != ERROR_SUCCESS)
            return {};
        data.resize(std::min<size_t>(length, kRegValueTextCapacity));
        return data;
    }
    return {};
}

std::string ExpandedText(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0)
        return text;
    std::vector<char> expanded(needed + 1);
    ExpandEnvironmentStringsA(text.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    std::string result(expanded.data());
    if (result.size() >= kRegValueTextCapacity)
        result.resize(kRegValueTextCapacity - 1);
    return result;
}

std::string RenderValue(const TRegistry& registry, const std::string& name, DWORD type, DWORD size,
                        bool binaryAsText) {
    switch (type) {
    case REG_SZ:
        return registry.ReadString(name);
    case REG_EXPAND_SZ:
        return ExpandedText(registry.ReadString(name));
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        // The accessor's integer read, which refuses the big-endian type.
        return std::to_string(registry.ReadInteger(name));
    case REG_MULTI_SZ: {
        std::vector<unsigned char> data = ReadValueBytes(registry.CurrentKey(), name, size);
        return MultiStringText(reinterpret_cast<const char*>(data.data()), data.size());
    }
    default: {
        const std::vector<unsigned char> data = ReadValueBytes(registry.CurrentKey(), name, size);
        return binaryAsText ? BinaryAsText(data.data(), data.size()) : HexBytesText(data.data(), data.size());
    }
    }
}

} // namespace

std::string ReadRegValueAsText(HKEY root, const std::string& keyPath, const std::string& valueName,
                               bool binaryAsText) {
    const std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    registry->SetRootKey(root);
    if (!registry->OpenKey(keyPath) || !registry->ValueExists(valueName))
        return {};
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(registry->CurrentKey(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return {};
    std::string text = RenderValue(*registry, valueName, type, size, binaryAsText);
    registry->CloseKey();
    return text;
}
