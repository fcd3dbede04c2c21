#include "Dask_SMBIOS.h"

#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "Dask_SMBIOS_Firmware.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr std::uint32_t kImageStart = 0xC0000;
constexpr std::uint32_t kImageSize = 0x40000;
constexpr std::uint32_t kWindowStep = 0x10000;
constexpr std::uint32_t kWindowSize = 0xFFFF; // the last byte of each segment is not read
constexpr std::uint32_t kLastWindow = 0xFFFFF;
// A table read from physical memory longer than this is taken to come from a
// corrupt entry point and is not read (2.x entry points state at most 65,535
// bytes; real 3.x tables are far below it).
constexpr std::uint32_t kMaxMemoryTable = 16 * 1024 * 1024;

std::string VersionText(std::uint8_t major, std::uint8_t minor) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", major, minor);
    return text;
}

// The table of the "RSMB" firmware table, when Windows offers one.
std::optional<TSMBIOS_Image> RawSMBIOSImage() {
    const std::vector<std::uint8_t> raw = ReadRawSMBIOSTable();
    return ReadRawSMBIOSData(raw.data(), raw.size());
}

} // namespace

TVexor_SMBIOS::TVexor_SMBIOS(TComponent* owner) : TVexor_Nolt_Component(owner) {
    scanReader_ = new TVexor_DMA(this);
    tableReader_ = new TVexor_DMA(this);
}

TVexor_SMBIOS::~TVexor_SMBIOS() {
    structTables_.clear();
    values_ = TSMBIOS_Values{};
    delete tableReader_;
    delete scanReader_;
}

void TVexor_SMBIOS::HoldTable(const std::vector<std::uint8_t>& table) {
    tableReader_->SetStartAddress(0);
    tableReader_->SetMemorySize(static_cast<std::uint32_t>(table.size()));
    tableReader_->SetEndAddress(table.empty() ? 0 : static_cast<std::uint32_t>(table.size() - 1));
    tableReader_->LoadFromBuffer(table.data(), 0, table.size());
}

void TVexor_SMBIOS::LoadTable(const std::vector<std::uint8_t>& table, std::uint8_t majorVersion,
                              std::uint8_t minorVersion) {
    HoldTable(table);
    majorVersion_ = majorVersion;
    minorVersion_ = minorVersion;
}

std::vector<std::uint8_t> TVexor_SMBIOS::DumpTable() const {
    return WriteSmbiosDump({majorVersion_, minorVersion_, tableReader_->Memory()},
                           static_cast<std::uint16_t>(structTables_.size()));
}

bool TVexor_SMBIOS::LoadDump(const std::vector<std::uint8_t>& file) {
    const auto image = ReadSmbiosDump(file);
    if (!image)
        return false;
    LoadTable(image->Table, image->MajorVersion, image->MinorVersion);
    readLocalMemory_ = false;
    return true;
}

void TVexor_SMBIOS::Refresh() {
    TVexor_Nolt_Component::Refresh();
    structTables_.clear();
    values_ = TSMBIOS_Values{};
    smbiosAddress_ = 0;
    structStart_ = 0;
    structLength_ = 0;
    structCount_ = 0;
    version_.clear();
    tableSource_.clear();

    if (readLocalMemory_) {
        bool entryPointFound = false;
        if (!AcquireFromFirmwareOrMemory(entryPointFound)) {
            // An entry point whose table address is 0 ends the refresh.
            if (entryPointFound)
                return;
            // Machines of the last fifteen years may have no entry point in
            // the first megabyte, or one Windows does not let us reach.
            if (!AcquireFromRawSMBIOS()) {
                SetDataPresent(true);
                return;
            }
        }
    } else {
        structStart_ = 0;
        structCount_ = 65535;
        // The whole table: its length is never cut to 16 bits.
        structLength_ = tableReader_->MemorySize();
        version_ = VersionText(majorVersion_, minorVersion_);
        tableSource_ = "Supplied";
    }
    WalkStructureTable();
    DecodeStructures(tableReader_->Range(), structTables_, structStart_, majorVersion_, minorVersion_,
                     values_);
    SetDataPresent(true);
}

bool TVexor_SMBIOS::AcquireFromFirmwareOrMemory(bool& entryPointFound) {
    std::uint32_t window = kImageStart;
    bool imageInUse = false;
    std::vector<std::uint8_t> image;
    std::optional<TSMBIOS_EntryPoint> entryPoint;
    do {
        bool imageLoaded = false;
        if (!imageInUse) {
            image.assign(kImageSize, 0);
            if (ReadFirmwareImage(kImageStart, kImageSize, image.data())) {
                scanReader_->SetStartAddress(0);
                scanReader_->SetEndAddress(kImageSize - 1);
                scanReader_->SetMemorySize(kImageSize);
                scanReader_->LoadFromBuffer(image.data(), 0, image.size());
                imageInUse = true;
                imageLoaded = true;
            }
        }
        if (!imageLoaded) {
            scanReader_->SetStartAddress(window);
            scanReader_->SetEndAddress(window + 0xFFFF);
            scanReader_->SetMemorySize(kWindowSize);
            scanReader_->Refresh();
        }
        if (scanReader_->DataPresent())
            entryPoint = FindEntryPoint(scanReader_->Range());
        // Where the 16-bit subsystem refused the dump program, the later
        // windows would be refused too, each after starting the interpreter.
        else if (scanReader_->RealModeRefused())
            break;
        window += kWindowStep;
    } while (!entryPoint && window <= kLastWindow);

    entryPointFound = entryPoint.has_value();
    if (!entryPoint)
        return false;
    const TSMBIOS_EntryPoint& ep = *entryPoint;
    // A 3.x table above 4 GB cannot be read here: as if none were found.
    if (ep.TableAddress > UINT32_MAX) {
        entryPointFound = false;
        return false;
    }
    smbiosAddress_ = ep.Address;
    minorVersion_ = ep.MinorVersion;
    majorVersion_ = ep.MajorVersion;
    version_ = VersionText(majorVersion_, minorVersion_);
    structStart_ = static_cast<std::uint32_t>(ep.TableAddress);
    structCount_ = ep.StructCount;
    structLength_ = ep.TableLength;
    if (structStart_ == 0)
        return false;

    if (imageInUse) {
        std::uint32_t offset = structStart_ - kImageStart;
        if (offset >= kImageSize) {
            // The table lies outside the image (above 1 MB on most machines
            // since about 2005): Windows offers it whole as the "RSMB" table.
            // The entry point's values stay; the table and its length are
            // the ones Windows gives.
            if (const auto raw = RawSMBIOSImage(); raw && !raw->Table.empty()) {
                HoldTable(raw->Table);
                structStart_ = 0;
                structLength_ = static_cast<std::uint32_t>(raw->Table.size());
                tableSource_ = "RSMB";
                return true;
            }
            // Without it, the table is taken to follow the entry point.
            offset = ep.Address + ep.Size;
        }
        const std::size_t count =
            offset < kImageSize ? std::min<std::size_t>(structLength_, kImageSize - offset) : 0;
        tableReader_->SetMemorySize(structLength_);
        tableReader_->SetStartAddress(0);
        tableReader_->SetEndAddress(structLength_ ? structLength_ - 1u : 0u);
        tableReader_->LoadFromBuffer(image.data(), count ? offset : 0, count);
        structStart_ = 0;
        tableSource_ = "FIRM";
    } else {
        tableReader_->SetStartAddress(structStart_);
        tableReader_->SetEndAddress(structStart_ + structLength_ - 1u);
        tableSource_ = "Memory";
        // A table beyond the 32-bit address space, or of a length no real
        // table has, is left unread: the walk then finds nothing.
        if (std::uint64_t{structStart_} + structLength_ > 0x100000000ull || structLength_ > kMaxMemoryTable) {
            tableReader_->SetMemorySize(0);
            tableReader_->LoadFromBuffer(nullptr, 0, 0);
            return true;
        }
        tableReader_->SetMemorySize(structLength_);
        tableReader_->Refresh();
    }
    return true;
}

bool TVexor_SMBIOS::AcquireFromRawSMBIOS() {
    const auto image = RawSMBIOSImage();
    if (!image)
        return false;
    LoadTable(image->Table, image->MajorVersion, image->MinorVersion);
    version_ = VersionText(majorVersion_, minorVersion_);
    structStart_ = 0;
    structLength_ = static_cast<std::uint32_t>(image->Table.size());
    structCount_ = 0;
    tableSource_ = "RSMB";
    return true;
}

void TVexor_SMBIOS::WalkStructureTable() {
    structTables_ = ::WalkStructureTable(tableReader_->Range(), structStart_, structLength_);
}

TSMBIOS_StructTable TVexor_SMBIOS::FindStructure(std::uint8_t type) const {
    return ::FindStructure(structTables_, type);
}

int TVexor_SMBIOS::FindStructureIndex(std::uint8_t type, int start) const {
    return ::FindStructureIndex(structTables_, type, start);
}
