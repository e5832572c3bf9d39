// What a conversion needs from its surroundings, one small interface per role: the status
// label, the navigation link, the waits that let the window process its events, the run's
// settings, the column profiles, and what follows the lines (the web route, the map's points).
// A caller implements the roles it has and hands them to a run as RunRoles.
// Platform-neutral.
#pragma once

#include "app/engine/error_list.h"
#include "app/engine/output_format.h"
#include "app/engine/web_rows.h"
#include "columns/column_profile.h"

#include <functional>
#include <string>

namespace mapwell {

// A line that the navigation route converted, as a map of the result shows it: its place, the
// source line as text, its country column's text and the navigation program's answer.
struct ConvertedPoint {
    double Latitude = 0, Longitude = 0;
    std::wstring Line, Country, Answer;
};

// The main window's status label.
class RunStatus {
public:
    virtual ~RunStatus() = default;
    virtual void SetInfo(const std::wstring& text) = 0;
};

// What keeps a line from its answer, beyond a lost or late one.
enum class LinkTrouble {
    None,
    ProgramGone,  // the navigation program's window has gone: nothing more will be answered
    NoAnswers,    // the navigation program takes requests but has sent nothing back for a while
};

// The navigation link. The engine fills and reads the request and reply fields of NavLink
// itself.
class RunLink {
public:
    virtual ~RunLink() = default;
    // Sends the request fields of NavLink as one geocoding request (command 5).
    virtual void SendGeocodeRequest() = 0;
    // The line's wait for the answer to its request is over, answered or not.
    virtual void EndReplyWait() {}
    // True while the next request must wait: an earlier one may still be answered, and the
    // answer could not be told from the next request's.
    virtual bool MustWaitForEarlierAnswer() { return false; }
    // A reply came during the line's wait that could not be told from a late answer to an
    // earlier line's request.
    virtual bool UnclearAnswerCame() { return false; }
    virtual LinkTrouble Trouble() { return LinkTrouble::None; }
};

// The waits of a run and the window's wish that it end.
class RunWaits {
public:
    virtual ~RunWaits() = default;
    // Waits `milliseconds` while the window processes its events, calling `afterEachEvent`
    // after every event it handles: a run waiting for a reply takes it there, before a later
    // event (the detection timer's next announcement) changes the link.
    virtual void Pause(int milliseconds, const std::function<void()>& afterEachEvent) = 0;
    // Lets the window process its pending events once.
    virtual void DoEvents() = 0;
    // Sleeps without processing events.
    virtual void Sleep(int milliseconds) = 0;
    // True once the window wants the run to end (its "Exit"); asked after every event pass.
    virtual bool StopRequested() = 0;
};

// The run's settings as the main window holds them, and its paths.
class RunSettings {
public:
    virtual ~RunSettings() = default;
    // The text of ExportFileTxt.
    virtual std::wstring Destination() = 0;
    virtual OutputFormat FormatInForce() = 0;
    // The text of TxtSep, read for every converted line.
    virtual std::wstring TxtSep() = 0;
    // The system's decimal separator for numbers.
    virtual std::wstring RegionalDecimalSeparator() = 0;
    // Whether a first line that the column dialog takes for a heading is passed over; the
    // window sends it like any other line.
    virtual bool SkipHeading() { return false; }
    // `path` made absolute against the current folder.
    std::wstring FullPath(const std::wstring& path);
};

// The stored column profiles.
class RunProfiles {
public:
    virtual ~RunProfiles() = default;
    virtual ProfileStore& Profiles() = 0;
};

// The web route after the line loop, plugged in by the window: the clipboard exchange, the
// instruction dialog and the result lines; the lines that do not come back go to the run's
// `errors`. Returns the number of rows imported.
class WebRouteFinisher {
public:
    virtual ~WebRouteFinisher() = default;
    virtual int FinishWebRoute(WebCollection& rows, ResultFile& result, ErrorList& errors) = 0;
};

// Told of every line of the navigation route written to the result, for a map.
class PointSink {
public:
    virtual ~PointSink() = default;
    virtual void PointConverted(const ConvertedPoint& point) = 0;
};

// Told how far a run has come: the lines of the list, counted before the first request, then
// after every line the lines done and the lines failed so far.
class RunProgress {
public:
    virtual ~RunProgress() = default;
    virtual void ProgressStarts(int linesInList) = 0;
    virtual void LineDone(int done, int failed) = 0;
};

// The roles of a run, each from whichever object of the caller plays it. A run without a web
// route lists every line it collected for one as failed; one without a point sink keeps no
// points; one without progress shows none; one without a map file writer writes no map format.
struct RunRoles {
    RunStatus& status;
    RunLink& link;
    RunWaits& waits;
    RunSettings& settings;
    RunProfiles& profiles;
    WebRouteFinisher* web = nullptr;
    PointSink* points = nullptr;
    RunProgress* progress = nullptr;
    MapFileSink* mapFile = nullptr;  // for both routes
};

}  // namespace mapwell
