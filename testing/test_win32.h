// The library of every Windows test: starts the programs of the build, waits (with or without
// handling messages), makes test folders, plays the link's main window in the test process, and
// drives Mapwell's real windows from the test. Every wait polls with a generous bound and never
// measures time.
//
// A message that opens a modal window (a click on "Start Convert", a source path that opens the
// column dialog) must not be sent with SendMessage, or the test waits inside the modal loop:
// clicks are posted, and typing that may open a dialog uses TypeTextNoWait.
#pragma once

#include "testing/test_folder.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace mapwell::test {

constexpr DWORD kWaitMs = 30000;

// A program started from the test; ended (if still running) when this goes. Its output goes
// nowhere (so that no test runner waits for pipes the program holds) unless `output` is an
// inheritable file handle.
class Program {
public:
    Program() = default;
    Program(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder = {},
            HANDLE output = nullptr);
    Program(Program&& other) noexcept : info_(std::exchange(other.info_, {})) {}
    Program& operator=(Program&& other) noexcept {
        Kill();
        info_ = std::exchange(other.info_, {});
        return *this;
    }
    ~Program() { Kill(); }

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    // Its visible top-level window, waited for up to `ms`.
    HWND Window(DWORD ms = kWaitMs) const;
    // Its exit code, or -1 when it still runs after `ms`.
    long ExitCode(DWORD ms = kWaitMs) const;
    bool WaitForExit(DWORD ms = kWaitMs) const { return ExitCode(ms) != -1; }
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// The folder of the test executable, ending in a backslash; the programs of the build are there.
std::wstring BinFolder();
std::wstring NavServerPath();
// NavServer.exe's option for the small sample gazetteer beside it (whose places tests know),
// rather than the full one it reads by default.
std::wstring SampleGazetteerOption();
// NavServer.exe started in `folder`, once its window is up (check Started()).
Program StartNavServer(const std::wstring& folder, const std::wstring& arguments);
Program StartSampleNavServer(const std::wstring& folder, const std::wstring& options = L"");

// Polls `done` until it holds or `ms` passed, without handling messages; its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs);
// The same while handling every waiting message of this thread.
bool PumpUntil(const std::function<bool()>& done, DWORD ms = kWaitMs);
void PumpFor(DWORD ms);

inline void WriteFile(const std::wstring& path, const std::string& bytes) {
    TestFolder::Put(path, bytes);
}
inline std::string ReadFile(const std::wstring& path) {
    return TestFolder::Get(path);
}
bool FileThere(const std::wstring& path);
// The lines of a text file, without their line ends; how many of them start with `start`.
std::vector<std::string> ReadLines(const std::wstring& path);
int CountLines(const std::vector<std::string>& lines, const std::string& start);
std::string DecimalOf(HWND window);

// The link's main window in the test process, created and started (StartNavLink) on first use,
// and what its own procedure has seen: the link must pass every message on.
struct MainWindowSeen {
    int copyData = 0;
    int serverToClient = 0;
};
inline constexpr LRESULT kCopyDataResult = 1234;  // what the window's own procedure answers
HWND TestMainWindow();
MainWindowSeen& Seen();
// A further window of the same class, as another copy of the program would have.
HWND CreateMainClassWindow();
// Back to the state of a fresh program, after the messages still queued have been handled.
void ResetLink();

// Visible top-level windows of a process, optionally of one class ("#32770": dialogs).
std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className = nullptr);
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD ms = kWaitMs);
// Mapwell's main window once its controls exist, the column assignment dialog, the "No Navigon
// found" message box, the open dialog.
HWND WaitForMainWindow(DWORD processId, DWORD ms = kWaitMs);
HWND WaitForColumnDialog(DWORD processId, DWORD ms = kWaitMs);
HWND WaitForMessageBox(DWORD processId, DWORD ms = kWaitMs);
HWND WaitForOpenDialog(DWORD processId, DWORD ms = kWaitMs);
bool ColumnDialogOpen(DWORD processId);

// A control anywhere below `window` (inside containers too) by id; null when there is none.
HWND Control(HWND window, int id);
// The text of a window or control of any process (WM_GETTEXT).
std::wstring Text(HWND window);
// The entries of a combo box, in order.
std::vector<std::wstring> ComboEntries(HWND combo);
inline std::wstring Caption(HWND window) {
    return Text(window);
}
// Whether a label of this process shows all its text, wrapped at its width in its font.
bool ShowsAllItsText(HWND label);

// WM_SETTEXT, on which an edit box itself tells its parent EN_CHANGE; NoWait for a change that
// opens a modal window.
void TypeText(HWND edit, const std::wstring& text);
void TypeTextNoWait(HWND edit, const std::wstring& text);
// Clicks a button (posted); Choose marks an option button, clears its siblings, and clicks it.
void Click(HWND button);
void Choose(HWND option);

// A pick by the user (index -1: none) and typing into the combo's edit, each with its
// notification handled by the parent before they return.
void PickComboEntry(HWND combo, int index);
void TypeIntoCombo(HWND combo, const std::wstring& text);
// A drag of the scroll bar's thumb to `position`, handled before it returns.
void ScrollTo(HWND scrollBar, int position);

std::wstring MessageBoxText(HWND box);
void Answer(HWND box, int button);  // IDYES, IDNO...
// `names` ("a.csv" or "\"a.csv\" \"b.csv\"") into the open dialog's file-name box, then OK.
void ChooseInOpenDialog(HWND dialog, const std::wstring& names);

// What the screen shows of `window` (frame included) as a 24-bit BMP file. Needs a graphics
// driver that draws (a display or Xvfb); false when the copy failed.
bool SaveWindowPicture(HWND window, const std::wstring& path);

}  // namespace mapwell::test
