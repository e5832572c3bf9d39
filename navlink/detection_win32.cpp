// The detection timer: finds the navigation program by the titles of the visible top-level
// windows and keeps the link announced or polled.
#include "navlink/navlink_win32.h"

#include "navlink/detection.h"
#include "navlink/link_record.h"
#include "navlink/protocol.h"
#include "navlink/nav_program.h"

#include <vector>

namespace mapwell {

namespace {

// Titles are read up to this many characters, the last one being the terminating NUL.
constexpr int kTitleBuffer = 128;

std::wstring UpperCase(std::wstring text) {
    if (!text.empty()) {
        CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

struct SeenWindow {
    HWND handle;
    WindowTitle title;
};

// The visible, parentless top-level windows with a title, in the order EnumWindows gives them;
// each title is read once.
std::vector<SeenWindow> VisibleWindows() {
    std::vector<SeenWindow> seen;
    EnumWindows(&EnumWindowsProc, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

}  // namespace

void NavTimer_Timer() {
    NavProduct = static_cast<std::int16_t>(FindNavigator());
    // A navigation program whose window is gone answers nothing more, whatever LinkState holds.
    if (ServerWindow != 0 && !IsWindow(reinterpret_cast<HWND>(ServerWindow))) {
        NavProgramWindowGone();
    }
    TickLinkState link;
    link.lineWaiting = NavProgram.GeocodeWaiting;
    link.answerOwed = NavProgram.Requests.AnswerOwed(GetTickCount64());
    link.notTakingCommands = NavProgramNotTakingCommands();
    switch (NextTickAction(NavProduct, NavLink.LinkState, link)) {
    case TickAction::Announce: SendNavCommand(kCommandAnnounce); break;
    case TickAction::Poll: SendNavCommand(kCommandPoll); break;
    case TickAction::MarkLinkDown: NavLink.LinkState = 0; break;
    case TickAction::Nothing: break;
    }
}

int FindNavigator() {
    // One look at the windows for all sixteen patterns: with many windows of other programs,
    // each enumeration and each title read is a round trip to the window system.
    std::vector<WindowTitle> titles;
    for (SeenWindow& window : VisibleWindows()) {
        titles.push_back(std::move(window.title));
    }
    return ProductClassOf(MatchedRows(titles));
}

HWND FindWindowLike(std::wstring_view pattern, bool exact) {
    FindPattern = pattern;
    FoundWindow = nullptr;
    if (!exact) {
        FindPattern = UpperCase(FindPattern);
    }
    for (const SeenWindow& window : VisibleWindows()) {
        if (MatchesPattern(exact ? window.title.text : window.title.upper, FindPattern)) {
            FoundWindow = window.handle;
            break;
        }
    }
    return FoundWindow;
}

BOOL CALLBACK EnumWindowsProc(HWND window, LPARAM seen) try {
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
    std::wstring upper = UpperCase(title);
    reinterpret_cast<std::vector<SeenWindow>*>(seen)->push_back(
        {window, {std::move(title), std::move(upper)}});
    return TRUE;
} catch (...) {
    return TRUE;  // nothing may leave a callback of the window system
}

}  // namespace mapwell
