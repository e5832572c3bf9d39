#include "app/window/run_meter.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(RunMeter, TimeLeftAtThePaceSoFarOnceItCanBeJudged) {
    const struct {
        int total, done;
        double seconds;
        const wchar_t* window;
    } cases[] = {
        {10000, 0, 0, L"0 of 10000 lines"},
        {10000, 19, 4.9, L"19 of 10000 lines"},              // too early to tell
        {10000, 20, 0.25, L"20 of 10000 lines, 2:05 left"},  // the first estimate: 20 lines
        {10000, 3, 5, L"3 of 10000 lines, 4:37:42 left"},    // or 5 s, whichever comes first
        {10000, 0, 60, L"0 of 10000 lines"},                 // no line yet: no pace
        {10000, 5000, 57, L"5000 of 10000 lines, 0:57 left"},
        {10000, 10000, 114, L"10000 of 10000 lines, 0:00 left"},
        {3, 5, 10, L"5 of 5 lines, 0:00 left"},  // a list that grew while it was read
        {0, 0, 10, L"0 of 0 lines"},
    };
    for (const auto& c : cases) {
        RunMeter meter;
        meter.Start(c.total, 100);
        meter.Update(c.done, 0, 100 + c.seconds);
        EXPECT_EQ(WindowProgressText(meter), c.window) << c.done << " " << c.seconds;
    }
}

TEST(RunMeter, TheCommandLinesLineCountsFailuresAndPace) {
    RunMeter meter;
    meter.Start(10000, 0);
    meter.Update(1750, 12, 20);
    EXPECT_EQ(ConsoleProgressText(meter),
              L"1750 of 10000 lines, 12 failed, 87.5 lines/s, 1:35 left");
    meter.Start(0, 3);
    EXPECT_EQ(ConsoleProgressText(meter), L"0 of 0 lines, 0 failed, 0.0 lines/s");
    EXPECT_EQ(DurationText(3599.2), L"1:00:00");
}

TEST(RunMeter, ShownEverySoOftenAndAtTheLastLine) {
    RunMeter meter;
    meter.Start(100, 10);
    const struct {
        int done;
        double seconds;
        bool due;
    } steps[] = {{1, 10.1, false}, {2, 10.3, true}, {3, 10.5, false}, {100, 10.6, true}};
    for (const auto& step : steps) {
        meter.Update(step.done, 0, step.seconds);
        EXPECT_EQ(meter.ShowDue(0.25), step.due) << step.done;
    }
}

}  // namespace
}  // namespace mapwell
