// The engine's own cost per line: a list of N lines through the navigation route with a
// navigation program that answers inside the send, so no pause waits. Reports microseconds per
// line and the process's peak memory; not a test.
// BM_PaceOnSimulatedWindows: the engine's wait for the reply against a simulated Windows clock
// and timer (see simulated_pace.h): lines per second of simulated time, as the old Pause
// (GetTickCount and Sleep(1)) and as Pause now waits, with and without the fine timer of a run.
#include "app/engine/convert_engine.h"
#include "app/engine/pause.h"
#include "testing/simulated_pace.h"
#include "columns/fake_profile_store.h"
#include "navlink/link_record.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

namespace mapwell {
namespace {

// Answers every request at once and keeps nothing per line.
class InstantSurroundings : public RunStatus,
                            public RunLink,
                            public RunWaits,
                            public RunSettings,
                            public RunProfiles {
public:
    explicit InstantSurroundings(std::wstring destination) : destination_(std::move(destination)) {
        SaveProfile(store_, L"bench", {0, 1, 2, 3, 4, 5, 6, -1}, L",");
    }
    ProfileStore& Profiles() override { return store_; }
    void SendGeocodeRequest() override {
        NavLink.Latitude = 52.520008f;
        NavLink.Longitude = 13.404954f;
        NavLink.LinkState = 0;
        NavLink.ReplyReceived = true;
    }
    void Pause(int, const std::function<void()>&) override {}
    void DoEvents() override {}
    void Sleep(int) override {}
    void SetInfo(const std::wstring& text) override { info = text; }
    std::wstring Destination() override { return destination_; }
    OutputFormat FormatInForce() override { return format; }
    std::wstring TxtSep() override { return L"."; }
    std::wstring RegionalDecimalSeparator() override { return L"."; }
    bool StopRequested() override { return false; }
    RunRoles Roles() { return {*this, *this, *this, *this, *this}; }

    OutputFormat format = OutputFormat::Append;
    std::wstring info;

private:
    FakeProfileStore store_;
    std::wstring destination_;
};

std::filesystem::path ListOf(long lines) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("mapwell-bench-" + std::to_string(lines) + ".csv");
    if (!std::filesystem::exists(path)) {
        std::ofstream out(path, std::ios::binary);
        for (long i = 0; i < lines; ++i) {
            out << "Max" << i << ",\"Mustermann\",Hauptstr. " << (i % 200 + 1) << "a,"
                << (10000 + i % 89999) << "," << (10000 + i % 89999)
                << " Berlin,DE,Kunde seit 2001\r\n";
        }
    }
    return path;
}

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_NavigationRoute(benchmark::State& state) {
    const long lines = state.range(0);
    const auto list = ListOf(lines);
    const auto result = std::filesystem::temp_directory_path() / "mapwell-bench-result.txt";
    InstantSurroundings surroundings(result.wstring());
    surroundings.format = static_cast<OutputFormat>(state.range(1));
    for (auto _ : state) {
        NavLink.LinkState = 1;
        benchmark::DoNotOptimize(OpenAddList(list.wstring(), L"bench", surroundings.Roles()));
    }
    state.counters["us_per_line"] =
        benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
    state.counters["peak_kb"] = static_cast<double>(PeakKb());
    std::filesystem::remove(result);
}

// How Pause waited before: the tick count, and 1 ms sleeps that do not wake on messages.
void TickCountPause(int value, PaceClock& clock) {
    const double start = clock.NowMs();
    while (clock.NowMs() - start < value) {
        clock.WaitForEvents(1);
    }
}

enum Pace { kTickCountAndSleep = 0, kCounterAndMessageWait = 1, kCounterMessageWaitFineTimer = 2 };

// Answers inside the send, which costs `sendMs` of simulated time, and pauses on `pace`.
class SimulatedSurroundings : public InstantSurroundings {
public:
    SimulatedSurroundings(std::wstring destination, Pace how, double sendMs)
        : InstantSurroundings(std::move(destination)), how_(how), sendMs_(sendMs),
          pace(how == kTickCountAndSleep ? kCoarseTickMs : kCounterStepMs,
               how == kCounterMessageWaitFineTimer ? kFineTimerMs : kCoarseTickMs,
               how != kTickCountAndSleep) {}
    void SendGeocodeRequest() override {
        pace.Spend(sendMs_);
        InstantSurroundings::SendGeocodeRequest();
    }
    void Pause(int milliseconds, const std::function<void()>&) override {
        if (how_ == kTickCountAndSleep) {
            TickCountPause(milliseconds, pace);
        } else {
            PauseFor(milliseconds, pace, [] { return true; });
        }
    }

private:
    Pace how_;
    double sendMs_;

public:
    SimulatedPace pace;
};

void BM_PaceOnSimulatedWindows(benchmark::State& state) {
    constexpr long kLines = 1000;
    const auto list = ListOf(kLines);
    const auto result = std::filesystem::temp_directory_path() / "mapwell-bench-pace.txt";
    const double sendMs = static_cast<double>(state.range(1)) / 1000.0;
    double simulatedSeconds = 0;
    for (auto _ : state) {
        SimulatedSurroundings surroundings(result.wstring(), static_cast<Pace>(state.range(0)),
                                           sendMs);
        NavLink.LinkState = 1;
        benchmark::DoNotOptimize(OpenAddList(list.wstring(), L"bench", surroundings.Roles()));
        simulatedSeconds = surroundings.pace.now / 1000.0;
    }
    state.counters["sim_lines_per_s"] = static_cast<double>(kLines) / simulatedSeconds;
    state.counters["sim_ms_per_line"] = 1000.0 * simulatedSeconds / kLines;
    std::filesystem::remove(result);
}

// Pace (0: tick count and Sleep(1), as before; 1: counter and message wait; 2: the same with
// the fine timer held for the run) and the send's cost in microseconds (Windows, Wine).
BENCHMARK(BM_PaceOnSimulatedWindows)
    ->ArgsProduct({{kTickCountAndSleep, kCounterAndMessageWait, kCounterMessageWaitFineTimer},
                   {300, 1100}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Smaller list first: the peak of the larger one shows whether memory grows with the list.
BENCHMARK(BM_NavigationRoute)
    ->ArgsProduct({{100000, 1000000}, {static_cast<int>(OutputFormat::Append)}})
    ->Args({1000000, static_cast<int>(OutputFormat::Poi)})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mapwell

BENCHMARK_MAIN();
