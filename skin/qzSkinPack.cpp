#include "qzSkinPack.h"
#include "sPlatform.h"
#include "sText.h"

#include <zlib.h>

#include <cstring>

namespace {

class TInflater {
public:
    TInflater() {
        if (int code = inflateInit(&stream_); code != Z_OK)
            throw EqzCompressionError(stream_.msg ? stream_.msg : zError(code), code);
    }
    ~TInflater() { inflateEnd(&stream_); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
};

bool IsOptionsName(std::string_view name) {
    return sText::Same(name, "Options.dat");
}

} // namespace

std::vector<uint8_t> InflateEntry(TMemoryStream& source, int32_t size, size_t blockSize) {
    if (size < 0)
        RaiseStreamReadError();
    TInflater inflater;
    z_stream& zs = inflater.Stream();
    std::vector<uint8_t> input(blockSize);
    // The output grows with what the stream really yields: a hostile size
    // announces memory that is never taken up front.
    std::vector<uint8_t> output;
    uint8_t chunk[16384];
    for (;;) {
        if (zs.avail_in == 0) {
            const size_t got = source.Read(input.data(), input.size());
            if (got == 0)
                RaiseStreamReadError(); // the archive ends inside the stream
            zs.next_in = input.data();
            zs.avail_in = static_cast<uInt>(got);
        }
        zs.next_out = chunk;
        zs.avail_out = sizeof chunk;
        int code = inflate(&zs, Z_NO_FLUSH);
        if (code == Z_NEED_DICT)
            code = Z_DATA_ERROR;
        if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR)
            throw EqzCompressionError(zs.msg ? zs.msg : zError(code), code);
        const size_t produced = sizeof chunk - zs.avail_out;
        if (output.size() + produced > static_cast<size_t>(size))
            RaiseStreamReadError(); // more than the entry's stated size
        output.insert(output.end(), chunk, chunk + produced);
        if (code == Z_STREAM_END) {
            // Hand back what was read past the stream: the next entry starts there.
            source.Seek(source.Position() - zs.avail_in);
            break;
        }
    }
    if (output.size() != static_cast<size_t>(size))
        RaiseStreamReadError();
    return output;
}

void TqzSkinConvertor::LoadFromStream(TMemoryStream& source) {
    Clear();
    Parse(source);
}

void TqzSkinConvertor::LoadFromFile(const std::string& path, bool release) {
    TsSkinPlatform& platform = SkinPlatform();
    if (!platform.FileExists(path))
        return;
    Clear();
    auto bytes = platform.ReadWholeFile(path);
    if (!bytes)
        RaiseStreamReadError();
    ownedSource_ = std::make_unique<TMemoryStream>(std::move(*bytes));
    Parse(*ownedSource_);
    if (release)
        ownedSource_.reset();
}

void TqzSkinConvertor::Parse(TMemoryStream& source) {
    source.Seek(0);
    char magic[4] = {};
    if (source.Read(magic, 4) != 4 || std::memcmp(magic, QtzMagic, 4) != 0) {
        SkinPlatform().ShowWarning(QtzNotPackedText, "Warning");
        Clear();
        return;
    }
    const int32_t count = source.ReadInt32();
    PictureEntryCount = count - 1;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t nameLength = source.ReadInt32();
        // A name longer than what is left cannot be read: say so before taking memory for it.
        if (nameLength < 0 || static_cast<size_t>(nameLength) > source.Remaining())
            RaiseStreamReadError();
        std::string name(static_cast<size_t>(nameLength), '\0');
        source.ReadBuffer(name.data(), name.size());
        const int32_t size = source.ReadInt32();
        std::vector<uint8_t> content = InflateEntry(source, size);
        if (IsOptionsName(name)) {
            OptionsText = std::make_unique<TMemoryStream>(std::move(content));
        } else {
            TqzImageItem item;
            item.IsBmp = sText::EndsWithNoCase(name, ".BMP");
            item.EntryName = std::move(name);
            item.Content = TMemoryStream(std::move(content));
            PictureEntries.push_back(std::move(item));
        }
    }
}

void TqzSkinConvertor::Clear() {
    while (!PictureEntries.empty())
        PictureEntries.pop_back();
    PictureEntryCount = 0;
    OptionsText.reset();
    ownedSource_.reset();
}

TqzImageItem* TqzSkinConvertor::FindImage(std::string_view name) {
    // The walk covers the announced count, never more items than were read.
    const size_t limit = PictureEntryCount > 0 ? static_cast<size_t>(PictureEntryCount) : 0;
    for (size_t i = 0; i < PictureEntries.size() && i < limit; ++i) {
        if (sText::Same(PictureEntries[i].EntryName, name)) {
            PictureEntries[i].Content.Seek(0);
            return &PictureEntries[i];
        }
    }
    return nullptr;
}
