// Waiting on the window thread while its windows stay alive: one pass over the pending
// messages, and `Pause`, which repeats such passes for a number of milliseconds.
#pragma once

#include <windows.h>

#include <cstdint>

namespace mapwell {

// Handles one message the way the message loop does: keyboard navigation for the window it
// belongs to, otherwise translate and dispatch.
void HandleMessage(MSG& message);

// Processes every pending message once. A quit request met on the way is put back so that the
// main loop still sees it.
void DoEvents();

// Waits `value` milliseconds, processing messages at least once; ends at the first check after
// the tick count advanced by `value` (a wrap of the tick count does not prolong it).
void Pause(std::int32_t value);

}  // namespace mapwell
