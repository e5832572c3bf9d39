// Drives Mapwell's real windows from a test process under Wine: starts the programs, finds their
// windows and controls, types, clicks, picks, reads texts, answers the message box and the open
// dialog. Every wait polls with a generous bound and never measures time.
//
// A message that opens a modal window (a click on "Start Convert", a source path that opens the
// column dialog) must not be sent with SendMessage, or the driver waits inside the modal loop:
// clicks are posted, and typing that may open a dialog uses TypeTextNoWait.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace mapwell::testdriver {

constexpr DWORD kWaitMs = 30000;

// A program started by the driver; the destructor ends it when it still runs.
class Program {
public:
    Program() = default;
    Program(Program&& other) noexcept : process_(std::exchange(other.process_, {})) {}
    Program& operator=(Program&& other) noexcept {
        Kill();
        process_ = std::exchange(other.process_, {});
        return *this;
    }
    ~Program() { Kill(); }

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    HANDLE Handle() const { return process_.hProcess; }
    // Its exit code, or -1 when it still runs after `ms`.
    long WaitForExit(DWORD ms = kWaitMs);
    void Kill();

private:
    friend Program Start(const std::wstring&, const std::wstring&, const std::wstring&, HANDLE);
    PROCESS_INFORMATION process_{};
};

// A program next to the running test executable ("Mapwell.exe", "NavServer.exe").
std::wstring SiblingPath(const wchar_t* exe);
// Starts `exe` in `folder`; its output goes nowhere (so that no test runner waits for pipes the
// program holds) unless `output` is an inheritable file handle.
Program Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
              HANDLE output = nullptr);
// NavServer.exe beside the test with `arguments`, once its window is up (check Started()).
Program StartNavServer(const std::wstring& folder, const std::wstring& arguments);
// The same with its small sample gazetteer (gazetteer.txt), whose places tests know.
Program StartSampleNavServer(const std::wstring& folder, const std::wstring& options = L"");

// A fresh empty folder under the temporary folder; RemoveFolder deletes it with its files.
std::wstring MakeTempFolder(const wchar_t* prefix);
void RemoveFolder(const std::wstring& folder);
void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path);
bool FileThere(const std::wstring& path);

// Polls `done` until it holds or `ms` passed; its last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = kWaitMs);

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

}  // namespace mapwell::testdriver
