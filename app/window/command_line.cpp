#include "app/window/command_line.h"

#include "app/engine/destination.h"
#include "app/engine/batch.h"
#include "app/engine/error_list.h"
#include "app/engine/output_format.h"
#include "support/file_identity.h"
#include "support/text.h"

#include <algorithm>

namespace mapwell {

namespace {

constexpr int kMaxWaitSeconds = 3600;

// Options are ASCII words; letter case does not matter.
std::wstring Lower(std::wstring_view text) {
    std::wstring lower(text);
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return lower;
}

bool IsOption(std::wstring_view argument) {
    return !argument.empty() && argument.front() == L'/';
}

// A path as Windows takes it: a forward slash stands for a backslash.
std::wstring WithBackslashes(std::wstring_view path) {
    std::wstring windows(path);
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return windows;
}

struct Quoted {
    std::wstring_view text;
};
std::wstring operator+(const std::wstring& left, Quoted right) {
    return left + L"\"" + std::wstring(right.text) + L"\"";
}

// The options that take a value, and the one-line hint shown when it is missing or wrong.
struct ValueOption {
    std::wstring_view name;
    std::wstring_view hint;
};
constexpr ValueOption kValueOptions[] = {
    {L"format", L"asc, csv, txt, gpx, kml or geojson"},
    {L"out", L"a result file, or a folder for several lists"},
    {L"decimal", L"one character, such as , or ."},
    {L"profile", L"the name of a column profile"},
    {L"columns", L"role=column pairs, such as street=2,city=4"},
    {L"separator", L", ; or tab"},
    {L"wait", L"a number of seconds from 0 to 3600"},
    {L"map", L"a PNG file for the map of the result"},
    {L"heading", L"skip or convert"},
};
constexpr std::wstring_view kFlagOptions[] = {L"convert", L"save", L"?"};

const ValueOption* FindValueOption(std::wstring_view name) {
    for (const ValueOption& option : kValueOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

std::wstring Refused(std::wstring_view option, std::wstring_view value, std::wstring_view hint) {
    return L"/" + std::wstring(option) + L" " + Quoted{value} + L" is not valid: use " +
           std::wstring(hint) + L".";
}

// Applies one option with its value to `job`; an error text when the value does not fit.
std::wstring Apply(ConvertJob& job, const ValueOption& option, const std::wstring& value) {
    const std::wstring_view name = option.name;
    if (name == L"format") {
        const std::wstring format = Lower(value);
        if (format == L"asc") {
            job.Format = OutputFormat::Poi;
        } else if (format == L"csv") {
            job.Format = OutputFormat::Csv;
        } else if (format == L"txt") {
            job.Format = OutputFormat::Append;
        } else if (const auto map = MapFormatOfPath(L"." + format)) {
            job.Format = *map;
        } else {
            return Refused(name, value, option.hint);
        }
    } else if (name == L"out") {
        job.Destination = WithBackslashes(value);
    } else if (name == L"decimal") {
        if (value.size() != 1) {
            return Refused(name, value, option.hint);
        }
        job.DecimalSeparator = value;
    } else if (name == L"profile") {
        job.ProfileName = value;
    } else if (name == L"columns") {
        std::wstring error;
        const std::wstring separator = job.Columns ? job.Columns->Separator : L"";
        job.Columns = ParseColumns(value, error);
        if (!job.Columns) {
            return error;
        }
        job.Columns->Separator = separator;
    } else if (name == L"separator") {
        const std::wstring separator = Lower(value);
        if (!job.Columns) {
            job.Columns = InlineProfile{};
        }
        if (separator == L"," || separator == L"comma") {
            job.Columns->Separator = L",";
        } else if (separator == L";" || separator == L"semicolon") {
            job.Columns->Separator = L";";
        } else if (separator == L"tab" || separator == L"\t") {
            job.Columns->Separator = L"\t";
        } else {
            return Refused(name, value, option.hint);
        }
    } else if (name == L"heading") {
        const std::wstring heading = Lower(value);
        if (heading != L"skip" && heading != L"convert") {
            return Refused(name, value, option.hint);
        }
        job.ConvertHeading = heading == L"convert";
    } else if (name == L"map") {
        job.MapPicture = value;
    } else if (name == L"wait") {
        const std::optional<int> seconds = ParseIndexText(value);
        if (!seconds || *seconds < 0 || *seconds > kMaxWaitSeconds) {
            return Refused(name, value, option.hint);
        }
        job.WaitSeconds = *seconds;
    }
    return {};
}

constexpr std::wstring_view kRoleNames[kAddressFieldCount] = {L"name1", L"name2", L"street", L"zip",
                                                              L"city",  L"land",  L"b1",     L"b2"};

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
    ParsedCommandLine parsed;
    for (const std::wstring& argument : arguments) {
        const std::wstring word = Lower(argument);
        parsed.Convert = parsed.Convert || word == L"/convert" || word == L"/?";
    }
    if (!parsed.Convert) {
        return parsed;
    }
    ConvertJob job;
    std::vector<std::wstring> seen;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (!IsOption(argument)) {
            job.Lists.push_back(WithBackslashes(argument));
            continue;
        }
        const std::size_t colon = argument.find(L':');
        const std::wstring name = Lower(argument.substr(1, colon - 1));
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            parsed.Error = L"/" + name + L" is given twice.";
            return parsed;
        }
        seen.push_back(name);
        if (name == L"?") {
            parsed.ShowUsage = true;
            continue;
        }
        if (std::find(std::begin(kFlagOptions), std::end(kFlagOptions), name) !=
            std::end(kFlagOptions)) {
            job.SaveProfile = job.SaveProfile || name == L"save";
            continue;
        }
        const ValueOption* option = FindValueOption(name);
        if (!option) {
            parsed.Error = L"Unknown option " + Quoted{argument} + L"; Mapwell.exe /? lists them.";
            return parsed;
        }
        std::wstring value;
        if (colon != std::wstring::npos) {
            value = argument.substr(colon + 1);
        } else if (i + 1 < arguments.size() && !IsOption(arguments[i + 1])) {
            value = arguments[++i];
        }
        if (value.empty()) {
            parsed.Error = L"/" + name + L" needs a value: " + std::wstring(option->hint) + L".";
            return parsed;
        }
        parsed.Error = Apply(job, *option, value);
        if (!parsed.Error.empty()) {
            return parsed;
        }
    }
    if (parsed.ShowUsage) {
        return parsed;
    }
    if (job.Lists.empty()) {
        parsed.Error = L"No list to convert: give at least one address list after /convert.";
    } else if (job.Columns && job.Columns->Columns[static_cast<int>(AddressField::Street)] < 0) {
        parsed.Error = L"/separator needs /columns: it is the separator of an inline profile.";
    } else if (job.SaveProfile && !job.Columns) {
        parsed.Error = L"/save needs /columns: it saves the inline profile under /profile.";
    }
    if (parsed.Error.empty()) {
        parsed.Job = std::move(job);
    }
    return parsed;
}

std::optional<InlineProfile> ParseColumns(std::wstring_view text, std::wstring& error) {
    InlineProfile profile;
    for (const std::wstring& pair : SplitText(text, L",")) {
        const std::size_t equals = pair.find(L'=');
        if (equals == std::wstring::npos) {
            error = L"/columns: " + Quoted{pair} + L" is not role=column, such as street=2.";
            return std::nullopt;
        }
        const std::wstring role = Lower(pair.substr(0, equals));
        const auto* found = std::find(std::begin(kRoleNames), std::end(kRoleNames), role);
        if (found == std::end(kRoleNames)) {
            error = L"/columns: unknown role " + Quoted{role} +
                    L"; the roles are name1, name2, street, zip, city, land, b1 and b2.";
            return std::nullopt;
        }
        int& column = profile.Columns[static_cast<std::size_t>(found - std::begin(kRoleNames))];
        if (column >= 0) {
            error = L"/columns: " + role + L" is given twice.";
            return std::nullopt;
        }
        const std::optional<int> number = ParseIndexText(pair.substr(equals + 1));
        if (!number || *number < 1) {
            error = L"/columns: the column of " + role + L" must be a number from 1 on, not " +
                    Quoted{pair.substr(equals + 1)} + L".";
            return std::nullopt;
        }
        column = *number - 1;
    }
    for (const AddressField needed : {AddressField::Street, AddressField::City}) {
        if (profile.Columns[static_cast<std::size_t>(needed)] < 0) {
            error = L"/columns needs a column for both street and city.";
            return std::nullopt;
        }
    }
    return profile;
}

std::wstring DefaultProfileName(std::wstring_view list) {
    return BaseNameOf(list);
}

std::wstring ResultPathFor(const ConvertJob& job, std::wstring_view list,
                           bool destinationIsFolder) {
    static constexpr std::wstring_view kExtensions[] = {L".txt", L".asc", L".csv", L".txt"};
    const std::wstring_view extension = IsMapFormat(job.Format)
                                            ? MapExtension(job.Format)
                                            : kExtensions[static_cast<int>(job.Format)];
    if (job.Destination.empty()) {
        return WithExtension(ProposeDestination(list), extension);
    }
    if (!destinationIsFolder) {
        // A map format is chosen by the result's extension.
        return IsMapFormat(job.Format) ? WithExtension(job.Destination, extension)
                                       : job.Destination;
    }
    // The batch rule takes the folder and the extension of a destination: "<folder>\.csv".
    return BatchDestination(JoinPath(job.Destination, extension), list);
}

std::wstring SameResultFileError(const std::vector<std::wstring>& lists,
                                 const std::vector<std::wstring>& results) {
    for (std::size_t i = 0; i < results.size(); ++i) {
        for (std::size_t k = 0; k < i; ++k) {
            if (SameInAnyCase(results[k], results[i])) {
                return lists[k] + L" and " + lists[i] + L" would both write " + results[i] +
                       L": give them different names or convert them one at a time.";
            }
        }
    }
    return {};
}

std::wstring ReadFileWrittenError(const std::vector<std::wstring>& lists,
                                  const std::vector<std::wstring>& results,
                                  const std::wstring& mapPicture) {
    std::vector<std::pair<std::wstring, std::wstring>> read;  // what each file is, and its path
    for (const std::wstring& list : lists) {
        for (const std::wstring& result : results) {
            if (SameFile(list, result)) {
                return L"the result file " + result + L" is the list " + list +
                       L" itself: give another result file with /out.";
            }
        }
        read.emplace_back(L"the list ", list);
    }
    for (const std::wstring& result : results) {
        read.emplace_back(L"the result file ", result);
        read.emplace_back(L"the error list ", ErrorListBeside(result).wstring());
    }
    for (const auto& [what, path] : read) {
        if (!mapPicture.empty() && SameFile(mapPicture, path)) {
            return L"/map " + mapPicture + L" would write over " + what + path + L".";
        }
    }
    return {};
}

std::wstring DecimalSeparatorFor(const ConvertJob& job) {
    if (!job.DecimalSeparator.empty()) {
        return job.DecimalSeparator;
    }
    return job.Format == OutputFormat::Poi ? L"." : L",";
}

InlineProfileStore::InlineProfileStore(std::wstring_view profileName,
                                       const InlineProfile& profile) {
    SaveProfile(*this, profileName, profile.Columns, profile.Separator);
}

std::wstring InlineProfileStore::Read(std::wstring_view valueName, std::wstring_view fallback) {
    for (const auto& [name, text] : values_) {
        if (name == valueName) {
            return text;
        }
    }
    return std::wstring(fallback);
}

void InlineProfileStore::Write(std::wstring_view valueName, std::wstring_view text) {
    values_.emplace_back(valueName, text);
}

int ExitCodeOf(const std::optional<RunOutcome>& run) {
    if (!run) {
        return kExitFailed;
    }
    if (run->Stopped) {
        return kExitStopped;
    }
    if (run->WriteFailed) {
        return kExitNotWritten;
    }
    if (!run->Started) {
        return kExitBadInput;
    }
    return run->LinesConverted == run->LinesRead ? kExitConverted : kExitSomeFailed;
}

const wchar_t kCommandLineUsage[] =
    LR"(Converts address lists through the navigation program, without a window.

Mapwell.exe /convert <list> [more lists...] [options]

  /format asc|csv|txt  the layout of the result files (default txt); gpx, kml and
                       geojson write map files in UTF-8 with a decimal point
  /out <path>          the result file of one list, or the folder for several lists
                       (default: beside each list, <list name>_Geo.<format>); an existing
                       result file is replaced
  /decimal <char>      the decimal separator of the coordinates
                       (default "." for asc, "," for csv and txt)
  /profile <name>      the column profile, as saved by the column dialog
                       (default: the list's file name without its extension)
  /columns <roles>     a column profile given here instead, columns counted from 1:
                       name1=N,name2=N,street=N,zip=N,city=N,land=N,b1=N,b2=N
                       street and city are needed, the others may be left out
  /separator ,|;|tab   the column separator for /columns (default: found in the first line)
  /save                also save /columns in the registry under its profile name
                       (default: it is used for this run only)
  /wait <seconds>      how long to wait for the navigation program (default 5)
  /map <file.png>      also draw the points of the last list's result over the country
                       borders into a PNG picture (borders: Natural Earth, public domain)
  /heading skip|convert
                       a first line whose fields name the columns as the column dialog
                       sees them (a name column among them) is no address: skip passes it
                       over (default); convert sends it like any other line, as the window
                       does
  /?                   this text

The lists are converted one after the other; failed lines are added to ConvertError.txt
beside the result file. Converting ConvertError.txt itself beside itself retries the failed
lines: afterwards it holds exactly the lines that failed again. No question is asked: without
a navigation program nothing is converted (the web page needs a person).

Lists may be ANSI, UTF-8 or UTF-16 text, as spreadsheets save them: quoted cells may hold the
separator, line breaks and doubled quotes; lines may end in CR LF or LF; blank lines are passed
over. The results of UTF-8 and UTF-16 lists are written in UTF-8, except asc files, which stay
ANSI. These messages go to a console in its own letters, and as UTF-8 into a file or pipe.

Exit codes: 0 every line converted, 1 some lines failed, 2 bad arguments, a missing
profile, an unreadable list or result file, a list with no lines, a result file that is a
list, or two lists with one result file, 3 no navigation program announced itself in time,
4 the run was stopped before its end (Mapwell closed, the session ended), 5 a failure
Mapwell did not foresee, 6 a result line, a ConvertError.txt entry or the /map picture could
not be written (a full disk; no result to draw).)";

}  // namespace mapwell
