#include "app/engine/events_win32.h"

#include "app/engine/pace_win32.h"

namespace mapwell {

void HandleMessage(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    // Tab, Enter and the arrow keys move between the controls of the main window and of the
    // dialogs; IsDialogMessage does that for any window marked WS_EX_CONTROLPARENT.
    if (root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
        IsDialogMessageW(root, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool ProcessPendingEvents(const std::function<void()>& eachEvent, PaceClock* clock) {
    PaceClock& pace = clock ? *clock : SystemPace();
    const double start = pace.NowMs();
    MSG msg;
    for (;;) {
        // Messages sent by other programs (the navigation program's replies) are handled inside
        // PeekMessage itself, before it returns. The queue's state is asked first: under Wine a
        // look into an empty queue also gives the processor away, which on a busy machine can
        // cost a whole time slice, twice a line.
        const BOOL got = HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0 &&
                         PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
        if (eachEvent) {
            eachEvent();
        }
        if (!got) {
            return true;
        }
        if (msg.message == WM_QUIT) {
            // The window's own loop must still see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        HandleMessage(msg);
        if (eachEvent) {
            eachEvent();
        }
        if (pace.NowMs() - start >= kEventPassBudgetMs) {
            return true;
        }
    }
}

void DoEvents() {
    ProcessPendingEvents();
}

}  // namespace mapwell
