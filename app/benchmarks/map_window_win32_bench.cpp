// MapWindowBench.exe: how long the map of 10,000 points takes to open (the scene with its
// country check, the window, its list of lines and its first picture), to redraw, and to redraw
// while the wheel zooms in and out about the pointer. Not a test; it prints milliseconds,
// medians of several runs.
#include "app/map/map_window_win32.h"

#include "app/benchmarks/bench_timing_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace mapwell;

namespace {

constexpr int kPoints = 10000;
constexpr int kRuns = 7;
constexpr int kRedraws = 20;

// Places spread over Germany, Austria and Switzerland, each line naming one of the three.
std::vector<ConvertedPoint> Points() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(46.0, 55.0), lon(6.0, 17.0);
    const wchar_t* countries[] = {L"Deutschland", L"A", L"CH"};
    const wchar_t* answers[] = {L"postcode level: 10115 Berlin, DE", L"city level: Wien, AT",
                                L"street level: x", L"district level: y", L"found"};
    std::vector<ConvertedPoint> points;
    for (int i = 0; i < kPoints; ++i) {
        points.push_back({lat(random), lon(random), L"Kunde " + std::to_wstring(i) + L";Stadt",
                          countries[i % 3], answers[i % 5]});
    }
    return points;
}

}  // namespace

int wmain() {
    const std::vector<ConvertedPoint> points = Points();
    std::vector<double> opens, redraws, zooms;
    for (int run = 0; run < kRuns; ++run) {
        const double start = MillisecondsNow();
        HWND window = ShowMapWindow(nullptr, MapScene(points, {}), L"bench");
        opens.push_back(MillisecondsNow() - start);
        if (!window) {
            std::printf("the map window could not be created\n");
            return 1;
        }
        for (int i = 0; i < kRedraws; ++i) {
            const double from = MillisecondsNow();
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
            redraws.push_back(MillisecondsNow() - from);
        }
        RECT client;
        GetClientRect(window, &client);
        POINT pointer{client.right / 3, client.bottom / 2};
        ClientToScreen(window, &pointer);
        for (int i = 0; i < kRedraws; ++i) {
            const double from = MillisecondsNow();
            const int notches = i < kRedraws / 2 ? 1 : -1;
            SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA),
                         MAKELPARAM(pointer.x, pointer.y));
            UpdateWindow(window);
            zooms.push_back(MillisecondsNow() - from);
        }
        DestroyWindow(window);
    }
    std::printf("map of %d points: open %.1f ms, redraw %.1f ms, redraw while zooming %.1f ms "
                "(medians; targets 300 / 50 / 50)\n",
                kPoints, Median(opens), Median(redraws), Median(zooms));
    return 0;
}
