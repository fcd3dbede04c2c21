#include "Dask_SMBIOS_Dump.h"

#include "Dask_DMA_Range.h"
#include "Dask_SMBIOS_Layout.h"
#include "Dask_SMBIOS_Table.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kDumpTableOffset = 0x20;

void SetChecksum(std::uint8_t* bytes, std::size_t count, std::size_t checksumAt) {
    bytes[checksumAt] = 0;
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    bytes[checksumAt] = static_cast<std::uint8_t>(0x100 - sum);
}

template <typename T> void Put(std::vector<std::uint8_t>& bytes, std::size_t offset, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
}

} // namespace

std::optional<TSMBIOS_Image> ReadSmbiosDump(const std::vector<std::uint8_t>& file) {
    TDmaRange range;
    range.LoadFromBuffer(file.data(), 0, file.size());
    auto starts = [&](const char* anchor) {
        return file.size() >= std::strlen(anchor) &&
               std::memcmp(file.data(), anchor, std::strlen(anchor)) == 0;
    };
    TSMBIOS_EntryPoint ep;
    if (starts("_SM3_"))
        ep = ReadEntryPoint(range, 0, TEntryPointKind::epSMBIOS3);
    else if (starts("_SM_"))
        ep = ReadEntryPoint(range, 0, TEntryPointKind::epSMBIOS2);
    else if (starts("_DMI_")) {
        // Read through the 2.x offsets from 16 bytes before the anchor.
        TDmaRange shifted;
        shifted.SetStartAddress(offsetof(TRawEntryPoint2, IntermediateAnchor));
        shifted.LoadFromBuffer(file.data(), 0, file.size());
        ep = ReadEntryPoint(shifted, 0, TEntryPointKind::epLegacyDMI);
    } else
        return std::nullopt;
    TSMBIOS_Image image;
    image.MajorVersion = ep.MajorVersion;
    image.MinorVersion = ep.MinorVersion;
    if (ep.TableAddress < file.size()) {
        const std::size_t at = static_cast<std::size_t>(ep.TableAddress);
        const std::size_t count = std::min<std::uint64_t>(ep.TableLength, file.size() - at);
        image.Table.assign(file.begin() + at, file.begin() + at + count);
    }
    return image;
}

std::vector<std::uint8_t> WriteSmbiosDump(const TSMBIOS_Image& image, std::uint16_t structureCount) {
    std::vector<std::uint8_t> file(kDumpTableOffset, 0);
    if (image.MajorVersion < 3 && image.Table.size() <= 0xFFFF) {
        std::memcpy(file.data(), "_SM_", 4);
        Put<std::uint8_t>(file, offsetof(TRawEntryPoint2, Length), sizeof(TRawEntryPoint2));
        Put(file, offsetof(TRawEntryPoint2, MajorVersion), image.MajorVersion);
        Put(file, offsetof(TRawEntryPoint2, MinorVersion), image.MinorVersion);
        std::memcpy(file.data() + offsetof(TRawEntryPoint2, IntermediateAnchor), "_DMI_", 5);
        Put<std::uint16_t>(file, offsetof(TRawEntryPoint2, TableLength),
                           static_cast<std::uint16_t>(image.Table.size()));
        Put<std::uint32_t>(file, offsetof(TRawEntryPoint2, TableAddress), kDumpTableOffset);
        Put(file, offsetof(TRawEntryPoint2, StructureCount), structureCount);
        Put<std::uint8_t>(file, offsetof(TRawEntryPoint2, BcdRevision),
                          static_cast<std::uint8_t>((image.MajorVersion << 4) | (image.MinorVersion & 0x0F)));
        const std::size_t intermediate = offsetof(TRawEntryPoint2, IntermediateAnchor);
        SetChecksum(file.data() + intermediate, sizeof(TRawEntryPoint2) - intermediate,
                    offsetof(TRawEntryPoint2, IntermediateChecksum) - intermediate);
        SetChecksum(file.data(), sizeof(TRawEntryPoint2), offsetof(TRawEntryPoint2, Checksum));
    } else {
        std::memcpy(file.data(), "_SM3_", 5);
        Put<std::uint8_t>(file, offsetof(TRawEntryPoint3, Length), sizeof(TRawEntryPoint3));
        Put(file, offsetof(TRawEntryPoint3, MajorVersion), image.MajorVersion);
        Put(file, offsetof(TRawEntryPoint3, MinorVersion), image.MinorVersion);
        Put<std::uint8_t>(file, offsetof(TRawEntryPoint3, EntryPointRevision), 1);
        Put<std::uint32_t>(file, offsetof(TRawEntryPoint3, TableMaxSize),
                           static_cast<std::uint32_t>(image.Table.size()));
        Put<std::uint64_t>(file, offsetof(TRawEntryPoint3, TableAddress), kDumpTableOffset);
        SetChecksum(file.data(), sizeof(TRawEntryPoint3), offsetof(TRawEntryPoint3, Checksum));
    }
    file.insert(file.end(), image.Table.begin(), image.Table.end());
    return file;
}

std::optional<TSMBIOS_Image> ReadRawSMBIOSData(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(TRawSMBIOSData))
        return std::nullopt;
    TSMBIOS_Image image;
    image.MajorVersion = data[offsetof(TRawSMBIOSData, MajorVersion)];
    image.MinorVersion = data[offsetof(TRawSMBIOSData, MinorVersion)];
    const std::uint8_t* field = data + offsetof(TRawSMBIOSData, Length);
    const std::uint32_t length = std::uint32_t{field[0]} | (std::uint32_t{field[1]} << 8) |
                                 (std::uint32_t{field[2]} << 16) | (std::uint32_t{field[3]} << 24);
    const std::size_t count = std::min<std::uint64_t>(length, size - sizeof(TRawSMBIOSData));
    image.Table.assign(data + sizeof(TRawSMBIOSData), data + sizeof(TRawSMBIOSData) + count);
    return image;
}
