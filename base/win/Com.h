#pragma once
// Owners for the COM values the automation interfaces hand out: texts (BSTR)
// and variants, freed when the owner goes. Interface pointers have ComPtr in
// Handles.h.
#include "base/win/Handles.h"

#include <oleauto.h>

#include <string>
#include <utility>

// A BSTR, freed with SysFreeString.
class UniqueBstr {
public:
    UniqueBstr() = default;
    // A copy of a wide text; null when it cannot be allocated.
    explicit UniqueBstr(const wchar_t* text) : value_(SysAllocString(text)) {}
    ~UniqueBstr() { Reset(); }
    UniqueBstr(UniqueBstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept {
        if (this != &other) {
            Reset();
            value_ = std::exchange(other.value_, nullptr);
        }
        return *this;
    }
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;

    BSTR Get() const { return value_; }
    // Hands the text over to a caller that frees it.
    BSTR Release() { return std::exchange(value_, nullptr); }
    BSTR* Put() {
        Reset();
        return &value_;
    }
    void Reset() {
        if (value_)
            SysFreeString(std::exchange(value_, nullptr));
    }

private:
    BSTR value_ = nullptr;
};

// A VARIANT, cleared with VariantClear.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&value_); }
    ~UniqueVariant() { VariantClear(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }
    // Cleared first, for out-parameters.
    VARIANT* Put() {
        VariantClear(&value_);
        return &value_;
    }
    VARTYPE Type() const { return V_VT(&value_); }

private:
    VARIANT value_;
};

// An ANSI text (system code page) as a BSTR; the empty text gives an empty
// BSTR, so that null means only that no memory was left.
inline UniqueBstr AnsiToBstr(const std::string& text) {
    UniqueBstr result;
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    *result.Put() = SysAllocStringLen(nullptr, static_cast<UINT>(size));
    if (result.Get() && size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.Get(), size);
    return result;
}

// A BSTR (which may hold NULs) as an ANSI text of the system code page; null
// reads as empty.
inline std::string BstrToAnsi(BSTR text) {
    const int length = text ? static_cast<int>(SysStringLen(text)) : 0;
    if (length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), size, nullptr, nullptr);
    return result;
}
