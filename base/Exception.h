#pragma once
// The one error type of Kestova: a message text, shown to the user as it stands.
#include <memory>
#include <stdexcept>
#include <string>

// Where a registry error arose: the key's whole path from its root
// ("HKLM\SOFTWARE\Microsoft\DirectX") and the value's name. The message the
// user sees stays the same; the report program names the place beside it.
struct TErrorPlace {
    std::string RegistryKey;
    std::string ValueName;
};

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    Exception(const std::string& message, TErrorPlace place)
        : std::runtime_error(message), place_(std::make_shared<const TErrorPlace>(std::move(place))) {}
    std::string Message() const { return what(); }
    // nullptr when the error carries no place.
    const TErrorPlace* Place() const { return place_.get(); }

private:
    // Shared, so that copying an error in flight cannot fail.
    std::shared_ptr<const TErrorPlace> place_;
};

// printf-style message building for error texts such as "Failed to get data for '%s'".
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
