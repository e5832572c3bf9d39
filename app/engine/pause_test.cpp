#include "app/engine/pause.h"
#include "testing/simulated_pace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace mapwell {
namespace {

struct PaceCase {
    double clockStep;
    double interrupt;
    int value;
};

// Pause keeps its meaning on any clock: events at least once, and the end at the first check
// after the time has passed on that clock.
TEST(Pause, EndsAtTheFirstCheckAfterItsTime) {
    const PaceCase cases[] = {
        {kCoarseTickMs, kCoarseTickMs, 10}, {kCoarseTickMs, kCoarseTickMs, 40},
        {kCounterStepMs, kFineTimerMs, 10}, {kCounterStepMs, kCoarseTickMs, 10},
        {kCoarseTickMs, kCoarseTickMs, 0},  {kCounterStepMs, kFineTimerMs, -5},
    };
    for (const PaceCase& c : cases) {
        for (double startAt : {0.0, 3.3, 15.6}) {
            SimulatedPace pace(c.clockStep, c.interrupt, true);
            pace.now = startAt;
            const double start = pace.NowMs();
            int passes = 0;
            double lastCheck = start;
            EXPECT_TRUE(PauseFor(c.value, pace, [&] {
                if (passes > 0) {
                    EXPECT_LT(lastCheck - start, c.value) << "a pass after the end";
                }
                ++passes;
                pace.Spend(0.05);
                lastCheck = pace.NowMs();
                return true;
            }));
            EXPECT_GE(passes, 1);
            EXPECT_GE(pace.NowMs() - start, c.value);
            EXPECT_LE(pace.now - startAt, std::max(c.value, 0) + c.interrupt + c.clockStep + 0.1);
        }
    }
}

// A message wakes the wait for an event pass, and past half the time it still does not end it;
// a wait that runs out with no message is followed by no pass: nothing waits to be handled.
TEST(Pause, AMessageEndsTheWaitForAnEventPass) {
    SimulatedPace pace(kCounterStepMs, kFineTimerMs, true);
    pace.messageAt = 6.2;
    std::vector<double> passesAt;
    EXPECT_TRUE(PauseFor(10, pace, [&] {
        passesAt.push_back(pace.now);
        return true;
    }));
    EXPECT_EQ(passesAt, (std::vector<double>{0, 6.2}));  // at the start and at the message
    EXPECT_GE(pace.now, 10);
}

}  // namespace
}  // namespace mapwell
