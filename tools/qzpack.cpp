// Packs a skin folder into a skin archive, unpacks an archive into a folder,
// and lists an archive's entries with its skin's sections and masks.
//
//   qzpack pack <folder> <archive>     Options.dat first, then the pictures by name
//   qzpack unpack <archive> <folder>
//   qzpack list <archive>
#include "qzArchiveWriter.h"
#include "skin/qzSkinPack.h"
#include "skin/sIniFile.h"
#include "skin/sMaskValue.h"
#include "base/Text.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct TRawEntry {
    std::string Name;
    size_t Packed = 0;
    std::vector<uint8_t> Content;
};

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw Exception(FormatText("Cannot open '%s'", path.c_str()));
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw Exception(FormatText("Cannot write '%s'", path.c_str()));
}

// Every entry as stored, with the length of its zlib stream.
std::vector<TRawEntry> ReadEntries(const std::string& path) {
    TMemoryStream source(ReadFile(path));
    char magic[4] = {};
    if (source.Read(magic, 4) != 4 || std::string(magic, 4) != std::string(QtzMagic, 4))
        throw Exception(QtzNotPackedText);
    const int32_t count = source.ReadInt32();
    std::vector<TRawEntry> entries;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t length = source.ReadInt32();
        if (length < 0 || static_cast<size_t>(length) > source.Remaining())
            RaiseStreamReadError();
        TRawEntry entry;
        entry.Name.resize(static_cast<size_t>(length));
        source.ReadBuffer(entry.Name.data(), entry.Name.size());
        const int32_t size = source.ReadInt32();
        const size_t start = source.Position();
        entry.Content = InflateEntry(source, size);
        entry.Packed = source.Position() - start;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string Describe(const TRawEntry& entry) {
    if (SameText(entry.Name, "Options.dat"))
        return "options text";
    std::unique_ptr<TsBitmap24> picture = entry.Content.size() >= 2 && entry.Content[0] == 'B'
                                              ? DecodeBmp(entry.Content.data(), entry.Content.size())
                                              : DecodeJpeg(entry.Content.data(), entry.Content.size());
    const char* kind = EndsWithText(entry.Name, ".BMP") ? "bitmap" : "JPEG";
    if (!picture)
        return std::string(kind) + ", unreadable";
    return FormatText("%s %d x %d", kind, picture->Width, picture->Height);
}

const char* KindName(TqzImgType kind) {
    return kind == itisaBorder ? "border" : kind == itisaTexture ? "texture" : "glyph";
}

// The size of a picture entry, by its name without regard to letter case.
std::optional<TRect> PictureRect(const std::vector<TRawEntry>& entries, const std::string& name) {
    for (const TRawEntry& e : entries)
        if (SameText(e.Name, name))
            if (auto picture = DecodeBmp(e.Content.data(), e.Content.size()))
                return TRect{0, 0, picture->Width, picture->Height};
    return std::nullopt;
}

void ListSkin(const std::string& options, const std::vector<TRawEntry>& entries) {
    const TsIniText ini(options);
    std::printf("\n%zu sections\n", ini.Sections().size());
    for (const TsIniSection& section : ini.Sections()) {
        std::string parent;
        if (const TsIniKey* p = section.Find("PARENTCLASS"))
            parent = " (PARENTCLASS " + p->Value + ")";
        std::printf("[%s]%s\n", section.Name.c_str(), parent.c_str());
        for (const TsIniKey& key : section.Keys) {
            if (SameText(section.Name, "GLOBALINFO") && SameText(key.Name, "MASTERBITMAP")) {
                std::printf("  %-16s master bitmap %s\n", key.Name.c_str(), key.Value.c_str());
                continue;
            }
            std::optional<TsMaskValue> mask;
            try {
                mask = ParseMaskValue(key.Value);
            } catch (const Exception& error) {
                std::printf("  %-16s error: %s\n", key.Name.c_str(), error.what());
                continue;
            }
            if (!mask)
                continue;
            TsMaskData& m = mask->Mask;
            if (mask->Source == msPicture) {
                const auto rect = PictureRect(entries, mask->PictureName);
                if (!rect) {
                    std::printf("  %-16s %s: no such bitmap, no mask\n", key.Name.c_str(),
                                mask->PictureName.c_str());
                    continue;
                }
                m.R = *rect;
                if (mask->DivisionMargins)
                    ApplyDivisionMargins(m);
                mask->DivisionMargins = false;
            }
            if (mask->Source == msJpeg) {
                std::printf("  %-16s JPEG %s\n", key.Name.c_str(), mask->PictureName.c_str());
                continue;
            }
            const std::string where =
                mask->Source == msPicture
                    ? FormatText("%s %dx%d", mask->PictureName.c_str(), m.R.Width(), m.R.Height())
                    : FormatText("(%d,%d)-(%d,%d) %dx%d", m.R.Left, m.R.Top, m.R.Right, m.R.Bottom,
                                 m.R.Width(), m.R.Height());
            std::string frame;
            if (m.ImageCount > 0)
                frame =
                    FormatText(" frame %dx%d", m.R.Width() / m.ImageCount, m.R.Height() / (m.MaskType + 1));
            std::string margins;
            if (m.ImgType == itisaBorder && !mask->DivisionMargins)
                margins = FormatText(" margins %d/%d/%d/%d", m.WL, m.WT, m.WR, m.WB);
            std::printf("  %-16s %-7s %s frames %d mask rows %d%s stretch %d%s\n", key.Name.c_str(),
                        KindName(m.ImgType), where.c_str(), m.ImageCount, m.MaskType, frame.c_str(),
                        m.StretchMode, margins.c_str());
        }
    }
}

int List(const std::string& archive) {
    const std::vector<TRawEntry> entries = ReadEntries(archive);
    std::printf("%s: %zu entries\n", archive.c_str(), entries.size());
    std::printf("  #  %-14s %8s %8s  %s\n", "entry", "size", "packed", "content");
    const std::string* options = nullptr;
    std::string optionsText;
    for (size_t i = 0; i < entries.size(); ++i) {
        const TRawEntry& e = entries[i];
        std::printf("%3zu  %-14s %8zu %8zu  %s\n", i + 1, e.Name.c_str(), e.Content.size(), e.Packed,
                    Describe(e).c_str());
        if (SameText(e.Name, "Options.dat")) {
            optionsText.assign(e.Content.begin(), e.Content.end());
            options = &optionsText;
        }
    }
    if (options)
        ListSkin(*options, entries);
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: qzpack pack <folder> <archive>\n"
                         "       qzpack unpack <archive> <folder>\n"
                         "       qzpack list <archive>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "pack" && argc == 4) {
            WriteFile(argv[3], PackArchive(ReadSkinFolder(argv[2])));
            return 0;
        }
        if (command == "unpack" && argc == 4) {
            std::filesystem::create_directories(argv[3]);
            for (const TRawEntry& entry : ReadEntries(argv[2])) {
                if (entry.Name.find_first_of("/\\:") != std::string::npos || entry.Name == ".." ||
                    entry.Name.empty())
                    throw Exception(FormatText("Entry name '%s' is no plain file name", entry.Name.c_str()));
                WriteFile(std::string(argv[3]) + "/" + entry.Name, entry.Content);
            }
            return 0;
        }
        if (command == "list" && argc == 3)
            return List(argv[2]);
        return Usage();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qzpack: %s\n", error.what());
        return 1;
    }
}
