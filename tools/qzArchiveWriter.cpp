#include "qzArchiveWriter.h"
#include "base/Exception.h"
#include "base/Text.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

void PutInt32(std::vector<uint8_t>& out, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

} // namespace

std::vector<uint8_t> PackArchive(const std::vector<TqzArchiveEntry>& entries, int level) {
    std::vector<uint8_t> out = {'Q', 'T', 'z', 'f'};
    PutInt32(out, static_cast<int32_t>(entries.size()));
    for (const TqzArchiveEntry& entry : entries) {
        PutInt32(out, static_cast<int32_t>(entry.Name.size()));
        out.insert(out.end(), entry.Name.begin(), entry.Name.end());
        PutInt32(out, static_cast<int32_t>(entry.Content.size()));
        uLongf packedSize = compressBound(static_cast<uLong>(entry.Content.size()));
        std::vector<uint8_t> packed(packedSize);
        const int code = compress2(packed.data(), &packedSize, entry.Content.data(),
                                   static_cast<uLong>(entry.Content.size()), level);
        if (code != Z_OK)
            throw Exception(FormatText("Cannot compress '%s': %s", entry.Name.c_str(), zError(code)));
        out.insert(out.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize));
    }
    return out;
}

std::vector<TqzArchiveEntry> ReadSkinFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (const fs::directory_entry& item : fs::directory_iterator(folder))
        if (item.is_regular_file())
            files.push_back(item.path());
    auto key = [](const fs::path& p) {
        const std::string name = p.filename().string();
        return std::make_pair(!SameText(name, "Options.dat"), UpperText(name));
    };
    std::sort(files.begin(), files.end(),
              [&](const fs::path& a, const fs::path& b) { return key(a) < key(b); });
    std::vector<TqzArchiveEntry> entries;
    for (const fs::path& path : files) {
        std::ifstream file(path, std::ios::binary);
        if (!file)
            throw Exception(FormatText("Cannot open '%s'", path.string().c_str()));
        entries.push_back(
            {path.filename().string(),
             std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>())});
    }
    return entries;
}
