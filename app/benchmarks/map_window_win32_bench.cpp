// MapWindowBench.exe: how long the map of 10,000 points takes to open (the scene with its
// country check, the window and its first picture) and to redraw. Not a test; it prints
// milliseconds, medians of several runs.
#include "app/map/map_window_win32.h"

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

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1e3 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Places spread over Germany, Austria and Switzerland, each line naming one of the three.
std::vector<ConvertedPoint> Points() {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(46.0, 55.0), lon(6.0, 17.0);
    const wchar_t* countries[] = {L"Deutschland", L"A", L"CH"};
    std::vector<ConvertedPoint> points;
    for (int i = 0; i < kPoints; ++i) {
        points.push_back({lat(random), lon(random), L"Kunde " + std::to_wstring(i) + L";Stadt",
                          countries[i % 3]});
    }
    return points;
}

}  // namespace

int wmain() {
    const std::vector<ConvertedPoint> points = Points();
    std::vector<double> opens, redraws;
    for (int run = 0; run < kRuns; ++run) {
        const double start = Now();
        HWND window = ShowMapWindow(nullptr, MapScene(points, {}), L"bench");
        opens.push_back(Now() - start);
        if (!window) {
            std::printf("the map window could not be created\n");
            return 1;
        }
        for (int i = 0; i < kRedraws; ++i) {
            const double from = Now();
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
            redraws.push_back(Now() - from);
        }
        DestroyWindow(window);
    }
    std::printf("map of %d points: open %.1f ms, redraw %.1f ms (medians; targets 300 / 50)\n",
                kPoints, Median(opens), Median(redraws));
    return 0;
}
