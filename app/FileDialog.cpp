#include "FileDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>

TFileDialog::TFileDialog(Kind kind, std::string title, std::string filter, std::string defaultExt,
                         std::string fileName, DWORD options)
    : kind_(kind), title_(std::move(title)), filter_(std::move(filter)), defaultExt_(std::move(defaultExt)),
      fileName_(std::move(fileName)), options_(options) {}

OPENFILENAMEA TFileDialog::Describe(HWND owner, char* buffer, std::string& filterStorage) const {
    filterStorage = filter_;
    for (char& c : filterStorage)
        if (c == '|')
            c = '\0';
    filterStorage.append(2, '\0');

    const size_t length = std::min(fileName_.size(), static_cast<size_t>(MAX_PATH - 1));
    std::memcpy(buffer, fileName_.data(), length);
    buffer[length] = '\0';

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterStorage.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title_.c_str();
    ofn.lpstrDefExt = defaultExt_.c_str();
    ofn.Flags = options_ | OFN_EXPLORER;
    return ofn;
}

bool TFileDialog::Execute(HWND owner) {
    char buffer[MAX_PATH];
    std::string filter;
    OPENFILENAMEA ofn = Describe(owner, buffer, filter);
    const BOOL confirmed = kind_ == Kind::Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!confirmed)
        return false;
    fileName_ = buffer;
    return true;
}
