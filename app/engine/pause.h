// `Pause`: the wait of the conversion engine that lets the window process its events. The clock
// it measures with and the way it waits are handed in, so that the same wait runs on Windows and
// against a simulated clock and timer in tests and benchmarks.
#pragma once

#include <functional>

namespace mapwell {

class PaceClock {
public:
    virtual ~PaceClock() = default;
    // Milliseconds since a fixed moment, at the clock's own resolution.
    virtual double NowMs() = 0;
    // Returns when a window message arrives or `ms` milliseconds have passed, whichever is
    // first; a timer that ticks coarsely may make it return later. False when the time ran out
    // with no message waiting.
    virtual bool WaitForEvents(double ms) = 0;
};

// Waits `valueMs` milliseconds while processing window events: `eventPass` runs at least once
// (also for 0 or less) and the wait ends at the first check after `valueMs` have passed on
// `clock`. Between checks it waits for a message or for the rest of the time; a wait that ran
// out with no message waiting is followed by no event pass, since there is nothing to handle.
// False as soon as an event pass returns false (the program is to end).
bool PauseFor(int valueMs, PaceClock& clock, const std::function<bool()>& eventPass);

}  // namespace mapwell
