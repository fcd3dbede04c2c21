#pragma once
// Read-only registry access for the information components: an accessor with
// a root key, one open key and a fixed access mask. Keys are only ever opened,
// never created.
#include "base/StringList.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry {
public:
    // The root starts as HKEY_CURRENT_USER; no key is open.
    explicit TRegistry(REGSAM access);
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return rootKey_; }
    // Selecting another root closes the open key, which belongs to the old one.
    void SetRootKey(HKEY root);
    // An open key of another accessor as the root, named in errors by its
    // path ("HKCR\CLSID"): opening many keys below one key from there saves
    // Windows finding that key again each time. The key must stay open
    // while this accessor uses it.
    void SetRootKey(HKEY root, std::string rootPath);
    REGSAM Access() const { return access_; }
    // The open key, or nullptr when none is open.
    HKEY CurrentKey() const { return currentKey_.Get(); }

    // Opens path for reading: a path beginning with "\" from the root, any
    // other path from the open key (from the root when none is open). On
    // success the new key replaces the open one; on failure the open key stays.
    bool OpenKey(const std::string& path);
    // Afterwards relative paths start from the root again.
    void CloseKey();

    // The empty name stands for the key's default value.
    bool ValueExists(const std::string& name) const;
    // REG_SZ and REG_EXPAND_SZ values, up to the first NUL and unexpanded; an
    // absent or empty value gives "". Other types raise "Invalid data type for
    // '%s'"; a value that exists but cannot be read raises "Failed to get data
    // for '%s'".
    std::string ReadString(const std::string& name) const;
    // A REG_DWORD value. An absent or unreadable value raises "Failed to get
    // data for '%s'", any other type "Invalid data type for '%s'".
    std::int32_t ReadInteger(const std::string& name) const;
    // Copies a REG_BINARY value, or one of a type outside text, expandable
    // text, DWORD and binary, into buffer and returns its size; a value that
    // cannot be queried gives 0. A text or DWORD value, or one larger than
    // capacity, raises "Invalid data type for '%s'".
    size_t ReadBinaryData(const std::string& name, void* buffer, size_t capacity) const;
    // rdUnknown for any other type, a missing value and the empty name.
    TRegDataType GetDataType(const std::string& name) const;
    // The value's size in bytes; -1 when it does not exist.
    long GetDataSize(const std::string& name) const;

    // Empty the list, then append the open key's subkey (value) names in the
    // registry's enumeration order.
    void GetKeyNames(TStringList& names) const;
    void GetValueNames(TStringList& names) const;

private:
    struct DataInfo {
        DWORD type = REG_NONE;
        DWORD size = 0;
    };
    bool QueryInfo(const std::string& name, DataInfo& info) const;
    // The errors of a read carry the open key's path and the value's name.
    [[noreturn]] void RaiseInvalidType(const std::string& name) const;
    [[noreturn]] void RaiseReadFailed(const std::string& name) const;
    // "HKLM\SOFTWARE\Microsoft\DirectX": the root's short name and the open key.
    std::string CurrentPath() const;
    // Reads the value's bytes; raises "Failed to get data for '%s'" when the
    // read fails. Returns the type and the bytes read.
    DataInfo ReadData(const std::string& name, void* buffer, DWORD capacity) const;

    HKEY rootKey_ = HKEY_CURRENT_USER;
    std::string rootPath_; // empty: the predefined root's short name
    REGSAM access_;
    UniqueRegKey currentKey_;
    std::string currentPath_; // the open key's path below the root
};

// A new accessor with KEY_READ access, plus the 64-bit registry view when this
// 32-bit process runs under WOW64. Its root is the default until set.
std::unique_ptr<TRegistry> CreateRegistryReader();

// The text value name of key under root, "" when the key cannot be opened.
// Errors of the read pass to the caller.
std::string ReadRegistryText(HKEY root, const std::string& key, const std::string& name);
