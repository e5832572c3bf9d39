// The program's one message pump: keyboard navigation for every window that asks for it,
// and the one event pass of the window's own waits.
#pragma once

#include "app/engine/pause.h"

#include <windows.h>

#include <functional>

namespace mapwell {

// Handles one message the way the message loop does: keyboard navigation for the window it
// belongs to, otherwise translate and dispatch.
void HandleMessage(MSG& message);

// The most time one event pass spends before it returns, whatever is still pending. A pass
// that drained the queue could run for ever: a handler that takes longer than a timer's period
// (a detection tick among hundreds of windows) always finds the timer due again.
inline constexpr double kEventPassBudgetMs = 50;

// One event pass: handles the pending messages, calling `eachEvent` (when set) after each, until
// none is left or kEventPassBudgetMs have passed on `clock`. A WM_QUIT met here is posted again
// for the window's own loop; the function then returns false.
bool ProcessPendingEvents(const std::function<void()>& eachEvent = {}, PaceClock* clock = nullptr);

// One event pass for the window's own steps that let events in.
void DoEvents();

}  // namespace mapwell
