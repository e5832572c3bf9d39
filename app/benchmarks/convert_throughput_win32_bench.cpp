// How many lines a second a conversion gets through the real navigation link: a generated list
// of places that the stand-in navigation program knows, converted against NavServer.exe. Each
// line waits at least one 10 ms pause for its reply, so 100 lines a second is the most a run can
// reach; a reply that comes only after the first pause costs a further pause each 10 ms. The
// run's closing 1 s sleep is timed apart and not counted. It also counts the result lines that
// carry another line's place (there must be none) and the program's CPU time. A benchmark, not
// a test. Run it (one command line) from the source tree as
//   scripts/wine-run --prefix build/windows64/wineprefix --arch 64
//       build/windows64/bin/ConvertThroughputBench.exe [--lines N] [NavServer options]
// for example `--extra-windows 300` (a crowded desktop) or `--delay 2600 --delay-every 10`;
// scripts/benchmarks runs the usual cases. `--list FILE` converts that list instead
// (`name;street;zip;city;country` lines) against NavServer.exe on its full gazetteer, without
// the failed lines' second of sleep, as the command line does; `--result FILE` keeps the result.
#include "app/engine/convert_win32.h"
#include "testing/fake_main_window_win32.h"
#include "app/engine/pace_win32.h"
#include "testing/test_folder.h"
#include "navlink/link_record.h"
#include "testing/test_win32.h"
#include "navserver/sample_places.h"
#include "support/encoding/codepage.h"
#include "support/program.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace mapwell {
namespace {

constexpr int kPauseMs = 10;  // the engine's wait between two looks for the reply

// User and kernel time of this process so far, in seconds.
double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

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

// The system's clock and wait for Pause, with the time spent waiting taken apart: what a wait
// lasts beyond the time it was asked to wait is the timer's, not the program's.
class TimedPace : public PaceClock {
public:
    double NowMs() override { return SystemPace().NowMs(); }
    bool WaitForEvents(double ms) override {
        const double start = Now();
        const bool message = SystemPace().WaitForEvents(ms);
        const double waited = Now() - start;
        waitSeconds += waited;
        lateSeconds += std::max(0.0, waited - ms / 1000.0);
        ++waits;
        return message;
    }
    int waits = 0;
    double waitSeconds = 0;
    double lateSeconds = 0;
};

// The engine's Windows surroundings, with the time spent in each kind of wait taken apart.
class TimedConvert : public ConvertWin32 {
public:
    TimedConvert(const ConvertControls& controls, PaceClock* pace, bool sleepless)
        : ConvertWin32(controls, {}, pace), sleepless_(sleepless) {}

    void SendGeocodeRequest() override {
        const double start = Now();
        lineStarts.push_back(start);
        ConvertWin32::SendGeocodeRequest();
        sendSeconds += Now() - start;
        ++sends;
        if (NavLink.ReplyReceived) {
            ++repliesInSend;
        }
    }
    void Pause(int milliseconds, const std::function<void()>& afterEachEvent) override {
        const double start = Now();
        ConvertWin32::Pause(milliseconds, [&] {
            ++eventChecks;
            afterEachEvent();
        });
        pauseSeconds += Now() - start;
        ++pauses;
    }
    void Sleep(int milliseconds) override {
        const double start = Now();
        if (!sleepless_) {
            ConvertWin32::Sleep(milliseconds);
        }
        sleepSeconds += Now() - start;
        ++sleeps;
    }

    void SetInfo(const std::wstring& text) override {
        ConvertWin32::SetInfo(text);
        ++infoTexts;
    }

    int sends = 0;
    int repliesInSend = 0;
    int pauses = 0;
    int sleeps = 0;
    int eventChecks = 0;  // looks for a message in the pauses' event passes
    std::vector<double> lineStarts;
    int infoTexts = 0;
    double sendSeconds = 0;
    double pauseSeconds = 0;
    double sleepSeconds = 0;

private:
    bool sleepless_;
};

// `lines` addresses, taken in turn from the places of the stand-in's sample gazetteer, so that
// every one is found and no line costs a failure's second of sleep.
std::string AddressList(int lines, const std::vector<GazetteerPlace>& places) {
    std::string list;
    for (int i = 0; i < lines; ++i) {
        const GazetteerPlace& place = places[static_cast<std::size_t>(i) % places.size()];
        list += "Kunde" + std::to_string(i + 1) + ",Muster,Hauptstr. " +
                std::to_string(i % 200 + 1) + "," + std::string(ZipOf(place)) + "," + place.name +
                "," + place.iso2 + "\r\n";
    }
    return list;
}

// Result lines (CSV) whose coordinates are not those of their own line's place. The first field
// names the line ("Kunde7"), the last two are the coordinates.
int LinesWithAnotherPlace(const std::string& result, const std::vector<GazetteerPlace>& places) {
    int wrong = 0;
    std::size_t at = result.find("\r\n");  // after the header line
    while (at != std::string::npos && at + 2 < result.size()) {
        const std::size_t end = result.find("\r\n", at + 2);
        const std::string line = result.substr(at + 2, end - at - 2);
        at = end;
        const int index = std::atoi(line.c_str() + line.find("Kunde") + 5) - 1;
        const std::size_t lonQuote = line.rfind("\",\"");
        const std::size_t latQuote = line.rfind("\",\"", lonQuote - 1);
        const double lat = std::atof(line.c_str() + latQuote + 3);
        const double lon = std::atof(line.c_str() + lonQuote + 3);
        const GazetteerPlace& own = places[static_cast<std::size_t>(index) % places.size()];
        if (index < 0 || std::fabs(lat - own.latitude) > 1e-4 ||
            std::fabs(lon - own.longitude) > 1e-4) {
            ++wrong;
        }
    }
    return wrong;
}

struct Job {
    int lines = 2000;
    std::wstring serverOptions;
    std::wstring list;    // the list to convert; empty: one made of the sample gazetteer's places
    std::wstring result;  // where the result is kept; empty: nowhere
};

// The fastest tenth and the middle of the lines' times, in milliseconds: what a line costs where
// the machine let it run undisturbed, and what most lines cost.
std::pair<double, double> LineTimes(const std::vector<double>& starts) {
    std::vector<double> times;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        times.push_back(1000.0 * (starts[i] - starts[i - 1]));
    }
    if (times.empty()) {
        return {0, 0};
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 10], times[times.size() / 2]};
}

int Bench(Job job) {
    const bool ownList = !job.list.empty();
    const std::vector<GazetteerPlace> places = ReadSamplePlaces(
        TestFolder::Get(std::filesystem::path(test::BinFolder() + L"sample_places.txt")));
    if (places.empty()) {
        std::fwprintf(stderr, L"No places in sample_places.txt beside the benchmark\n");
        return 2;
    }
    ProgramTitle = L"MapwellThroughputBench" + std::to_wstring(GetCurrentProcessId());
    test::ResetLink();
    // The sample gazetteer, whose places the list and the check above take; the full one for
    // a list of the user's kind.
    test::Program server(test::NavServerPath(),
                         (ownList ? L"" : test::SampleGazetteerOption()) + job.serverOptions);
    if (!server.Started() || server.Window() == nullptr ||
        !test::PumpUntil([] { return NavLink.LinkState != 0; })) {
        std::fwprintf(stderr, L"NavServer.exe did not start or announce itself\n");
        return 2;
    }

    MainWindowControls window;
    TestFolder folder;
    const std::string list =
        ownList ? TestFolder::Get(std::filesystem::path(job.list)) : AddressList(job.lines, places);
    if (ownList) {
        job.lines = static_cast<int>(std::count(list.begin(), list.end(), '\n'));
    }
    const int lines = job.lines;
    TestFolder::Put(folder / "kunden.csv", list);
    SetWindowTextW(window.controls.ExportFileTxt, (folder / "kunden_Geo.csv").c_str());
    SetWindowTextW(window.controls.TxtSep, L".");
    window.Check(window.controls.Option2);
    TimedPace pace;
    TimedConvert surroundings(window.controls, &pace, ownList);
    if (ownList) {
        SaveProfile(surroundings.Profiles(), L"kunden", {0, -1, 1, 2, 3, 4, -1, -1}, L";");
    } else {
        SaveProfile(surroundings.Profiles(), L"kunden", {0, 1, 2, 3, 4, 5, -1, -1}, L",");
    }

    const double cpuStart = CpuSeconds();
    const double start = Now();
    const bool converted =
        OpenAddList((folder / "kunden.csv").wstring(), L"kunden", surroundings.Roles()).Converted;
    const double total = Now() - start;
    const double cpu = CpuSeconds() - cpuStart;
    const std::wstring info = MainWindowControls::Text(window.controls.Info);
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());

    // Every sleep but the run's last belongs to a failed line and stays in the count.
    const double finalSleep =
        surroundings.sleeps > 0 ? surroundings.sleepSeconds / surroundings.sleeps : 0.0;
    const double counted = total - finalSleep;
    const double pausesPerLine = static_cast<double>(surroundings.pauses) / lines;
    const double other = counted - surroundings.sendSeconds - surroundings.pauseSeconds -
                         (surroundings.sleepSeconds - finalSleep);
    const std::string result = TestFolder::Get(folder / "kunden_Geo.csv");
    const int written = static_cast<int>(std::count(result.begin(), result.end(), '\n')) - 1;
    const int wrongPlace = ownList ? 0 : LinesWithAnotherPlace(result, places);
    if (!job.result.empty()) {
        TestFolder::Put(std::filesystem::path(job.result), result);
    }
    std::wprintf(L"NavServer.exe %ls%ls\n", ownList ? L"on its full gazetteer " : L"",
                 job.serverOptions.empty() ? L"(answers inside the send)"
                                           : job.serverOptions.c_str());
    std::wprintf(L"  lines                 %d (%d answered inside the send, %d written)\n", lines,
                 surroundings.repliesInSend, written);
    if (!ownList) {
        std::wprintf(L"  written with another line's place  %d\n", wrongPlace);
    }
    std::wprintf(L"  run                   %.3f s, of which closing sleep %.3f s (not counted)\n",
                 total, finalSleep);
    std::wprintf(L"  throughput            %.1f lines/s, %.2f ms per line\n", lines / counted,
                 1000.0 * counted / lines);
    const double floorMs = kPauseMs * pausesPerLine;
    const double pauseMs = 1000.0 * surroundings.pauseSeconds / lines;
    const double sendMs = 1000.0 * surroundings.sendSeconds / lines;
    std::wprintf(L"  breakdown per line    pause floor %.2f ms, overrun %.2f ms, send and answer "
                 L"%.2f ms, Mapwell's own work %.2f ms\n",
                 floorMs, pauseMs - floorMs, sendMs, 1000.0 * counted / lines - pauseMs - sendMs);
    const auto [fast, middle] = LineTimes(surroundings.lineStarts);
    std::wprintf(L"  line to line          %.2f ms median, %.2f ms the fastest tenth\n", middle,
                 fast);
    std::wprintf(L"  per line: send        %.2f ms\n", 1000.0 * surroundings.sendSeconds / lines);
    std::wprintf(L"  per line: pauses      %.2f ms in %.2f pauses of %d ms\n",
                 1000.0 * surroundings.pauseSeconds / lines, pausesPerLine, kPauseMs);
    std::wprintf(
        L"    of which waiting    %.2f ms in %.2f waits, %.2f ms of it past the time asked\n",
        1000.0 * pace.waitSeconds / lines, static_cast<double>(pace.waits) / lines,
        1000.0 * pace.lateSeconds / lines);
    std::wprintf(L"    of which events     %.2f ms (event passes and the clock), %.2f looks for "
                 L"a message\n",
                 1000.0 * (surroundings.pauseSeconds - pace.waitSeconds) / lines,
                 static_cast<double>(surroundings.eventChecks) / lines);
    std::wprintf(L"  per line: failures    %.2f ms (%d failed lines%ls)\n",
                 1000.0 * (surroundings.sleepSeconds - finalSleep) / lines,
                 std::max(0, surroundings.sleeps - 1),
                 ownList ? L", without their sleep" : L", 1 s sleep each");
    std::wprintf(L"  per line: the rest    %.2f ms (reading, writing, controls)\n",
                 1000.0 * other / lines);
    std::wprintf(L"  beyond the pauses     %.2f ms per line\n",
                 1000.0 * (counted - kPauseMs / 1000.0 * surroundings.pauses) / lines);
    std::wprintf(L"  bound of the pauses   %.1f lines/s (%d ms a pause; 100 lines/s at one)\n",
                 1000.0 / (kPauseMs * pausesPerLine), kPauseMs);
    std::wprintf(L"  CPU time              %.3f s per 1000 lines\n", 1000.0 * cpu / lines);
    std::wprintf(L"  Info                  %ls (set %d times)\n", info.c_str(),
                 surroundings.infoTexts);
    if (wrongPlace > 0) {
        std::fwprintf(stderr, L"Lines were written with another line's place\n");
        return 1;
    }
    const std::wstring clean =
        L"Converting of " + std::to_wstring(lines) + L" completed without errors.";
    if (!ownList && (!converted || info != clean)) {
        std::fwprintf(stderr, L"Not every line was converted: the numbers include failures\n");
    }
    return 0;
}

}  // namespace
}  // namespace mapwell

int wmain(int argc, wchar_t** argv) {
    mapwell::Job job;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--lines") == 0 && i + 1 < argc) {
            job.lines = _wtoi(argv[++i]);
        } else if (std::wcscmp(argv[i], L"--list") == 0 && i + 1 < argc) {
            job.list = argv[++i];
        } else if (std::wcscmp(argv[i], L"--result") == 0 && i + 1 < argc) {
            job.result = argv[++i];
        } else {
            job.serverOptions += (job.serverOptions.empty() ? L"" : L" ") + std::wstring(argv[i]);
        }
    }
    if (job.lines <= 0) {
        std::fwprintf(stderr, L"usage: ConvertThroughputBench [--lines N | --list FILE] "
                              L"[--result FILE] [NavServer options]\n");
        return 2;
    }
    return mapwell::Bench(job);
}
