// The conversion engine: one source list through its column profile into a result file, each
// address geocoded by the navigation program or collected for the web route. Platform-neutral:
// everything it needs from the main window and the link comes through its RunRoles.
#pragma once

#include "app/engine/convert_surroundings.h"

#include <string>

namespace mapwell {

// What a run did, for a caller that reports it (the command line's exit code).
struct RunOutcome {
    bool Converted = false;  // at least one line converted
    bool Started = false;    // list, result file and profile were usable: the lines were read
    bool Stopped = false;    // the window wanted the run to end before its summary
    int LinesRead = 0;
    int LinesConverted = 0;
    // A result line, an error-list entry or the result's end could not be written.
    bool WriteFailed = false;
};

// The lines of the list at `sourcePath` that a run reads as addresses, read as the run reads
// them (blank lines and, with `skipHeading`, a heading passed over); 0 when it cannot be read.
int CountListLines(const std::wstring& sourcePath, const std::wstring& separator, bool skipHeading);

// Converts the list at `sourcePath` with the profile `profileName`. Progress, problems and the
// summary go to Info.
RunOutcome OpenAddList(const std::wstring& sourcePath, const std::wstring& profileName,
                       RunRoles roles);

}  // namespace mapwell
