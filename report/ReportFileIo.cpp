#include "ReportFileIo.h"

#include "ReportFile.h"
#include "SystemMessage.h"
#include "base/Exception.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr DWORD kChunk = 1 << 20;

// The message names the file by its full path.
[[noreturn]] void ThrowCannotCreate(const std::string& fileName, DWORD code) {
    throw Exception(
        FormatText("Cannot create file \"%s\". %s", fileName.c_str(), SystemErrorMessage(code).c_str()));
}

// The temporary file the new content is written to, removed again unless it
// was moved into the target's place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() {
        handle.Reset();
        if (!path.empty())
            DeleteFileA(path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Makes a new file in folder (which ends with a backslash), opened for
    // writing with no sharing. Returns the error code, or 0.
    DWORD Create(const std::string& folder) {
        DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
        for (int attempt = 0; attempt < 64; ++attempt, seed = seed * 1103515245u + 12345u) {
            const std::string candidate = folder + FormatText("~kst%04lX.tmp", (seed >> 8) & 0xFFFFul);
            handle.Reset(CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
            if (handle) {
                path = candidate;
                return 0;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                return error;
        }
        return ERROR_FILE_EXISTS;
    }

    // The file has taken the target's place: nothing is left to remove.
    void Keep() { path.clear(); }

    UniqueHandle handle;
    std::string path;
};

DWORD WriteWhole(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD size = static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), size, &written, nullptr))
            return GetLastError();
        if (written != size)
            return ERROR_DISK_FULL;
        bytes.remove_prefix(size);
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

// Puts the temporary in the target's place, replacing the target.
DWORD MoveIntoPlace(TemporaryFile& temporary, const std::string& target, bool targetExists) {
    if (MoveFileExA(temporary.path.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temporary.Keep();
        return 0;
    }
    DWORD error = GetLastError();
    if (error != ERROR_CALL_NOT_IMPLEMENTED)
        return error;
    // Windows 9x cannot replace in one step. Once the old file is gone the
    // temporary holds the only copy of the report, so it is kept whatever
    // happens next.
    if (targetExists && !DeleteFileA(target.c_str()))
        return GetLastError();
    const std::string written = temporary.path;
    temporary.Keep();
    return MoveFileA(written.c_str(), target.c_str()) ? 0 : GetLastError();
}

// The file's full path as messages name it; the name as given when it has none.
std::string FullPath(const std::string& fileName) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(fileName.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : fileName;
}

} // namespace

void WriteReportFile(const std::string& givenName, std::string_view bytes) {
    char full[MAX_PATH];
    char* namePart = nullptr;
    const DWORD fullLength = GetFullPathNameA(givenName.c_str(), MAX_PATH, full, &namePart);
    if (fullLength == 0)
        ThrowCannotCreate(givenName, GetLastError());
    if (fullLength >= MAX_PATH)
        ThrowCannotCreate(givenName, ERROR_FILENAME_EXCED_RANGE);
    const std::string target(full, fullLength);
    const std::string folder = namePart ? std::string(full, namePart - full) : target;

    // The file being replaced is held with no sharing until the new one is
    // ready: a file another program has open, a read-only file or a folder
    // fails here, before anything is written.
    UniqueHandle existing(CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD carriedAttributes = 0;
    if (existing) {
        BY_HANDLE_FILE_INFORMATION information;
        if (!GetFileInformationByHandle(existing.Get(), &information))
            ThrowCannotCreate(target, GetLastError());
        // Windows refuses to open a read-only file for writing; a file system
        // that lets the owner through (Wine as root) must not change that.
        if (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            ThrowCannotCreate(target, ERROR_ACCESS_DENIED);
        carriedAttributes = information.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    } else if (const DWORD error = GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        ThrowCannotCreate(target, error);
    }

    TemporaryFile temporary;
    if (const DWORD error = temporary.Create(folder))
        ThrowCannotCreate(target, error);
    if (const DWORD error = WriteWhole(temporary.handle.Get(), bytes))
        ThrowCannotCreate(target, error);
    if (!CloseHandle(temporary.handle.Release()))
        ThrowCannotCreate(target, GetLastError());
    if (carriedAttributes)
        SetFileAttributesA(temporary.path.c_str(), carriedAttributes);

    const bool targetExists = static_cast<bool>(existing);
    existing.Reset();
    if (const DWORD error = MoveIntoPlace(temporary, target, targetExists))
        ThrowCannotCreate(target, error);
}

std::vector<TReportRow> ReadReportFile(const std::string& givenName) {
    UniqueHandle file(CreateFileA(givenName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    const DWORD openError = file ? 0 : GetLastError();
    const std::string fileName = FullPath(givenName);
    if (!file)
        throw Exception(FormatText("Cannot open file \"%s\". %s", fileName.c_str(),
                                   SystemErrorMessage(openError).c_str()));

    std::vector<TReportRow> rows;
    auto addRow = [&rows](std::string_view line) { rows.push_back(ReportRowFromLine(line)); };
    TLineSplitter splitter;
    std::string buffer(kChunk, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer.data(), kChunk, &read, nullptr))
            throw Exception(FormatText("Cannot read file \"%s\". %s", fileName.c_str(),
                                       SystemErrorMessage(GetLastError()).c_str()));
        if (read == 0 || !splitter.Feed(std::string_view(buffer.data(), read), addRow))
            break;
    }
    splitter.Finish(addRow);
    return rows;
}
