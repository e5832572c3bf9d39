// A simulated clock and timer for Pause, as Windows has them: time moves only when the program
// waits or is charged for work. The clock reads in steps (GetTickCount: 15.625 ms; the
// performance counter: finer than a microsecond); a timed wait ends at a timer interrupt
// (every 15.625 ms by default, every 1 ms while timeBeginPeriod(1) is held), or earlier when a
// message arrives and the wait wakes on messages. Test-only.
#pragma once

#include "app/engine/pause.h"

#include <cmath>
#include <limits>

namespace mapwell {

class SimulatedPace : public PaceClock {
public:
    SimulatedPace(double clockStepMs, double interruptMs, bool wakesOnMessages)
        : clockStepMs_(clockStepMs), interruptMs_(interruptMs), wakesOnMessages_(wakesOnMessages) {}

    double NowMs() override { return std::floor(now / clockStepMs_) * clockStepMs_; }
    bool WaitForEvents(double ms) override {
        double end = std::ceil((now + ms) / interruptMs_) * interruptMs_;
        if (end <= now) {
            end = now + interruptMs_;
        }
        const bool message = messageAt > now && messageAt <= end;
        if (wakesOnMessages_ && message && messageAt < end) {
            end = messageAt;
        }
        now = end;
        return message;
    }
    // Work that takes `ms` of the thread's time.
    void Spend(double ms) { now += ms; }

    double now = 0;                                              // the true time, in milliseconds
    double messageAt = std::numeric_limits<double>::infinity();  // the next message due

private:
    double clockStepMs_;
    double interruptMs_;
    bool wakesOnMessages_;
};

// The clocks and timers that the benchmarks and tests compare.
inline constexpr double kCoarseTickMs = 15.625;   // GetTickCount and the default timer
inline constexpr double kCounterStepMs = 0.0001;  // the performance counter
inline constexpr double kFineTimerMs = 1.0;       // the timer under timeBeginPeriod(1)

}  // namespace mapwell
