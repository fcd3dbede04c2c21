// libFuzzer target for the skin archive reader: any bytes either load or end
// in one of the reader's errors; what loads holds exactly the entries' sizes,
// and the warning box appears only for a wrong magic, once.
#include "SkinFuzzPlatform.h"
#include "skin/qzSkinPack.h"

#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TFuzzPlatform platform;
    SetSkinPlatform(&platform);
    platform.Warnings = 0;
    TMemoryStream source(std::vector<uint8_t>(data, data + size));
    source.Seek(size / 2); // the reader starts at 0 whatever the position
    TqzSkinConvertor reader;
    try {
        reader.LoadFromStream(source);
    } catch (const EqzCompressionError&) {
        return 0;
    } catch (const Exception& error) {
        Check(std::strcmp(error.what(), "Stream read error") == 0);
        return 0;
    }
    const bool magic = size >= 4 && std::memcmp(data, "QTzf", 4) == 0;
    Check(platform.Warnings == (magic ? 0 : 1));
    if (!magic)
        Check(!reader.OptionsText && reader.PictureEntries.empty());
    for (const TqzImageItem& item : reader.PictureEntries)
        if (TqzImageItem* found = reader.FindImage(item.EntryName))
            Check(found->Content.Position() == 0);
    return 0;
}
