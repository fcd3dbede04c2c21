// Save... and Load... of a 100,000-row report through the main window,
// against writing and reading the same bytes raw; then the two hostile
// loads (50 MB of random bytes, one million short lines).
// Run: tests/wine/emulator <prefix> build/<preset>/bench/report_file.exe
#ifdef _WIN32
#include "BenchClock.h"
#include "app/Application.h"
#include "app/FrmMain.h"
#include "report/ReportFile.h"
#include "report/ReportFileIo.h"
#include "base/win/Handles.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

void WriteRaw(const std::string& path, const std::string& bytes) {
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadRaw(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return bytes;
}

std::vector<TReportRow> SampleReport(int count) {
    const TReportRow kinds[] = {
        {"ODBC - Microsoft Open Database Conectivity version: ", {"3.525.1117.0"}},
        {"OS - Microsoft Operating System version: ", {"Windows XP Professional"}},
        {"Microsoft DirectX Direct 3D: ", {"Direct3D:", "Direct3D:", "Direct3D:"}},
        {"", {"RGB Emulation"}},
        {"Microsoft DirectX Direct Play: ", {}},
    };
    std::vector<TReportRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i)
        rows.push_back(kinds[i % std::size(kinds)]);
    return rows;
}

} // namespace

int main() {
    InitHostPlatform();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Application().SetErrorSink(
        [](const std::string& text, const std::string&) { std::printf("error: %s\n", text.c_str()); });

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string report = std::string(temp) + "kestova-bench-report.txt";
    const std::string raw = std::string(temp) + "kestova-bench-raw.txt";

    TForm1 form;
    form.CreateForm();
    const std::vector<TReportRow> rows = SampleReport(100000);
    form.Save1().SetFileName(report);
    form.Open1().SetFileName(report);
    const int runs = 5;

    form.ListView1().Assign(rows);
    const double save = Best(runs, [&] { Application().Run([&] { form.SaveToTextFile(); }); });
    const std::string bytes = ReportFileText(rows);
    const double rawWrite = Best(runs, [&] { WriteRaw(raw, bytes); });
    const double load = Best(runs, [&] { Application().Run([&] { form.LoadFromTextFile(); }); });
    size_t rawSize = 0;
    const double rawRead = Best(runs, [&] { rawSize = ReadRaw(raw).size(); });

    const double buildText = Best(runs, [&] { rawSize = ReportFileText(rows).size(); });
    const double readRows = Best(runs, [&] { rawSize = ReadReportFile(raw).size(); });
    rawSize = bytes.size();
    std::printf("report of %zu rows, %zu bytes (best of %d runs)\n", form.ListView1().Rows().size(), rawSize,
                runs);
    std::printf("save  %8.1f ms   raw write %6.1f ms   ratio %5.1f\n", save * 1e3, rawWrite * 1e3,
                save / rawWrite);
    std::printf("load  %8.1f ms   raw read  %6.1f ms   ratio %5.1f\n", load * 1e3, rawRead * 1e3,
                load / rawRead);

    std::printf("  of which: making the text %.1f ms, reading the rows (no list) %.1f ms\n", buildText * 1e3,
                readRows * 1e3);

    // The hostile files, loaded once each into the list.
    std::mt19937 random(20260101);
    std::uniform_int_distribution<int> byte(1, 255);
    std::string noise(50u << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(byte(random));
    WriteRaw(raw, noise);
    form.Open1().SetFileName(raw);
    const double noiseLoad = Seconds([&] { Application().Run([&] { form.LoadFromTextFile(); }); });
    std::printf("50 MB of random bytes: %zu rows in %.2f s\n", form.ListView1().Rows().size(), noiseLoad);

    std::string lines;
    for (int i = 0; i < 1000000; ++i)
        lines += "k" + std::to_string(i % 100) + ": v\r\n";
    WriteRaw(raw, lines);
    const double linesLoad = Seconds([&] { Application().Run([&] { form.LoadFromTextFile(); }); });
    std::printf("1,000,000 short lines: %zu rows in %.2f s\n", form.ListView1().Rows().size(), linesLoad);

    DeleteFileA(report.c_str());
    DeleteFileA(raw.c_str());
    return 0;
}
#else
#include <cstdio>
int main() {
    std::puts("report_file: a Windows benchmark; run the win32 or win64 build under Wine");
    return 0;
}
#endif
