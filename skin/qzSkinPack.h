#pragma once
// The packed skin archive: "QTzf", an entry count, then per entry its name, its
// size and its file as one zlib stream. The reader hands out the options text
// and the pictures by name while the skin manager loads a skin.
#include "qzStreams.h"
#include "base/Exception.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TqzImageItem {
    std::string EntryName; // exactly as stored
    bool IsBmp = false;    // the upper-cased extension is ".BMP"
    TMemoryStream Content; // the inflated file
};
using TqzImageItems = std::vector<TqzImageItem>;

// Corrupt compressed data: zlib's own message and code.
class EqzCompressionError : public Exception {
public:
    EqzCompressionError(const std::string& message, int code) : Exception(message), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

class TqzSkinConvertor {
public:
    static constexpr size_t InputBlockSize = 65536;

    // Parses the archive from offset 0 of source, whatever its position; the
    // source is only borrowed. Wrong magic: the "Warning" box, then no data.
    void LoadFromStream(TMemoryStream& source);
    // Nothing happens when no file exists at path; otherwise the reader is
    // cleared and the file parsed; with release, the file copy is freed after.
    void LoadFromFile(const std::string& path, bool release = true);
    void Clear();
    // The first image item whose name equals name without regard to letter
    // case, its content rewound; nullptr when there is none.
    TqzImageItem* FindImage(std::string_view name);

    int PictureEntryCount = 0; // N - 1, as the header announces it
    TqzImageItems PictureEntries;
    std::unique_ptr<TMemoryStream> OptionsText;

private:
    void Parse(TMemoryStream& source);
    std::unique_ptr<TMemoryStream> ownedSource_;
};

// Inflates the zlib stream that starts at the source's position into exactly
// size bytes, reading the source in blocks of blockSize, and leaves the source
// on the first byte after the stream.
std::vector<uint8_t> InflateEntry(TMemoryStream& source, int32_t size,
                                  size_t blockSize = TqzSkinConvertor::InputBlockSize);

inline constexpr char QtzMagic[4] = {'Q', 'T', 'z', 'f'};
inline constexpr char QtzNotPackedText[] = "Loaded data is not packed Vantrel file";
