#include "Dask_Devices_Parse.h"

#include "base/Text.h"

#include <charconv>

const char* const kDeviceClassNames[kDeviceClassCount] = {
    "Battery",
    "Computer",
    "DiskDrive",
    "Display",
    "CDROM",
    "fdc",
    "FloppyDisk",
    "GPS",
    "HID",
    "hdc",
    "1394",
    "Image",
    "Infrared",
    "Keyboard",
    "MediumChanger",
    "MTD",
    "Mouse",
    "Modem",
    "Monitor",
    "MultiFunction",
    "MultiPortSerial",
    "Net",
    "LegacyDriver",
    "NtApm",
    "Unknown",
    "PCMCIA",
    "Ports",
    "Printer",
    "SCSIAdapter",
    "SmartCardReader",
    "MEDIA",
    "Volume",
    "System",
    "TapeDrive",
    "TapeController",
    "Tape",
    "USB",
    "Processor",
    "Bluetooth",
};

namespace {

constexpr size_t kInfTextLimit = 1024;

// A decimal number of a short text, blanks around it ignored; 0 when the
// text is not a number.
int32_t DecimalOrZero(std::string_view text) {
    const std::string trimmed = TrimText(text);
    int32_t value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto result = std::from_chars(trimmed.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && !trimmed.empty() ? value : 0;
}

// The hexadecimal number of the count characters after marker; 0 when the
// marker is missing or the characters are not all hexadecimal digits.
uint32_t HexAfter(std::string_view text, std::string_view marker, size_t count) {
    const size_t at = text.find(marker);
    if (at == std::string_view::npos)
        return 0;
    const std::string_view digits = text.substr(at + marker.size(), count);
    uint32_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return result.ec == std::errc() && result.ptr == digits.data() + digits.size() && !digits.empty() ? value
                                                                                                      : 0;
}

// The (at most) two characters before position end.
std::string_view TwoBefore(std::string_view text, size_t end) {
    const size_t start = end >= 2 ? end - 2 : 0;
    return text.substr(start, end - start);
}

} // namespace

uint8_t GetDeviceClassIndex(std::string_view className) {
    for (size_t index = 0; index < kDeviceClassCount; ++index)
        if (StartsWithText(className, kDeviceClassNames[index]))
            return static_cast<uint8_t>(index);
    return dcUnknown;
}

TPciLocation ParsePciLocation(std::string_view location) {
    TPciLocation parsed;
    if (location.empty())
        return parsed;
    std::string text(location);
    if (text.find('(') != std::string::npos) {
        text.erase(0, text.find('(') + 1);
        const size_t close = text.find(')');
        if (close != std::string::npos)
            text.erase(close);
        text = " " + ReplaceAll(text, ",", ", ");
    }
    size_t comma = text.find(',');
    if (comma == std::string::npos)
        return parsed;
    parsed.PCINumber = DecimalOrZero(TwoBefore(text, comma));
    text.erase(0, comma + 1);
    comma = text.find(',');
    if (comma != std::string::npos) {
        parsed.DeviceNumber = DecimalOrZero(TwoBefore(text, comma));
        text.erase(0, comma + 1);
    }
    parsed.FunctionNumber = DecimalOrZero(TwoBefore(text, text.size()));
    return parsed;
}

TPciIds ParsePciIds(std::string_view hardwareIds) {
    TPciIds ids;
    if (hardwareIds.find("PCI\\VEN") == std::string_view::npos)
        return ids;
    ids.VendorID = HexAfter(hardwareIds, "VEN_", 4);
    ids.DeviceID = HexAfter(hardwareIds, "DEV_", 4);
    ids.SubSysID = HexAfter(hardwareIds, "SUBSYS_", 8);
    ids.Revision = HexAfter(hardwareIds, "REV_", 2);
    return ids;
}

std::string TextAfterInfReference(const std::string& text) {
    const size_t semicolon = text.find(';');
    if (semicolon == std::string::npos)
        return text;
    return text.substr(semicolon + 1, kInfTextLimit);
}

std::string InterfaceReference(std::string_view hardwareIds, std::string_view instance) {
    const size_t lineEnd = hardwareIds.find_first_of("\r\n");
    const std::string firstLine(hardwareIds.substr(0, lineEnd));
    return "##?#" + ReplaceAll(firstLine, "\\", "#") + "#" + std::string(instance);
}

TDateTime ShiftByZoneBias(TDateTime dateTime, uint32_t zoneId, long bias, long standardBias,
                          long daylightBias) {
    long minutes = 0;
    switch (zoneId) {
    case 0: // TIME_ZONE_ID_UNKNOWN
    case 1: // TIME_ZONE_ID_STANDARD
        minutes = bias + standardBias;
        break;
    case 2: // TIME_ZONE_ID_DAYLIGHT
        minutes = bias + daylightBias;
        break;
    default:
        return 0;
    }
    return dateTime - minutes / 1440.0;
}
