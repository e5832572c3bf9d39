// Sending commands to the navigation program and taking in its announcement and replies.
#include "navlink/navlink_win32.h"

#include "navlink/protocol.h"
#include "navlink/nav_program.h"

namespace mapwell {

namespace {

void RegisterAnnounceMessages() {
    if (MsgServerToClient == 0) {
        MsgServerToClient = RegisterWindowMessageW(kAnnounceServerToClientName);
        MsgClientToServer = RegisterWindowMessageW(kAnnounceClientToServerName);
    }
}

// The announcement is a broadcast: it reaches this program's own main window and every other
// running copy of the program, which post the same messages. Neither is a navigation program.
bool IsThisProgramsWindow(HWND window) {
    if (window == nullptr || MainWindow == nullptr) {
        return false;
    }
    if (window == MainWindow) {
        return true;
    }
    wchar_t ownClass[256];
    wchar_t otherClass[256];
    return GetClassNameW(MainWindow, ownClass, 256) > 0 &&
           GetClassNameW(window, otherClass, 256) > 0 && lstrcmpW(ownClass, otherClass) == 0;
}

}  // namespace

bool SendNavCommand(std::uint8_t command) {
    if (command != kCommandAnnounce && ServerWindow <= 0) {
        return false;
    }
    if (command == kCommandAnnounce) {
        if (NavLink.LinkState != 0) {
            return true;
        }
        RegisterAnnounceMessages();
        const auto self = reinterpret_cast<LPARAM>(MainWindow);
        PostMessageW(HWND_BROADCAST, MsgServerToClient, 0, self);
        PostMessageW(HWND_BROADCAST, MsgClientToServer, 0, self);
        return true;
    }
    if (command > kLastCommand) {
        return false;
    }

    CommandRecord record{};
    COPYDATASTRUCT data{};
    data.dwData = command;
    if (command == kCommandGeocode) {
        record = BuildCommandRecord(NavLink);
        NavProgram.Requests.Sent(AddressOfRecord(record.data(), record.size()), GetTickCount64());
        data.cbData = static_cast<DWORD>(record.size());
        data.lpData = record.data();
        NavProgram.GeocodeWaiting = true;
        ++NavProgram.SilentRequests;
    }
    NavProgram.LastCommand = command;
    // Set before sending: the reply may arrive while the send is still in progress.
    AwaitingReply = true;
    DWORD_PTR result = 0;
    // Sent messages (the reply among them) are still handled during the wait; a navigation
    // program that stops responding must not hold this program for longer than the time limit,
    // and one that has already stopped for a while gets nothing at all.
    const HWND server = reinterpret_cast<HWND>(ServerWindow);
    if (SendMessageTimeoutW(server, WM_COPYDATA, reinterpret_cast<WPARAM>(MainWindow),
                            reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                            kCommandTimeoutMs, &result) == 0) {
        // Not taken in time, or its window is gone: a late answer must not be read as the answer
        // to this or a later command.
        const bool timedOut = GetLastError() == ERROR_TIMEOUT;
        AwaitingReply = false;
        if (!IsWindow(server)) {
            NavProgramWindowGone();
        } else if (timedOut) {
            NavProgram.CommandNotTakenSince = GetTickCount64();
        }
    } else {
        NavProgram.CommandNotTakenSince = 0;
    }
    return true;
}

void NavProgramWindowGone() {
    NavProgram.WindowGone();
    NavLink.LinkState = 0;
}

bool NavProgramHasGone() {
    return NavProgram.Gone;
}

bool NavProgramDoesNotAnswer() {
    return NavProgram.DoesNotAnswer();
}

void EndGeocodeWait() {
    NavProgram.GeocodeWaiting = false;
    // An answer after the line's wait is late; it is attributed, never read.
    if (NavProgram.LastCommand == kCommandGeocode) {
        AwaitingReply = false;
    }
}

bool MustWaitForEarlierAnswer() {
    // A navigation program that does not take commands, or answers nothing at all, answers
    // nothing meanwhile; waiting for it would only hold the run.
    if (NavProgramNotTakingCommands() || NavProgram.DoesNotAnswer() ||
        !NavProgram.Requests.MustWaitBeforeNextRequest(GetTickCount64())) {
        return false;
    }
    NavProgram.GeocodeWaiting = true;  // no poll goes out while an answer may still come
    return true;
}

bool NavProgramNotTakingCommands() {
    return NavProgram.CommandNotTakenSince != 0 &&
           GetTickCount64() - NavProgram.CommandNotTakenSince < kRetryUnansweredMs;
}

void AcceptAnnounce(LPARAM lParam) {
    if (IsThisProgramsWindow(reinterpret_cast<HWND>(lParam))) {
        return;
    }
    // A navigation program whose window is gone answers nothing more.
    if (ServerWindow != 0 && !IsWindow(reinterpret_cast<HWND>(ServerWindow))) {
        NavProgram.WindowGone();
    }
    ServerWindow = lParam;
    NavProgram.CommandNotTakenSince = 0;
    if (lParam > 0) {
        NavProgram.Gone = false;
        NavLink.LinkState = 1;
    }
}

void ParseNavReply(const COPYDATASTRUCT* data) {
    if (data == nullptr) {
        NavLink.ReplyReceived = true;
        return;
    }
    // The three fields are taken out before anything else is read.
    const ULONG_PTR type = data->dwData;
    const DWORD size = data->cbData;
    const void* bytes = data->lpData;
    ParseReply(NavLink, type, bytes, size);
}

}  // namespace mapwell
