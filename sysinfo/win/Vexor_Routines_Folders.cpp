#include "Vexor_Routines_Folders.h"

#include "Vexor_Routines_Accounts.h"
#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_Registry.h"
#include "sysinfo/Vexor_Routines_ValueText.h"

#include <shlobj.h>

#include <cstring>

namespace {

const char kShellFolders[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The value under root\key when it exists, else "".
std::string ShellFolderValue(TRegistry& registry, HKEY root, const std::string& key,
                             const std::string& valueName) {
    registry.SetRootKey(root);
    std::string path;
    if (registry.OpenKey(key)) {
        if (registry.ValueExists(valueName))
            path = registry.ReadString(valueName);
        registry.CloseKey();
    }
    return path;
}

// An environment block, given back to Windows on every path.
class EnvironmentBlock {
public:
    EnvironmentBlock() : block_(GetEnvironmentStringsA()) {}
    ~EnvironmentBlock() {
        if (block_)
            FreeEnvironmentStringsA(block_);
    }
    EnvironmentBlock(const EnvironmentBlock&) = delete;
    EnvironmentBlock& operator=(const EnvironmentBlock&) = delete;
    const char* Get() const { return block_; }

private:
    LPCH block_;
};

// An item list of the shell, released through the shell's allocator.
class ItemList {
public:
    ItemList() = default;
    ~ItemList() {
        IMalloc* allocator = nullptr;
        if (items_ && SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
            allocator->Free(items_);
            allocator->Release();
        }
    }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    LPITEMIDLIST* Put() { return &items_; }
    LPCITEMIDLIST Get() const { return items_; }

private:
    LPITEMIDLIST items_ = nullptr;
};

} // namespace

void GetEnvironmentList(TStringList& list) {
    list.Clear();
    const EnvironmentBlock block;
    if (!block.Get())
        return;
    // The walk stops at the block's closing empty entry, so it never reads
    // past the block even when that is shorter than the limit.
    EnvironmentBlockLines(block.Get(), list);
}

std::string GetSpecialFolder(HWND window, int csidl) {
    ItemList items;
    if (FAILED(SHGetSpecialFolderLocation(window, csidl, items.Put())) || !items.Get())
        return {};
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(items.Get(), path))
        return {};
    return std::string(path, strnlen(path, sizeof path));
}

std::string GetUserShellFolder(const std::string& valueName) {
    const std::unique_ptr<TRegistry> registry = CreateRegistryReader();
    std::string path;
    if (IsNT())
        path = ShellFolderValue(*registry, HKEY_USERS,
                                GetAccountSidText("", GetInteractiveUser()) + kShellFolders, valueName);
    else
        path = ShellFolderValue(*registry, HKEY_CURRENT_USER, kShellFolders, valueName);
    if (path.empty())
        path = ShellFolderValue(*registry, HKEY_LOCAL_MACHINE, kShellFolders, valueName);
    return path;
}
