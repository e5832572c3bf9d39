// The hook in front of the main window's procedure that hands the navigation program's messages
// to the link, and the start-up of the link for the main window.
#include "navlink/navlink_win32.h"

#include "navlink/detection.h"
#include "navlink/link_record.h"
#include "navlink/nav_program.h"

#include <vector>

namespace mapwell {

namespace {

void CALLBACK NavTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    try {
        NavTimer_Timer();
    } catch (...) {
        // Nothing may leave a callback of the window system; the next tick tries again.
    }
}

std::wstring ExecutablePath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), length);
}

// Every place reply is attributed, also one that comes while no command waits, so that the
// requests still open are counted right; only the answer to the waiting command is read. A
// reply that cannot be told apart is read by no line: the waiting one goes on waiting for its own.
void TakeCopyData(const COPYDATASTRUCT* data) {
    const ReplyOwner owner = data == nullptr
                                 ? ReplyOwner::ThisCommand
                                 : NavProgram.Requests.Attribute(data->dwData, data->lpData,
                                                                 data->cbData, GetTickCount64());
    if (owner != ReplyOwner::ThisCommand || !AwaitingReply) {
        return;
    }
    // Cleared first: a further WM_COPYDATA during parsing is passed on unread.
    AwaitingReply = false;
    ParseNavReply(data);
}

}  // namespace

void HookForm(HWND window) {
    FormWindow = window;
    PrevWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindowProc)));
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_COPYDATA) {
            // Something came: the navigation program takes commands and answers again.
            NavProgram.CommandNotTakenSince = 0;
            NavProgram.SilentRequests = 0;
            TakeCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        } else if (MsgServerToClient != 0 && message == MsgServerToClient) {
            AcceptAnnounce(lParam);
        }
    } catch (...) {
        // Out of memory while storing a reply: the window's own handling still runs.
    }
    if (PrevWindowProc == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return CallWindowProcW(PrevWindowProc, window, message, wParam, lParam);
}

void StartNavLink(HWND mainWindow) {
    MainWindow = mainWindow;
    if (!RunsWithoutHook(ExecutablePath())) {
        HookForm(mainWindow);
    }
    NavLink.ReplyReceived = true;
    SetTimer(mainWindow, kNavTimerId, kNavTimerMs, &NavTimerProc);
}

}  // namespace mapwell
