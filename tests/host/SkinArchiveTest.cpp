// The packed skin archive: what the writer packs the reader gives back, entry
// by entry, and every damaged archive fails the way the program reports it.
#include "SkinTestPlatform.h"
#include "skin/qzSkinPack.h"
#include "tools/qzArchiveWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> ReadDiskFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> Pattern(size_t size, unsigned seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

// Loads an archive held in bytes; the error text, or "" when it loaded.
std::string Load(TqzSkinConvertor& reader, const std::vector<uint8_t>& archive) {
    TMemoryStream stream(archive);
    try {
        reader.LoadFromStream(stream);
    } catch (const Exception& error) {
        return error.what();
    }
    return "";
}

// Offset of the first byte of entry index's zlib stream in a packed archive.
size_t StreamOffset(const std::vector<TqzArchiveEntry>& entries, size_t index) {
    std::vector<TqzArchiveEntry> before(entries.begin(),
                                        entries.begin() + static_cast<std::ptrdiff_t>(index));
    size_t offset = before.empty() ? 8 : PackArchive(before).size();
    return offset + 4 + entries[index].Name.size() + 4;
}

} // namespace

TEST(SkinArchive, TheInternalSkinFolderRoundTripsByteForByte) {
    TSkinTestPlatform platform;
    const std::vector<TqzArchiveEntry> folder = ReadSkinFolder(KESTOVA_ZUR_FOLDER);
    ASSERT_EQ(folder.size(), 4u);
    // The writer's archive and the one the build packed into the program.
    for (const std::vector<uint8_t>& archive : {PackArchive(folder), ReadDiskFile(KESTOVA_ZUR_ARCHIVE)}) {
        TqzSkinConvertor reader;
        ASSERT_EQ(Load(reader, archive), "");
        ASSERT_TRUE(reader.OptionsText);
        EXPECT_EQ(reader.OptionsText->Bytes(),
                  ReadDiskFile(std::string(KESTOVA_ZUR_FOLDER) + "/Options.dat"));
        ASSERT_EQ(reader.PictureEntryCount, 3);
        ASSERT_EQ(reader.PictureEntries.size(), 3u);
        for (const TqzImageItem& item : reader.PictureEntries) {
            EXPECT_TRUE(item.IsBmp) << item.EntryName;
            EXPECT_EQ(item.Content.Bytes(),
                      ReadDiskFile(std::string(KESTOVA_ZUR_FOLDER) + "/" + item.EntryName))
                << item.EntryName;
        }
    }
    EXPECT_TRUE(platform.Warnings.empty());
}

TEST(SkinArchive, EntriesWhoseStreamsFollowEachOtherInOneBlock) {
    const std::vector<TqzArchiveEntry> entries = {
        {"Options.dat", Bytes("[GLOBALINFO]\r\nVERSION=1\r\n")},
        {"First.bmp", Pattern(300, 1)},
        {"Second.bmp", std::vector<uint8_t>(5000, 'x')},
        {"Empty.bmp", {}},
    };
    const std::vector<uint8_t> archive = PackArchive(entries);
    ASSERT_LT(archive.size(), TqzSkinConvertor::InputBlockSize); // all of it is read in the first block

    TqzSkinConvertor reader;
    ASSERT_EQ(Load(reader, archive), "");
    EXPECT_EQ(reader.OptionsText->Bytes(), entries[0].Content);
    ASSERT_EQ(reader.PictureEntries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(reader.PictureEntries[i].EntryName, entries[i + 1].Name);
        EXPECT_EQ(reader.PictureEntries[i].Content.Bytes(), entries[i + 1].Content);
    }

    // Small input blocks: the streams now also end and begin across block edges.
    for (size_t block : {1u, 2u, 7u, 64u}) {
        TMemoryStream source(archive);
        source.Seek(StreamOffset(entries, 1));
        EXPECT_EQ(InflateEntry(source, 300, block), entries[1].Content) << block;
        EXPECT_EQ(source.Position(), StreamOffset(entries, 2) - 4 - entries[2].Name.size() - 4) << block;
    }
}

TEST(SkinArchive, StreamsLongerThanOneInputBlock) {
    const std::vector<TqzArchiveEntry> entries = {{"Options.dat", Bytes("[A]\r\n")},
                                                  {"Big.bmp", Pattern(200000, 7)}, // hardly compressible
                                                  {"After.bmp", Pattern(10, 3)}};
    TqzSkinConvertor reader;
    ASSERT_EQ(Load(reader, PackArchive(entries)), "");
    ASSERT_EQ(reader.PictureEntries.size(), 2u);
    EXPECT_EQ(reader.PictureEntries[0].Content.Bytes(), entries[1].Content);
    EXPECT_EQ(reader.PictureEntries[1].Content.Bytes(), entries[2].Content);
}

TEST(SkinArchive, OptionsOnlyArchiveWithALowerCaseName) {
    TqzSkinConvertor reader;
    ASSERT_EQ(Load(reader, PackArchive({{"options.dat", Bytes("[FORM]\r\n")}})), "");
    ASSERT_TRUE(reader.OptionsText);
    EXPECT_EQ(reader.OptionsText->View(), "[FORM]\r\n");
    EXPECT_TRUE(reader.PictureEntries.empty());
    EXPECT_EQ(reader.PictureEntryCount, 0);
}

TEST(SkinArchive, ImagesAreFoundWithoutRegardToCase) {
    TqzSkinConvertor reader;
    ASSERT_EQ(Load(reader, PackArchive({{"Options.dat", {}},
                                        {"Master.bmp", Bytes("BM-master")},
                                        {"Pic.Jpeg", Bytes("jpeg")},
                                        {"master.BMP", Bytes("second")}})),
              "");
    TqzImageItem* master = reader.FindImage("MASTER.BMP");
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->EntryName, "Master.bmp"); // the first of two matches
    EXPECT_TRUE(master->IsBmp);
    char first = 0;
    master->Content.Read(&first, 1);
    EXPECT_EQ(reader.FindImage("master.bmp")->Content.Position(), 0u); // rewound for every caller
    TqzImageItem* jpeg = reader.FindImage("pic.jpeg");
    ASSERT_NE(jpeg, nullptr);
    EXPECT_FALSE(jpeg->IsBmp);
    EXPECT_EQ(reader.FindImage("Missing.bmp"), nullptr);
}

TEST(SkinArchive, ReadingTheSameBufferTwiceGivesTheSameSkin) {
    TMemoryStream stored(PackArchive({{"Options.dat", Bytes("[X]\r\n")}, {"A.bmp", Bytes("a")}}));
    TqzSkinConvertor reader;
    for (int round = 0; round < 2; ++round) {
        stored.Seek(stored.Size()); // wherever the buffer was left
        reader.LoadFromStream(stored);
        ASSERT_TRUE(reader.OptionsText);
        EXPECT_EQ(reader.OptionsText->View(), "[X]\r\n");
        ASSERT_EQ(reader.PictureEntries.size(), 1u);
    }
}

TEST(SkinArchive, WrongMagicWarnsOnceAndYieldsNothing) {
    TSkinTestPlatform platform;
    TqzSkinConvertor reader;
    ASSERT_EQ(Load(reader, PackArchive({{"Options.dat", Bytes("[X]")}})), "");
    std::vector<uint8_t> archive = PackArchive({{"Options.dat", Bytes("[X]")}, {"A.bmp", Bytes("a")}});
    for (const char* magic : {"QTZF", "PK\x03\x04", "qtzf"}) {
        std::copy(magic, magic + 4, archive.begin());
        platform.Warnings.clear();
        EXPECT_EQ(Load(reader, archive), "");
        EXPECT_EQ(platform.Warnings,
                  std::vector<std::string>{"Warning: Loaded data is not packed Vantrel file"});
        EXPECT_FALSE(reader.OptionsText);
        EXPECT_TRUE(reader.PictureEntries.empty());
    }
    platform.Warnings.clear();
    EXPECT_EQ(Load(reader, {'Q', 'T'}), ""); // shorter than the magic
    EXPECT_EQ(platform.Warnings.size(), 1u);
}

TEST(SkinArchive, CorruptCompressedDataCarriesZlibsMessageAndCode) {
    const std::vector<TqzArchiveEntry> entries = {{"Options.dat", Bytes("[GLOBALINFO]\r\nVERSION=5.43\r\n")}};
    const std::vector<uint8_t> good = PackArchive(entries);
    const size_t stream = StreamOffset(entries, 0);
    struct {
        const char* what;
        size_t offset;
        uint8_t value;
    } cases[] = {{"header", stream, 0x79}, {"block type", stream + 2, 0xFF}, {"trailer", good.size() - 1, 0}};
    for (const auto& c : cases) {
        std::vector<uint8_t> bad = good;
        bad[c.offset] ^= c.value ? c.value : 0x5A;
        // zlib itself says what is wrong with that stream.
        z_stream zs{};
        inflateInit(&zs);
        std::vector<uint8_t> out(256);
        zs.next_in = bad.data() + stream;
        zs.avail_in = static_cast<uInt>(bad.size() - stream);
        zs.next_out = out.data();
        zs.avail_out = static_cast<uInt>(out.size());
        const int code = inflate(&zs, Z_NO_FLUSH);
        const std::string message = zs.msg ? zs.msg : "";
        inflateEnd(&zs);
        ASSERT_EQ(code, Z_DATA_ERROR) << c.what;

        TqzSkinConvertor reader;
        TMemoryStream source(bad);
        try {
            reader.LoadFromStream(source);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EqzCompressionError& error) {
            EXPECT_EQ(error.Message(), message) << c.what;
            EXPECT_EQ(error.Code(), Z_DATA_ERROR) << c.what;
        }
    }
}

TEST(SkinArchive, DataCutShortIsAStreamReadError) {
    const std::vector<TqzArchiveEntry> entries = {{"Options.dat", Bytes("[FORM]\r\nCOLOR=1\r\n")},
                                                  {"Pic.bmp", Pattern(100, 2)}};
    const std::vector<uint8_t> archive = PackArchive(entries);
    const size_t secondHeader = StreamOffset(entries, 1) - 4 - entries[1].Name.size() - 4;
    // Every cut inside the count, a name length, a name, a size or a stream.
    for (size_t cut = 4; cut < archive.size(); ++cut) {
        TqzSkinConvertor reader;
        EXPECT_EQ(Load(reader, std::vector<uint8_t>(archive.begin(), archive.begin() + cut)),
                  "Stream read error")
            << "cut at " << cut << " (second entry at " << secondHeader << ")";
    }
}

TEST(SkinArchive, StatedSizesThatDisagreeWithTheStreamFail) {
    const std::vector<uint8_t> content = Pattern(64, 5);
    for (int32_t stated : {0, 63, 65, -1, 0x7FFFFFFF}) {
        std::vector<uint8_t> archive = PackArchive({{"A.bmp", content}});
        const size_t sizeField = 8 + 4 + 5;
        for (int i = 0; i < 4; ++i)
            archive[sizeField + i] = static_cast<uint8_t>(static_cast<uint32_t>(stated) >> (8 * i));
        TqzSkinConvertor reader;
        EXPECT_EQ(Load(reader, archive), "Stream read error") << stated;
    }
}

TEST(SkinArchive, HostileHeadersFailWithoutTakingTheDeclaredMemory) {
    auto header = [](std::initializer_list<int32_t> words, std::string_view tail = "") {
        std::vector<uint8_t> bytes = {'Q', 'T', 'z', 'f'};
        for (int32_t w : words)
            for (int i = 0; i < 4; ++i)
                bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(w) >> (8 * i)));
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    struct {
        const char* what;
        std::vector<uint8_t> archive;
    } cases[] = {
        {"huge count", header({0x7FFFFFFF, 1}, "A")},
        {"huge name length", header({1, 0x7FFFFFFF}, "name")},
        {"negative name length", header({1, -5})},
        {"huge size, no stream", header({1, 1}, "A\xFF\xFF\xFF\x7F")},
    };
    for (const auto& c : cases) {
        TqzSkinConvertor reader;
        EXPECT_EQ(Load(reader, c.archive), "Stream read error") << c.what;
    }
    TqzSkinConvertor reader; // no entries at all: an empty skin, no error
    EXPECT_EQ(Load(reader, header({0})), "");
    EXPECT_EQ(reader.PictureEntryCount, -1);
    EXPECT_EQ(reader.FindImage("A"), nullptr);
    // The lowest count reads no entry; its N - 1 wraps round as 32-bit arithmetic does.
    TqzSkinConvertor lowest;
    EXPECT_EQ(Load(lowest, header({INT32_MIN}, "O")), "");
    EXPECT_EQ(lowest.PictureEntryCount, INT32_MAX);
}

TEST(SkinArchive, AMissingFileLeavesTheReaderAsItWas) {
    TSkinTestPlatform platform;
    platform.Files["C:\\Skins\\Blue.qtz"] = PackArchive({{"Options.dat", Bytes("[BLUE]")}});
    TqzSkinConvertor reader;
    reader.LoadFromFile("C:\\Skins\\Blue.qtz");
    ASSERT_TRUE(reader.OptionsText);
    reader.LoadFromFile("C:\\Skins\\Missing.qtz");
    ASSERT_TRUE(reader.OptionsText);
    EXPECT_EQ(reader.OptionsText->View(), "[BLUE]");
    reader.Clear();
    EXPECT_FALSE(reader.OptionsText);
}
