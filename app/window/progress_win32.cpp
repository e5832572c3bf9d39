#include "app/window/progress_win32.h"

#include <commctrl.h>
#include <shobjidl.h>

#include <algorithm>

namespace mapwell {

namespace {

// A line takes about 11 ms: the bar, its text and the taskbar follow a few times a second, so
// that showing the progress costs the run nothing to speak of.
constexpr double kShowEverySeconds = 0.25;

}  // namespace

WindowProgress::WindowProgress(ConvertWin32& run, HWND window, HWND bar, HWND text)
    : run_(run), window_(window), bar_(bar), text_(text) {
    run_.ShowProgressIn(this);
}

WindowProgress::~WindowProgress() {
    run_.ShowProgressIn(nullptr);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
    SetWindowTextW(text_, L"");
    if (taskbar_) {
        taskbar_->SetProgressState(window_, TBPF_NOPROGRESS);
        taskbar_->Release();
    }
    if (comStarted_) {
        CoUninitialize();
    }
}

void WindowProgress::ProgressStarts(int linesInList) {
    meter_.Start(linesInList, ProgressClockSeconds());
    // The taskbar's progress is an extra: where the system has none, the bar alone shows it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comStarted_ = SUCCEEDED(com);
    void* taskbar = nullptr;
    if (comStarted_ && SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_ITaskbarList3, &taskbar))) {
        taskbar_ = static_cast<ITaskbarList3*>(taskbar);
        if (FAILED(taskbar_->HrInit())) {
            taskbar_->Release();
            taskbar_ = nullptr;
        }
    }
    Show();
}

void WindowProgress::LineDone(int done, int failed) {
    meter_.Update(done, failed, ProgressClockSeconds());
    if (meter_.ShowDue(kShowEverySeconds)) {
        Show();
    }
}

void WindowProgress::Show() {
    // An empty list shows a full bar, as a finished one does.
    const int range = std::max(1, meter_.Total());
    const int position = meter_.Total() == 0 ? 1 : meter_.Done();
    SendMessageW(bar_, PBM_SETRANGE32, 0, range);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SetWindowTextW(text_, WindowProgressText(meter_).c_str());
    if (taskbar_) {
        taskbar_->SetProgressValue(window_, static_cast<ULONGLONG>(position),
                                   static_cast<ULONGLONG>(range));
    }
}

}  // namespace mapwell
