#include "Dask_OS_TimeZone_Rules.h"

#include "base/Exception.h"

namespace {

std::uint16_t Word(const std::uint8_t* data) {
    return static_cast<std::uint16_t>(data[0] | data[1] << 8);
}

std::int32_t Long(const std::uint8_t* data) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
        static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24);
}

TTransitionRule RuleAt(const std::uint8_t* data) {
    return {Word(data),     Word(data + 2),  Word(data + 4),  Word(data + 6),
            Word(data + 8), Word(data + 10), Word(data + 12), Word(data + 14)};
}

} // namespace

bool DecodeZoneRecord(const std::uint8_t* data, std::size_t size, TZoneRecord& record) {
    if (size != kZoneRecordSize)
        return false;
    record.Bias = Long(data);                // 00h
    record.StandardBias = Long(data + 4);    // 04h
    record.DaylightBias = Long(data + 8);    // 08h
    record.StandardDate = RuleAt(data + 12); // 0Ch
    record.DaylightDate = RuleAt(data + 28); // 1Ch
    return true;
}

bool SameZone(const TZoneRecord& current, const std::string& currentStandardName, const TZoneRecord& entry,
              const std::string& entryStandardName) {
    return current.Bias == entry.Bias && current.StandardBias == entry.StandardBias &&
           current.StandardDate == entry.StandardDate && currentStandardName == entryStandardName;
}

bool HasDaylightTime(const TZoneRecord& zone) {
    return zone.StandardDate.Month != 0 && zone.DaylightDate.Month != 0;
}

void ApplyZoneChanges(const TZoneRecord& zone, int year, TZoneChanges& changes) {
    if (!HasDaylightTime(zone))
        return;
    try {
        changes.DaylightStart = TransitionDate(zone.DaylightDate, year);
        changes.StandardStart = TransitionDate(zone.StandardDate, year);
        changes.DaylightBias = zone.Bias + zone.DaylightBias;
        changes.StandardBias = zone.Bias + zone.StandardBias;
    } catch (const Exception&) {
        // A rule that names no day: the values not yet set keep theirs.
    }
}
