// The main window's message handling: keyboard navigation for every window that asks for it,
// and one pass over the pending messages for the window's own waits.
#pragma once

#include <windows.h>

namespace mapwell {

// Handles one message the way the message loop does: keyboard navigation for the window it
// belongs to, otherwise translate and dispatch.
void HandleMessage(MSG& message);

// Processes every pending message once. A quit request met on the way is put back so that the
// main loop still sees it.
void DoEvents();

}  // namespace mapwell
