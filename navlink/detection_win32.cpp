// The detection timer: finds the navigation program by the titles of the visible top-level
// windows and keeps the link announced or polled.
#include "navlink/navlink_win32.h"

#include "navlink/detection.h"
#include "navlink/link_record.h"
#include "navlink/protocol.h"

namespace mapwell {

std::int16_t NavProduct = 0;
std::wstring FindPattern;
HWND FoundWindow = nullptr;

namespace {

// Titles are read up to this many characters, the last one being the terminating NUL.
constexpr int kTitleBuffer = 128;

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) {
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

}  // namespace

void NavTimer_Timer() {
    NavProduct = static_cast<std::int16_t>(FindNavigator());
    switch (NextTickAction(NavProduct, NavLink.LinkState, AwaitingReply, LastCommand)) {
    case TickAction::Announce: SendNavCommand(kCommandAnnounce); break;
    case TickAction::Poll: SendNavCommand(kCommandPoll); break;
    case TickAction::MarkLinkDown:
        NavLink.LinkState = 0;
        // Ends any wait for a reply that will now never come.
        NavLink.ReplyReceived = true;
        break;
    case TickAction::Nothing: break;
    }
}

int FindNavigator() {
    std::array<bool, kProductPatternCount> matched{};
    for (std::size_t row = 0; row < kProductPatternCount; ++row) {
        matched[row] =
            FindWindowLike(kProductPatterns[row].pattern, kProductPatterns[row].exact) != nullptr;
    }
    return ProductClassOf(matched);
}

HWND FindWindowLike(std::wstring_view pattern, bool exact) {
    FindPattern = pattern;
    FoundWindow = nullptr;
    if (!exact) {
        FindPattern = UpperCase(FindPattern);
    }
    EnumWindows(&EnumWindowsProc, exact ? -1 : 0);
    return FoundWindow;
}

BOOL CALLBACK EnumWindowsProc(HWND window, LPARAM exact) try {
    // GetParent also names the owner of a pop-up window, so owned pop-ups are passed over too.
    if (!IsWindowVisible(window) || GetParent(window) != nullptr) {
        return TRUE;
    }
    wchar_t buffer[kTitleBuffer];
    const int length = GetWindowTextW(window, buffer, kTitleBuffer);
    if (length <= 0) {
        return TRUE;
    }
    std::wstring title(buffer, static_cast<std::size_t>(length));
    if (exact == 0) {
        title = UpperCase(std::move(title));
    }
    if (MatchesPattern(title, FindPattern)) {
        FoundWindow = window;
        return FALSE;
    }
    return TRUE;
} catch (...) {
    return TRUE;  // nothing may leave a callback of the window system
}

}  // namespace mapwell
