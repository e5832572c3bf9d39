// How many lines a second a conversion gets through the real navigation link: a generated list
// of places that the stand-in navigation program knows, converted against NavServer.exe. Each
// line waits at least one 10 ms pause for its reply, so 100 lines a second is the most a run can
// reach; a reply that comes only after the first pause costs a further pause each 10 ms. The
// run's closing 1 s sleep is timed apart and not counted. A benchmark, not a test. Run it (one
// command line) from the source tree as
//   scripts/wine-run --prefix build/windows64/wineprefix --arch 64
//       build/windows64/bin/ConvertThroughputBench.exe [--lines N] [NavServer options: --delay MS]
#include "app/convert_win32.h"
#include "app/main_window_controls_win32.h"
#include "app/test_folder.h"
#include "navlink/link_record.h"
#include "navlink/test_support_win32.h"
#include "navserver/gazetteer.h"
#include "support/codepage.h"
#include "support/program.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace mapwell {
namespace {

constexpr int kPauseMs = 10;  // the engine's wait between two looks for the reply

double Now() {
    static const double perSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / perSecond;
}

// The engine's Windows surroundings, with the time spent in each kind of wait taken apart.
class TimedConvert : public ConvertWin32 {
public:
    using ConvertWin32::ConvertWin32;

    void SendGeocodeRequest() override {
        const double start = Now();
        ConvertWin32::SendGeocodeRequest();
        sendSeconds += Now() - start;
        ++sends;
        if (NavLink.ReplyReceived) {
            ++repliesInSend;
        }
    }
    void Pause(int milliseconds) override {
        const double start = Now();
        ConvertWin32::Pause(milliseconds);
        pauseSeconds += Now() - start;
        ++pauses;
    }
    void Sleep(int milliseconds) override {
        const double start = Now();
        ConvertWin32::Sleep(milliseconds);
        sleepSeconds += Now() - start;
        ++sleeps;
    }

    int sends = 0;
    int repliesInSend = 0;
    int pauses = 0;
    int sleeps = 0;
    double sendSeconds = 0;
    double pauseSeconds = 0;
    double sleepSeconds = 0;
};

// `lines` addresses, taken in turn from the places of the stand-in's gazetteer, so that every
// one is found and no line costs a failure's second of sleep.
std::string AddressList(int lines, const std::vector<Place>& places) {
    std::string list;
    for (int i = 0; i < lines; ++i) {
        const Place& place = places[static_cast<std::size_t>(i) % places.size()];
        list += "Kunde" + std::to_string(i + 1) + ",Muster,Hauptstr. " +
                std::to_string(i % 200 + 1) + "," + WideToAnsi(place.zip) + "," +
                WideToAnsi(place.city) + "," + WideToAnsi(place.country) + "\r\n";
    }
    return list;
}

int Bench(int lines, const std::wstring& serverOptions) {
    const std::vector<Place> places =
        ReadGazetteer(TestFolder::Get(std::filesystem::path(test::BinFolder() + L"gazetteer.txt")));
    if (places.empty()) {
        std::fwprintf(stderr, L"No places in gazetteer.txt beside the benchmark\n");
        return 2;
    }
    ProgramTitle = L"MapwellThroughputBench" + std::to_wstring(GetCurrentProcessId());
    test::ResetLink();
    test::Program server(test::NavServerPath(), serverOptions);
    if (!server.started() || server.Window() == nullptr ||
        !test::PumpUntil([] { return NavLink.LinkState != 0; })) {
        std::fwprintf(stderr, L"NavServer.exe did not start or announce itself\n");
        return 2;
    }

    MainWindowControls window;
    TestFolder folder;
    TestFolder::Put(folder / "kunden.csv", AddressList(lines, places));
    SetWindowTextW(window.controls.ExportFileTxt, (folder / "kunden_Geo.csv").c_str());
    SetWindowTextW(window.controls.TxtSep, L".");
    window.Check(window.controls.Option2);
    TimedConvert surroundings(window.controls);
    SaveProfile(surroundings.Profiles(), L"kunden", {0, 1, 2, 3, 4, 5, -1, -1}, L",");

    const double start = Now();
    const bool converted = OpenAddList((folder / "kunden.csv").wstring(), L"kunden", surroundings);
    const double total = Now() - start;
    const std::wstring info = MainWindowControls::Text(window.controls.Info);
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());

    // Every sleep but the run's last belongs to a failed line and stays in the count.
    const double finalSleep =
        surroundings.sleeps > 0 ? surroundings.sleepSeconds / surroundings.sleeps : 0.0;
    const double counted = total - finalSleep;
    const double pausesPerLine = static_cast<double>(surroundings.pauses) / lines;
    std::wprintf(L"NavServer.exe %ls\n",
                 serverOptions.empty() ? L"(answers inside the send)" : serverOptions.c_str());
    std::wprintf(L"  lines                 %d (%d answered inside the send)\n", lines,
                 surroundings.repliesInSend);
    std::wprintf(L"  run                   %.3f s, of which closing sleep %.3f s (not counted)\n",
                 total, finalSleep);
    std::wprintf(L"  throughput            %.1f lines/s, %.2f ms per line\n", lines / counted,
                 1000.0 * counted / lines);
    std::wprintf(L"  per line: send        %.2f ms\n", 1000.0 * surroundings.sendSeconds / lines);
    std::wprintf(L"  per line: pauses      %.2f ms in %.2f pauses of %d ms\n",
                 1000.0 * surroundings.pauseSeconds / lines, pausesPerLine, kPauseMs);
    std::wprintf(L"  bound of the pauses   %.1f lines/s (%d ms a pause; 100 lines/s at one)\n",
                 1000.0 / (kPauseMs * pausesPerLine), kPauseMs);
    std::wprintf(L"  Info                  %ls\n", info.c_str());
    const std::wstring clean =
        L"Converting of " + std::to_wstring(lines) + L" completed without errors.";
    if (!converted || info != clean) {
        std::fwprintf(stderr, L"Not every line was converted: the numbers include failures\n");
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace mapwell

int wmain(int argc, wchar_t** argv) {
    int lines = 2000;
    std::wstring serverOptions;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--lines") == 0 && i + 1 < argc) {
            lines = _wtoi(argv[++i]);
        } else {
            serverOptions += (serverOptions.empty() ? L"" : L" ") + std::wstring(argv[i]);
        }
    }
    if (lines <= 0) {
        std::fwprintf(stderr, L"usage: ConvertThroughputBench [--lines N] [NavServer options]\n");
        return 2;
    }
    return mapwell::Bench(lines, serverOptions);
}
