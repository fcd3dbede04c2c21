#include "Clipboard.h"

#include "report/SystemMessage.h"
#include "base/Exception.h"
#include "base/win/Handles.h"

#include <cstring>

namespace {

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        if (!OpenClipboard(owner))
            throw Exception("Cannot open clipboard");
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

[[noreturn]] void ThrowCannotCopy() {
    throw Exception(
        FormatText("Cannot copy to the clipboard. %s", SystemErrorMessage(GetLastError()).c_str()));
}

} // namespace

void PutClipboardText(HWND owner, std::string_view text) {
    OpenedClipboard clipboard(owner);
    EmptyClipboard();
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory)
        ThrowCannotCopy();
    auto* bytes = static_cast<char*>(GlobalLock(memory.Get()));
    if (!bytes)
        ThrowCannotCopy();
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    GlobalUnlock(memory.Get());
    if (!SetClipboardData(CF_TEXT, memory.Get()))
        ThrowCannotCopy();
    memory.Release(); // the clipboard owns it now
}
