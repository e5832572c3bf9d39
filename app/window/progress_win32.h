// The progress of a run in the main window: the bar and its text under the buttons, and the
// taskbar button's progress where the system offers it. At rest between runs.
#pragma once

#include "app/engine/convert_win32.h"
#include "app/window/run_meter.h"

#include <windows.h>

struct ITaskbarList3;

namespace mapwell {

// The clock of a run's progress, in seconds.
inline double ProgressClockSeconds() {
    return static_cast<double>(GetTickCount64()) / 1000.0;
}

// Shows the progress of `run` from its start to its end, however it ends; then the bar is at
// rest (empty, no text) and the taskbar button shows none.
class WindowProgress : public RunProgress {
public:
    WindowProgress(ConvertWin32& run, HWND window, HWND bar, HWND text);
    ~WindowProgress() override;
    WindowProgress(const WindowProgress&) = delete;
    WindowProgress& operator=(const WindowProgress&) = delete;

    void ProgressStarts(int linesInList) override;
    void LineDone(int done, int failed) override;

private:
    void Show();

    ConvertWin32& run_;
    HWND window_, bar_, text_;
    RunMeter meter_;
    ITaskbarList3* taskbar_ = nullptr;
    bool comStarted_ = false;
};

}  // namespace mapwell
