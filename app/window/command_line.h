// Mapwell.exe /convert: the arguments of a conversion started from a script, what they mean for
// each list, and the usage text. Platform-neutral; the Win32 runner drives the main window.
#pragma once

#include "app/engine/convert_engine.h"
#include "app/engine/output_format.h"
#include "columns/column_profile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The exit codes of a command-line conversion.
enum ExitCode : int {
    kExitConverted = 0,     // every line converted
    kExitSomeFailed = 1,    // some lines failed; they are in ConvertError.txt
    kExitBadInput = 2,      // bad arguments, a missing profile, an unreadable list, a list
                            // with no lines, a result file that is a list or its error list
    kExitNoNavigation = 3,  // no navigation program announced itself in time
    kExitStopped = 4,       // the run was stopped before its end: Mapwell closed, the session ended
    kExitFailed = 5,        // a failure Mapwell did not foresee ended the run
    kExitNotWritten = 6,    // a result line, an error-list entry or the /map picture: not written
};

// The exit code of one list from what its run did; nullopt when a failure ended it. A stopped or
// failed run, or one that could not write, ends the whole command; the others' codes are
// combined by their maximum.
int ExitCodeOf(const std::optional<RunOutcome>& run);

// A column profile given on the command line: the zero-based column of each address field
// (-1 for none) and the separator; an empty separator is guessed from the list's first line.
struct InlineProfile {
    std::array<int, kAddressFieldCount> Columns{-1, -1, -1, -1, -1, -1, -1, -1};
    std::wstring Separator;
};

struct ConvertJob {
    std::vector<std::wstring> Lists;  // forward slashes are taken as backslashes
    OutputFormat Format = OutputFormat::Append;
    std::wstring Destination;       // a file for one list, a folder for several; empty: beside each
    std::wstring DecimalSeparator;  // empty: "." for asc, "," otherwise, as the main window sets
    std::wstring ProfileName;       // empty: each list's base name, as the column dialog proposes
    std::optional<InlineProfile> Columns;
    bool SaveProfile = false;     // write the inline profile to the registry
    int WaitSeconds = 5;          // for a navigation program to announce itself
    std::wstring MapPicture;      // a PNG file for the map of the last list's result; empty: none
    bool ConvertHeading = false;  // send a first line that names the columns like any other
};

struct ParsedCommandLine {
    bool Convert = false;    // started with /convert (or /?): no window is shown
    bool ShowUsage = false;  // /? was given
    std::optional<ConvertJob> Job;
    std::wstring Error;  // why the arguments were refused; empty when they were not
};

// The arguments after the program's name. Options are case-insensitive, written "/name value"
// or "/name:value".
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);

// "street=3,city=4,name1=1" (columns counted from 1) as an inline profile; nullopt and `error`
// set when the text is not one.
std::optional<InlineProfile> ParseColumns(std::wstring_view text, std::wstring& error);

// The profile name of a list when none is given: its file name without its extension, as the
// column dialog proposes it.
std::wstring DefaultProfileName(std::wstring_view list);

// The result file of `list`. `destinationIsFolder` tells whether the job's destination names a
// folder (several lists, or an existing folder).
std::wstring ResultPathFor(const ConvertJob& job, std::wstring_view list, bool destinationIsFolder);

// Why the lists cannot be converted when two of them would write the same result file: a
// message naming both; "" when every list has a result file of its own. `results[i]` is the full
// path of the result file of `lists[i]`; paths are compared in any letter case.
std::wstring SameResultFileError(const std::vector<std::wstring>& lists,
                                 const std::vector<std::wstring>& results);

// Why the job would write a file that it reads: a result file that is one of the lists, or a
// /map picture that is a list, a result file or an error list; "" when it writes none. `results`
// are the lists' result files; files are compared by identity, not by name.
std::wstring ReadFileWrittenError(const std::vector<std::wstring>& lists,
                                  const std::vector<std::wstring>& results,
                                  const std::wstring& mapPicture);

// The decimal separator in force for the job.
std::wstring DecimalSeparatorFor(const ConvertJob& job);

// A profile store that holds one inline profile under `profileName` and nothing else.
class InlineProfileStore : public ProfileStore {
public:
    InlineProfileStore(std::wstring_view profileName, const InlineProfile& profile);
    std::wstring Read(std::wstring_view valueName, std::wstring_view fallback) override;
    void Write(std::wstring_view valueName, std::wstring_view text) override;

private:
    std::vector<std::pair<std::wstring, std::wstring>> values_;
};

extern const wchar_t kCommandLineUsage[];

}  // namespace mapwell
