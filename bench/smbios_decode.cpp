// Decoding an SMBIOS table against copying its bytes: walks and decodes the
// given dump (by default the largest fixture) 10,000 times, copies its table
// as often, and prints both times and their ratio.
//   wine bench/smbios_decode.exe Z:/path/to/VMWare.bin
#include "sysinfo/Dask_SMBIOS_Decode.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "sysinfo/Dask_SMBIOS_Table.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: smbios_decode DUMP\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    const auto image = ReadSmbiosDump(file);
    if (!image) {
        std::fprintf(stderr, "%s: no SMBIOS dump\n", argv[1]);
        return 1;
    }
    constexpr int kRounds = 10000;
    TDmaRange table;
    table.LoadFromBuffer(image->Table.data(), 0, image->Table.size());

    std::size_t structures = 0;
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < kRounds; ++i) {
        const auto tables = WalkStructureTable(table, 0, static_cast<std::uint32_t>(image->Table.size()));
        TSMBIOS_Values values;
        DecodeStructures(table, tables, 0, image->MajorVersion, image->MinorVersion, values);
        structures += tables.size() + values.ProcessorList.size();
    }
    QueryPerformanceCounter(&t1);
    std::vector<std::uint8_t> copy(image->Table.size());
    std::size_t sum = 0;
    for (int i = 0; i < kRounds; ++i) {
        std::memcpy(copy.data(), image->Table.data(), copy.size());
        sum += copy[static_cast<std::size_t>(i) % copy.size()];
    }
    QueryPerformanceCounter(&t2);
    const double decode = Seconds(t0, t1);
    const double copying = Seconds(t1, t2);
    std::printf("table %zu bytes, %d rounds (%zu, %zu)\n", image->Table.size(), kRounds, structures, sum);
    std::printf("walk+decode %.3f s (%.1f us each), copy %.4f s (%.2f us each), ratio %.0f\n", decode,
                decode * 1e6 / kRounds, copying, copying * 1e6 / kRounds, decode / copying);
    return 0;
}
