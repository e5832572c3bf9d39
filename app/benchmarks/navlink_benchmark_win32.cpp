// NavLinkBenchmark.exe: how long the link takes for one geocoding request to the stand-in
// navigation program, and for one detection tick among many top-level windows. Not a test; it
// prints medians in microseconds. Run it where NavServer.exe is beside it.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "support/window_class_win32.h"
#include "testing/test_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace mapwell;

namespace {

constexpr int kRequests = 1000;
constexpr int kTicks = 100;
constexpr int kWindows = 300;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / frequency;
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-58s median %9.1f us  (min %.1f, 90%% %.1f, max %.1f, n=%zu)\n", what,
                samples[samples.size() / 2], samples.front(), samples[samples.size() * 9 / 10],
                samples.back(), samples.size());
}

HWND CreateTopLevel(const wchar_t* className, const wchar_t* title, DWORD style) {
    return CreateWindowExW(0, className, title, style, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

std::vector<double> TimeTicks() {
    std::vector<double> samples;
    for (int i = 0; i < kTicks; ++i) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        FindNavigator();
        QueryPerformanceCounter(&t1);
        samples.push_back(Microseconds(t0, t1));
    }
    return samples;
}

}  // namespace

int main() {
    RegisterWindowClass(GetModuleHandleW(nullptr), {L"NavLinkBenchmarkMain", DefWindowProcW});
    HWND main =
        CreateTopLevel(L"NavLinkBenchmarkMain", L"Benchmark main window", WS_OVERLAPPEDWINDOW);
    MainWindow = main;
    HookForm(main);

    test::Program server(test::NavServerPath(), test::SampleGazetteerOption());
    HWND serverWindow = server.Started() ? server.Window() : nullptr;
    SendNavCommand(0);
    if (serverWindow == nullptr || !test::PumpUntil([] { return NavLink.LinkState == 1; }, 30000)) {
        std::printf("the stand-in did not link\n");
        return 1;
    }

    std::vector<double> roundTrips;
    int found = 0;
    for (int i = 0; i < kRequests; ++i) {
        NavLink.Country = L"DE";
        NavLink.Zip = (i % 2 == 0) ? L"10115" : L"";
        NavLink.City = (i % 2 == 0) ? L"Berlin" : L"Wien";
        NavLink.Latitude = 0;
        NavLink.ReplyReceived = false;
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        SendNavCommand(5);
        if (!NavLink.ReplyReceived) {
            test::PumpUntil([] { return NavLink.ReplyReceived; }, 5000);
        }
        QueryPerformanceCounter(&t1);
        roundTrips.push_back(Microseconds(t0, t1));
        found += NavLink.Latitude != 0 ? 1 : 0;
    }
    Report("geocoding request round trip (answer inside the send)", roundTrips);
    std::printf("  %d of %d requests found\n", found, kRequests);

    // A crowded desktop: the windows of another process, each title read a round trip.
    test::Program crowd(test::NavServerPath(),
                        L"--title Crowd --extra-windows " + std::to_wstring(kWindows));
    HWND crowdWindow = crowd.Started() ? crowd.Window() : nullptr;
    // It creates its further windows before it handles its first message.
    if (crowdWindow == nullptr ||
        !SendMessageTimeoutW(crowdWindow, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr)) {
        std::printf("the crowd of windows did not start\n");
        return 1;
    }
    std::printf("detection tick with %d visible top-level windows of another process:\n", kWindows);
    Report("  FindNavigator, navigation program present", TimeTicks());
    PostMessageW(serverWindow, WM_CLOSE, 0, 0);
    server.WaitForExit(30000);
    Report("  FindNavigator, no navigation program", TimeTicks());
    return 0;
}
