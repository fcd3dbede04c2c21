#pragma once
// The decisions of the NT sub-component that need no Windows: product type
// and suites from the extended version record or the product options, and
// the texts WMI gives for installed updates.
#include "Vexor_Datetime.h"

#include <cstdint>
#include <string>
#include <string_view>

enum TNtProductType : uint8_t { ptUnknown, ptWorkStation, ptServer, ptAdvancedServer, ptDataCenter, ptWeb };

// Member n stands for suite-mask bit 2^n.
enum TNTSuite : uint8_t {
    suSmallBusiness,
    suEnterprise,
    suBackOffice,
    suCommunications,
    suTerminal,
    suSmallBusinessRestricted,
    suEmbeddedNT,
    suDataCenter,
    suSingleUserTS,
    suPersonal,
    suBlade,
    suEmbeddedRestricted,
};
// A set of suites: bit n set when member n is in it.
using TNTSuites = uint16_t;

const char* NtProductTypeName(TNtProductType type);
const char* NTSuiteName(TNTSuite suite);
inline bool HasSuite(TNTSuites suites, TNTSuite suite) {
    return (suites >> suite) & 1u;
}

// From the extended version record: product type byte 1 is a workstation, 2
// (domain controller) and 3 a server, any other leaves type as it is; the
// suites are exactly the mask's bits 0x0001 to 0x0800, and the Enterprise,
// DataCenter and Blade bits, in that order, make the type advanced server,
// data center and web server.
void ApplyVersionRecord(uint8_t productTypeByte, uint16_t suiteMask, TNtProductType& type, TNTSuites& suites);

// The product options' "ProductType" text, compared with case: "WinNT",
// "ServerNT", "LanmanNT"; anything else is ptUnknown.
TNtProductType ProductTypeOfOptions(std::string_view text);

// A whole number in decimal (or hexadecimal after "$" or "0x"), with an
// optional sign and blanks before it; fallback when the text is not such a
// number or does not fit 32 bits.
int32_t TextToIntDef(std::string_view text, int32_t fallback);

// WMI's "InstalledOn" form: 16 hexadecimal digits of a file time, digits 1
// to 8 the high and 9 to 16 the low 32 bits; a part that is not hexadecimal
// counts as 0.
uint64_t InstalledOnFileTime(std::string_view text);

// Month, day and year of a date-time as "mm/dd/yyyy".
std::string MonthDayYearText(TDateTime dateTime);
