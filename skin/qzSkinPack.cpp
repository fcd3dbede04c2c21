#include "qzSkinPack.h"
#include "sPlatform.h"
#include "base/Text.h"

#include <zlib.h>

#include <algorithm>
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
    return SameText(name, "Options.dat");
}

} // namespace

std::vector<uint8_t> InflateEntry(TMemoryStream& source, int32_t size, size_t blockSize) {
    if (size < 0)
        RaiseStreamReadError();
    TInflater inflater;
    z_stream& zs = inflater.Stream();
    const std::unique_ptr<uint8_t[]> input(new uint8_t[blockSize]);
    // The output is sized by what the rest of the archive can inflate to at
    // most (deflate packs at best about 1:1032), never by the stated size alone:
    // a hostile size announces memory that is never taken up front.
    const size_t stated = static_cast<size_t>(size);
    std::vector<uint8_t> output(std::min(stated, source.Remaining() * 1032 + 64));
    size_t produced = 0;
    for (;;) {
        if (zs.avail_in == 0) {
            const size_t got = source.Read(input.get(), blockSize);
            if (got == 0)
                RaiseStreamReadError(); // the archive ends inside the stream
            zs.next_in = input.get();
            zs.avail_in = static_cast<uInt>(got);
        }
        if (produced == output.size()) {
            // Full: one byte more shows a stream that runs past its stated size.
            output.resize(produced < stated ? std::min(stated, std::max<size_t>(produced * 2, 4096))
                                            : produced + 1);
        }
        const size_t room = std::min<size_t>(output.size() - produced, 1u << 30);
        zs.next_out = output.data() + produced;
        zs.avail_out = static_cast<uInt>(room);
        int code = inflate(&zs, Z_NO_FLUSH);
        if (code == Z_NEED_DICT)
            code = Z_DATA_ERROR;
        if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR)
            throw EqzCompressionError(zs.msg ? zs.msg : zError(code), code);
        produced += room - zs.avail_out;
        if (produced > stated)
            RaiseStreamReadError(); // more than the entry's stated size
        if (code == Z_STREAM_END) {
            // Hand back what was read past the stream: the next entry starts there.
            source.Seek(source.Position() - zs.avail_in);
            break;
        }
    }
    if (produced != stated)
        RaiseStreamReadError();
    output.resize(produced);
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
    // N - 1 in 32-bit arithmetic: the lowest count wraps round instead of
    // overflowing (no entry is read for a negative count).
    PictureEntryCount = static_cast<int32_t>(static_cast<uint32_t>(count) - 1u);
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
            item.IsBmp = EndsWithText(name, ".BMP");
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
        if (SameText(PictureEntries[i].EntryName, name)) {
            PictureEntries[i].Content.Seek(0);
            return &PictureEntries[i];
        }
    }
    return nullptr;
}
