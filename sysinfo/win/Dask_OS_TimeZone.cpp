#include "Dask_OS_TimeZone.h"

#include "Vexor_Routines_Platform.h"
#include "Vexor_Routines_Registry.h"
#include "base/Exception.h"

#include <cwchar>

namespace {

std::string WideToAnsi(const std::wstring& text) {
    if (text.empty())
        return "";
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                            nullptr, nullptr);
    return result;
}

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty())
        return L"";
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

TTransitionRule RuleOf(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth,  time.wDayOfWeek, time.wDay,
            time.wHour, time.wMinute, time.wSecond,    time.wMilliseconds};
}

TZoneRecord RecordOf(const TIME_ZONE_INFORMATION& zone) {
    TZoneRecord record;
    record.Bias = zone.Bias;
    record.StandardBias = zone.StandardBias;
    record.DaylightBias = zone.DaylightBias;
    record.StandardDate = RuleOf(zone.StandardDate);
    record.DaylightDate = RuleOf(zone.DaylightDate);
    return record;
}

// A zone name field as ANSI text, up to its first NUL.
std::string NameText(const WCHAR (&name)[32]) {
    return WideToAnsi(std::wstring(name, wcsnlen(name, 32)));
}

// A database name as the zone name field holds it: at most 31 characters,
// a longer name becomes empty.
std::string FieldName(const std::string& text) {
    const std::wstring wide = AnsiToWide(text);
    return wide.size() > 31 ? std::string() : WideToAnsi(wide);
}

struct TDatabaseZone {
    std::string Display;
    std::string StandardName;
    std::string DaylightName;
};

// Reads the zone under the open key when it is the current one. A zone whose
// "TZI" is not 44 bytes, or whose values cannot be read, is passed over.
bool ReadMatchingZone(const TRegistry& registry, const TZoneRecord& current, const std::string& currentName,
                      TDatabaseZone& match) {
    try {
        std::uint8_t bytes[kZoneRecordSize];
        TZoneRecord entry;
        if (registry.GetDataSize("TZI") != static_cast<long>(kZoneRecordSize) ||
            registry.ReadBinaryData("TZI", bytes, sizeof bytes) != kZoneRecordSize ||
            !DecodeZoneRecord(bytes, sizeof bytes, entry))
            return false;
        const std::string standard = FieldName(registry.ReadString("Std"));
        const std::string daylight = FieldName(registry.ReadString("Dlt"));
        if (!SameZone(current, currentName, entry, standard))
            return false;
        match = {registry.ReadString("Display"), standard, daylight};
        return true;
    } catch (const Exception&) {
        return false;
    }
}

// The first zone of the database, in the registry's order, that is the
// current one.
bool FindDatabaseZone(const std::string& databaseKey, const TZoneRecord& current,
                      const std::string& currentName, TDatabaseZone& match) {
    auto registry = CreateRegistryReader();
    registry->SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry->OpenKey(databaseKey))
        return false;
    TStringList names;
    registry->GetKeyNames(names);
    registry->CloseKey();
    for (const std::string& name : names) {
        if (!registry->OpenKey(databaseKey + "\\" + name))
            continue;
        const bool found = ReadMatchingZone(*registry, current, currentName, match);
        registry->CloseKey();
        if (found)
            return true;
    }
    return false;
}

} // namespace

TVexor_TimeZone::TVexor_TimeZone(TComponent* owner) : TVexor_Nolt_Component(owner) {}

std::string TVexor_TimeZone::ZoneDatabaseKey() {
    return IsNT() ? "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones"
                  : "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Time Zones";
}

void TVexor_TimeZone::Refresh() {
    TVexor_Nolt_Component::Refresh();
    TIME_ZONE_INFORMATION current{};
    GetTimeZoneInformation(&current); // which of standard or daylight time is on does not matter here
    SYSTEMTIME today{};
    GetLocalTime(&today);
    RefreshFrom(current, ZoneDatabaseKey(), today.wYear);
    SetDataPresent(true);
}

void TVexor_TimeZone::RefreshFrom(const TIME_ZONE_INFORMATION& current, const std::string& databaseKey,
                                  int year) {
    const TZoneRecord zone = RecordOf(current);
    standardName_ = NameText(current.StandardName);
    daylightName_ = NameText(current.DaylightName);
    TDatabaseZone match;
    if (FindDatabaseZone(databaseKey, zone, standardName_, match)) {
        displayName_ = match.Display;
        standardName_ = match.StandardName;
        daylightName_ = match.DaylightName;
    }
    bias_ = zone.Bias;
    ApplyZoneChanges(zone, year, changes_);
}
