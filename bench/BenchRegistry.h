#pragma once
// Registry fixtures of the benchmarks are written in the view the product
// reads: the machine's own, the 64-bit one when a 32-bit build runs under
// WOW64 (on 32-bit Windows the flag is ignored).
#include <windows.h>

#include <string>

constexpr REGSAM kBenchView = KEY_WOW64_64KEY;

// Removes a fixture key and everything under it, in that view.
inline void DeleteBenchTree(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | kBenchView, &key) != ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExA(root, path.c_str(), kBenchView, 0);
}
