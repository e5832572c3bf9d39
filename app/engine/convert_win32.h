// The conversion engine's surroundings on Windows: the main window's controls, its wait that
// keeps the window's events flowing, the registry profiles and the navigation program link.
#pragma once

#include "app/engine/convert_engine.h"
#include "app/engine/events_win32.h"
#include "app/engine/pace_win32.h"
#include "columns/profile_store_win32.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

namespace mapwell {

// The main window's handles that a conversion reads and writes.
struct ConvertControls {
    HWND MainWindow = nullptr;
    HWND ExportFileTxt = nullptr;
    HWND TxtSep = nullptr;
    HWND Option1 = nullptr;
    HWND Option2 = nullptr;
    HWND Option3 = nullptr;
    HWND Info = nullptr;
};

// Every role of a run's surroundings, the web route plugged in by the window.
class ConvertWin32 : public RunStatus,
                     public RunLink,
                     public RunWaits,
                     public RunSettings,
                     public RunProfiles,
                     public WebRouteFinisher,
                     public PointSink,
                     public RunProgress {
public:
    // The web route after the line loop (clipboard, instruction dialog, import); it returns the
    // number of rows imported.
    using WebFinisher = std::function<int(WebCollection&, ResultFile&, ErrorList&, ConvertWin32&)>;

    // `pace` is the clock and the wait of Pause, the system's own unless given.
    explicit ConvertWin32(const ConvertControls& controls, WebFinisher finishWebRoute = {},
                          PaceClock* pace = nullptr);

    ProfileStore& Profiles() override { return store_; }
    void SendGeocodeRequest() override;
    void EndReplyWait() override;
    bool MustWaitForEarlierAnswer() override;
    bool UnclearAnswerCame() override;
    LinkTrouble Trouble() override;
    void Pause(int milliseconds, const std::function<void()>& afterEachEvent) override;
    void DoEvents() override;
    void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
    void SetInfo(const std::wstring& text) override;
    std::wstring Destination() override;
    OutputFormat FormatInForce() override;
    std::wstring TxtSep() override;
    std::wstring RegionalDecimalSeparator() override;
    bool StopRequested() override { return stop_; }
    int FinishWebRoute(WebCollection& rows, ResultFile& result, ErrorList& errors) override;
    void PointConverted(const ConvertedPoint& point) override { points_.push_back(point); }
    std::vector<ConvertedPoint>& Points() { return points_; }
    // The run's progress goes to `shown` (none when null).
    void ShowProgressIn(RunProgress* shown) { progress_ = shown; }
    void ProgressStarts(int linesInList) override {
        if (progress_) {
            progress_->ProgressStarts(linesInList);
        }
    }
    void LineDone(int done, int failed) override {
        if (progress_) {
            progress_->LineDone(done, failed);
        }
    }

    // The main window's "Exit" during a conversion: the run ends at its next event pass.
    void RequestStop() { stop_ = true; }
    const ConvertControls& Controls() const { return controls_; }
    RunRoles Roles() { return {*this, *this, *this, *this, *this, this, this, this}; }

private:
    ConvertControls controls_;
    WebFinisher finishWebRoute_;
    RegistryProfileStore store_;
    PaceClock& pace_;
    FineTimer fineTimer_;  // for the whole run: each line waits a 10 ms pause
    bool stop_ = false;
    std::vector<ConvertedPoint> points_;
    RunProgress* progress_ = nullptr;
    std::optional<OutputFormat> destinationFormat_;  // the map format its extension names
};

}  // namespace mapwell
