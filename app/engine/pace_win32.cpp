#include "app/engine/pace_win32.h"

#include <windows.h>
#include <timeapi.h>

#include <cmath>

namespace mapwell {

double WindowsPace::NowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / perMs;
}

bool WindowsPace::WaitForEvents(double ms) {
    // MWMO_INPUTAVAILABLE: also a message that is already queued but was left by the last event
    // pass ends the wait at once.
    const DWORD timeout = ms <= 0 ? 0 : static_cast<DWORD>(std::ceil(ms));
    return MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
           WAIT_TIMEOUT;
}

PaceClock& SystemPace() {
    static WindowsPace pace;
    return pace;
}

FineTimer::FineTimer() : held_(timeBeginPeriod(1) == TIMERR_NOERROR) {}

FineTimer::~FineTimer() {
    if (held_) {
        timeEndPeriod(1);
    }
}

}  // namespace mapwell
