// ProgressBench.exe: what showing a run's progress costs a line, in the main window's way (the
// bar, its text and the taskbar, shown a few times a second) and when every line is shown, and
// what counting a list of 10,000 lines before its first request costs. Not a test; it prints
// medians of several runs, against a line's 11 ms or so.
#include "app/window/progress_win32.h"
#include "app/benchmarks/bench_timing_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace mapwell;

namespace {

constexpr int kLines = 10000;
constexpr int kRuns = 5;

// Microseconds.
double Now() {
    return MillisecondsNow() * 1e3;
}

}  // namespace

int wmain() {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND window = CreateWindowExW(0, L"STATIC", L"Mapwell", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  400, 200, nullptr, nullptr, nullptr, nullptr);
    HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 5, 5, 100, 17,
                               window, nullptr, nullptr, nullptr);
    HWND text = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 110, 5, 250, 17, window,
                                nullptr, nullptr, nullptr);
    ConvertWin32 run(ConvertControls{});
    std::vector<double> throttled, shown;
    for (int r = 0; r < kRuns; ++r) {
        WindowProgress progress(run, window, bar, text);
        run.ProgressStarts(kLines);
        double start = Now();
        for (int line = 1; line < kLines; ++line) {
            run.LineDone(line, 0);
        }
        throttled.push_back((Now() - start) / (kLines - 1));
        start = Now();
        for (int line = 0; line < 1000; ++line) {
            run.LineDone(kLines, 0);  // the last line is always shown
        }
        shown.push_back((Now() - start) / 1000);
    }
    std::printf("progress of a run: %.2f us a line as the window shows it (every 250 ms), "
                "%.1f us to show it (medians)\n",
                Median(throttled), Median(shown));

    // A list as the customer lists are: 10,000 lines of about 60 bytes.
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring list = std::wstring(folder) + L"progress_bench_list.csv";
    std::string lines;
    for (int line = 0; line < kLines; ++line) {
        lines += "Kunde " + std::to_string(line) + ";Hauptstr. " + std::to_string(line % 200) +
                 ";10115;Berlin;Deutschland;Tor 2\r\n";
    }
    if (std::FILE* file = _wfopen(list.c_str(), L"wb")) {
        std::fwrite(lines.data(), 1, lines.size(), file);
        std::fclose(file);
    }
    std::vector<double> counts;
    int counted = 0;
    for (int r = 0; r < kRuns; ++r) {
        const double start = Now();
        counted = CountListLines(list, L";", false);
        counts.push_back((Now() - start) / 1000);
    }
    DeleteFileW(list.c_str());
    std::printf("counting a list of %d lines: %.1f ms (median)\n", counted, Median(counts));
    DestroyWindow(window);
    return 0;
}
