#include "app/engine/pause.h"

namespace mapwell {

bool PauseFor(int valueMs, PaceClock& clock, const std::function<bool()>& eventPass) {
    const double start = clock.NowMs();
    bool pending = true;
    for (;;) {
        if (pending && !eventPass()) {
            return false;
        }
        const double elapsed = clock.NowMs() - start;
        if (elapsed >= valueMs) {
            return true;
        }
        pending = clock.WaitForEvents(valueMs - elapsed);
    }
}

}  // namespace mapwell
