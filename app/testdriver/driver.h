// A small library for driving Mapwell's real windows from a test process under Wine: start the
// programs, find their windows and controls, type, click, pick, read texts, answer the message
// box and the open dialog. Every wait polls with a generous bound and never measures time.
//
// Messages that open a modal window (a click on "Start Convert", a source path that opens the
// column dialog) must not be sent with SendMessage: the driver would wait inside the modal
// loop. Clicks are therefore posted, and typing that may open a dialog uses TypeTextNoWait.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace mapwell::testdriver {

constexpr DWORD kWaitMs = 30000;

// A program started by the driver; the destructor ends it when it still runs.
class Program {
public:
    Program() = default;
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    HANDLE Handle() const { return process_.hProcess; }
    // Waits until the program ended; its exit code, or -1 when it still runs after `ms`.
    long WaitForExit(DWORD ms = kWaitMs);
    void Kill();

private:
    friend Program Start(const std::wstring&, const std::wstring&, const std::wstring&, HANDLE);
    PROCESS_INFORMATION process_{};
};

// A program next to the running test executable ("Mapwell.exe", "NavServer.exe").
std::wstring SiblingPath(const wchar_t* exe);

// Starts `exe` with `arguments` in `folder`; its output goes nowhere, so that no test runner
// waits for pipes the program holds, unless `output` is an inheritable file handle to take it.
Program Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
              HANDLE output = nullptr);

// A fresh empty folder under the temporary folder; `Remove` deletes it with its files.
std::wstring MakeTempFolder(const wchar_t* prefix);
void RemoveFolder(const std::wstring& folder);
void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path);
bool FileThere(const std::wstring& path);

// Polls `done` until it holds or `ms` passed; its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs);

// Visible top-level windows of a process, optionally of one class ("#32770" for dialogs and
// message boxes).
std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className = nullptr);

// Waits for a visible top-level window of the process for which `match` holds.
HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD ms = kWaitMs);

// Mapwell's main window, once it and its controls exist.
HWND WaitForMainWindow(DWORD processId, DWORD ms = kWaitMs);

// The column assignment dialog, the "No Navigon found" message box, the open dialog.
HWND WaitForColumnDialog(DWORD processId, DWORD ms = kWaitMs);
HWND WaitForMessageBox(DWORD processId, DWORD ms = kWaitMs);
HWND WaitForOpenDialog(DWORD processId, DWORD ms = kWaitMs);
// True while the process shows a window of that kind.
bool ColumnDialogOpen(DWORD processId);

// A control anywhere below `window` (inside containers too), by id; null when there is none.
HWND Control(HWND window, int id);
// A control anywhere below `window` by class and caption.
HWND ControlByCaption(HWND window, const wchar_t* className, const wchar_t* caption);

// The text of a window or control of another process (WM_GETTEXT).
std::wstring Text(HWND window);
// The caption of a top-level window.
std::wstring Caption(HWND window);

// Types into an edit box: WM_SETTEXT, on which the box itself sends EN_CHANGE to its parent.
void TypeText(HWND edit, const std::wstring& text);
// The same for a change that opens a modal window: the driver does not wait for the handler.
void TypeTextNoWait(HWND edit, const std::wstring& text);

// Clicks a button: WM_COMMAND BN_CLICKED posted to its parent.
void Click(HWND button);
// Selects an option button (checks it, then clicks it).
void Choose(HWND option);

// Picks entry `index` (-1 for none) of a combo box and tells its parent, as a pick by the user
// does; TypeIntoCombo writes its edit text and tells the parent as typing does. Both return
// when the parent has handled the change.
void PickComboEntry(HWND combo, int index);
void TypeIntoCombo(HWND combo, const std::wstring& text);
int ComboSelection(HWND combo);
std::vector<std::wstring> ComboEntries(HWND combo);

// Moves a scroll bar control to `position` as a drag of its thumb does; returns when handled.
void ScrollTo(HWND scrollBar, int position);
int ScrollPosition(HWND scrollBar);

// The text of a message box (its static with id 0xFFFF) and the answer to it (IDYES, IDNO...).
std::wstring MessageBoxText(HWND box);
void Answer(HWND box, int button);

// Chooses files in the open dialog: `names` go into its file-name box ("a.csv" or
// "\"a.csv\" \"b.csv\""), then OK.
void ChooseInOpenDialog(HWND dialog, const std::wstring& names);

}  // namespace mapwell::testdriver

namespace mapwell::testdriver {

// Copies what the screen shows of `window` (frame included) into a 24-bit BMP file. Needs a
// graphics driver that draws (a display or Xvfb); false when the copy failed.
bool SaveWindowPicture(HWND window, const std::wstring& path);

}  // namespace mapwell::testdriver
