#include "SystemMessage.h"

#include "base/Exception.h"

std::string SystemErrorMessage(DWORD code) {
    char buffer[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  0, buffer, sizeof buffer, nullptr);
    while (length > 0 && static_cast<unsigned char>(buffer[length - 1]) <= ' ')
        --length;
    if (length == 0)
        return FormatText("System error %lu", static_cast<unsigned long>(code));
    return std::string(buffer, length);
}
