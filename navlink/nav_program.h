// What the link knows of the navigation program it talks to, beyond the link globals of
// link_record.h: one owner, living as long as the navigation program's window. When that window
// is gone, everything it held is forgotten at once (WindowGone) and the link says so until a
// navigation program announces itself again.
#pragma once

#include "navlink/request_ledger.h"

#include <cstdint>

namespace mapwell {

// Geocoding requests in a row after which nothing at all came back: with more, the navigation
// program does not answer, and no line waits any longer for an earlier line's answer.
inline constexpr int kSilentRequestsForNoAnswer = 3;

struct NavProgramLink {
    // The window to which commands are sent (ServerWindow); 0 = none.
    std::intptr_t ServerWindow = 0;
    // A command has gone out and no WM_COPYDATA has reached the main window since
    // (AwaitingReply).
    bool AwaitingReply = false;
    // The geocoding requests that may still be answered.
    RequestLedger Requests;
    // The last command sent by WM_COPYDATA.
    std::uint8_t LastCommand = 0;
    // A line's geocoding request is outstanding: from its send until the line's wait ends. The
    // detection timer sends nothing meanwhile.
    bool GeocodeWaiting = false;
    // When the last command that the navigation program did not take in time was sent
    // (milliseconds since the system started); 0 once it has taken a command or sent anything
    // since.
    std::uint64_t CommandNotTakenSince = 0;
    // Geocoding requests sent since anything last came from the navigation program.
    int SilentRequests = 0;
    // The navigation program's window has gone during this link; cleared by an announcement.
    bool Gone = false;

    // The navigation program does not answer: kSilentRequestsForNoAnswer requests or more in a
    // row brought nothing back.
    bool DoesNotAnswer() const { return SilentRequests >= kSilentRequestsForNoAnswer; }

    // The navigation program's window is gone: what it was asked will never be answered, and
    // no command goes out until a navigation program announces itself again.
    void WindowGone() {
        *this = NavProgramLink{};
        Gone = true;
    }
};

// The one navigation program of the link.
extern NavProgramLink NavProgram;

}  // namespace mapwell
