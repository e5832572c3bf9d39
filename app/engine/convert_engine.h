// The conversion engine: one source list through its column profile into a result file, each
// address geocoded by the navigation program or collected for the web route. Platform-neutral:
// everything it needs from the main window and the link comes through ConvertSurroundings.
#pragma once

#include "app/engine/error_list.h"
#include "app/engine/output_format.h"
#include "app/engine/web_rows.h"
#include "columns/column_profile.h"

#include <functional>
#include <string>

namespace mapwell {

// A line that the navigation route converted, as a map of the result shows it: its place, the
// source line as text and its country column's text.
struct ConvertedPoint {
    double Latitude = 0, Longitude = 0;
    std::wstring Line, Country;
};

// What a run needs from its surroundings: the main window's controls and waits, the profile
// store and the navigation link. The engine fills and reads the request and reply fields of
// NavLink itself.
class ConvertSurroundings {
public:
    virtual ~ConvertSurroundings() = default;

    virtual ProfileStore& Profiles() = 0;
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
    // Waits `milliseconds` while the window processes its events, calling `afterEachEvent`
    // after every event it handles: a run waiting for a reply takes it there, before a later
    // event (the detection timer's next announcement) changes the link.
    virtual void Pause(int milliseconds, const std::function<void()>& afterEachEvent) = 0;
    // Lets the window process its pending events once.
    virtual void DoEvents() = 0;
    // Sleeps without processing events.
    virtual void Sleep(int milliseconds) = 0;
    virtual void SetInfo(const std::wstring& text) = 0;
    // The text of ExportFileTxt.
    virtual std::wstring Destination() = 0;
    virtual OutputFormat FormatInForce() = 0;
    // The text of TxtSep, read for every converted line.
    virtual std::wstring TxtSep() = 0;
    // The system's decimal separator for numbers.
    virtual std::wstring RegionalDecimalSeparator() = 0;
    // `path` made absolute against the current folder.
    virtual std::wstring FullPath(const std::wstring& path);
    // True once the window wants the run to end (its "Exit"); asked after every event pass.
    virtual bool StopRequested() = 0;
    // The web route after the line loop: the clipboard exchange, the instruction dialog and the
    // result lines; the lines that do not come back go to the run's `errors`. Returns the number
    // of rows imported.
    virtual int FinishWebRoute(WebCollection& rows, ResultFile& result, ErrorList& errors) = 0;
    // A line of the navigation route has been written to the result.
    virtual void PointConverted(const ConvertedPoint&) {}
};

// What a run did, for a caller that reports it (the command line's exit code).
struct RunOutcome {
    bool Converted = false;  // at least one line converted
    bool Started = false;    // list, result file and profile were usable: the lines were read
    bool Stopped = false;    // the window wanted the run to end before its summary
    int LinesRead = 0;
    int LinesConverted = 0;
    int LinesWithReplacedLetters = 0;  // in the result, for letters that ANSI lacks
};

// Converts the list at `sourcePath` with the profile `profileName`. Progress, problems and the
// summary go to Info.
RunOutcome OpenAddList(const std::wstring& sourcePath, const std::wstring& profileName,
                       ConvertSurroundings& surroundings);

}  // namespace mapwell
