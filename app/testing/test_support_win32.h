// Helpers of the link's Windows tests: a hooked main window in the test process, programs of the
// build started beside it, waiting while messages are handled, and reading the stand-in's log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mapwell::test {

// What the hooked main window's own procedure has seen: the link must pass every message on.
struct MainWindowSeen {
    int copyData = 0;
    int serverToClient = 0;
};
inline constexpr LRESULT kCopyDataResult = 1234;  // what the window's own procedure answers

// The test process's main window, created and started (StartNavLink) on first use.
HWND TestMainWindow();
MainWindowSeen& Seen();
// A further window of the same class, as another copy of the program would have.
HWND CreateMainClassWindow();

// Handles every waiting message; true once `done` holds, false after `ms` milliseconds.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 30000);
void PumpFor(DWORD ms);
// Waits without handling messages, so that the test's own window takes no part in the link.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 30000);
// Back to the state of a fresh program, after the messages still queued have been handled.
void ResetLink();

// The folder of the test executable, ending in a backslash; programs of the build are there.
std::wstring BinFolder();
// A new empty folder under the temporary folder, ending in a backslash.
std::wstring NewTempFolder();

// A program started from the test; ended (if still running) when this goes.
class Program {
public:
    Program(const std::wstring& exe, const std::wstring& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    // Its visible top-level window, waited for up to `ms`.
    HWND Window(DWORD ms = 30000) const;
    bool WaitForExit(DWORD ms) const;

private:
    PROCESS_INFORMATION info_{};
};

// NavServer.exe with these arguments.
std::wstring NavServerPath();
// NavServer.exe's option for the small sample gazetteer beside it (whose places tests know),
// rather than the full one it reads by default.
std::wstring SampleGazetteerOption();

std::vector<std::string> ReadLines(const std::wstring& path);
// How many of `lines` start with `start`.
int CountLines(const std::vector<std::string>& lines, const std::string& start);
std::string DecimalOf(HWND window);

}  // namespace mapwell::test
