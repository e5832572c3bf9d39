// The clock and the wait of `Pause` on Windows, and the system timer held fine for a run.
#pragma once

#include "app/engine/pause.h"

namespace mapwell {

// The performance counter as a millisecond clock, and a wait that wakes when a message for the
// thread arrives (MsgWaitForMultipleObjectsEx) instead of polling in 1 ms sleeps.
class WindowsPace : public PaceClock {
public:
    double NowMs() override;
    bool WaitForEvents(double ms) override;
};

// The program's one WindowsPace.
PaceClock& SystemPace();

// Holds the system timer at 1 ms while it lives (timeBeginPeriod), so that a 10 ms wait ends
// after 10 ms and not at the next clock interrupt, 15.6 ms apart by default. Held for the length
// of a conversion only: a fine timer costs the whole system power.
class FineTimer {
public:
    FineTimer();
    ~FineTimer();
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;

private:
    bool held_ = false;
};

}  // namespace mapwell
