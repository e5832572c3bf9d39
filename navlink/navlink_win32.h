// The navigation program link on Windows: sending commands, taking in the announcement and the
// replies through a hook on the main window, and the detection timer that finds the navigation
// program by window title. Everything runs on the main window's thread.
#pragma once

#include "navlink/link_record.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace mapwell {

// The link's window handles, defined beside the other link globals (link_record.h).
// The program's main window: wParam of every command, lParam of every announcement.
extern HWND MainWindow;
// The hooked window and its procedure before the hook.
extern HWND FormWindow;
extern WNDPROC PrevWindowProc;
// The window that the detection search under way found.
extern HWND FoundWindow;

// How long a command may take the navigation program before it counts as unanswered. With the
// line's wait of about 2 s and a failed line's 1 s, a line to a hung navigation program costs
// about 6 s; "Exit" pressed meanwhile ends the program after the send under way.
inline constexpr UINT kCommandTimeoutMs = 3000;
// A navigation program that did not take a command gets nothing but the next line's request;
// outside a conversion the timer tries it again with one poll after this long.
inline constexpr ULONGLONG kRetryUnansweredMs = 10000;
inline constexpr UINT kNavTimerMs = 500;
inline constexpr UINT_PTR kNavTimerId = 0x4E41;

// Start-up of the link for the main window: remembers it, hooks it (unless the executable is
// named Project1), marks the reply flag as set and starts the detection timer.
void StartNavLink(HWND mainWindow);

// Sends command 0 (announce), 1 (poll), 5 (geocoding request from NavLink's request fields) or
// another command up to 24. False when refused: no navigation program known, or above 24.
bool SendNavCommand(std::uint8_t command);

// The line's wait for its answer is over, answered or not: the timer may poll again, and an
// answer that comes now is late.
void EndGeocodeWait();

// True while an earlier request may still be answered and the navigation program's replies
// cannot tell that answer from the next request's: the next request waits (see request_ledger.h).
bool MustWaitForEarlierAnswer();

// True while the navigation program has not taken the last command in time and has sent
// nothing since, until kRetryUnansweredMs have passed.
bool NavProgramNotTakingCommands();

// The navigation program's window is gone: its open requests and the link's state are forgotten,
// commands are refused, and NavProgramHasGone() holds until a navigation program announces
// itself again.
void NavProgramWindowGone();
bool NavProgramHasGone();

// True while the navigation program takes geocoding requests but sends nothing back (see
// kSilentRequestsForNoAnswer in nav_program.h).
bool NavProgramDoesNotAnswer();

// The navigation program's announcement, with its window handle as lParam.
void AcceptAnnounce(LPARAM lParam);

// A reply; `data` is what the WM_COPYDATA's lParam points to.
void ParseNavReply(const COPYDATASTRUCT* data);

void HookForm(HWND window);
LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One detection tick, and the searches behind it.
void NavTimer_Timer();
int FindNavigator();
HWND FindWindowLike(std::wstring_view pattern, bool exact);
BOOL CALLBACK EnumWindowsProc(HWND window, LPARAM exact);

}  // namespace mapwell
