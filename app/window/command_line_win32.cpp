#include "app/window/command_line_win32.h"

#include "app/engine/convert_win32.h"
#include "app/map/map_picture_win32.h"
#include "app/window/main_layout.h"
#include "app/window/main_window_win32.h"
#include "app/window/progress_win32.h"
#include "columns/first_line.h"
#include "columns/import_add_win32.h"
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "support/encoding/line_reader.h"
#include "support/encoding/codepage.h"
#include "support/failure.h"
#include "support/text.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>

namespace mapwell {

namespace {

constexpr double kProgressEverySeconds = 5;    // redirected output
constexpr double kInPlaceEverySeconds = 0.25;  // a console

// Where the output goes: the standard output the program inherited when it is a file or a pipe
// (the caller redirected it), in UTF-8; else the console of the program that started it, in its
// wide characters, so that every letter of a list shows; else a character device it inherited
// (a terminal under Wine), wide when it is a console and UTF-8 otherwise. A scheduled task has
// none; the exit code tells.
class Console {
public:
    Console() {
        HANDLE inherited = GetStdHandle(STD_OUTPUT_HANDLE);
        const DWORD type = inherited && inherited != INVALID_HANDLE_VALUE ? GetFileType(inherited)
                                                                          : FILE_TYPE_UNKNOWN;
        if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) {
            file_ = inherited;
        } else if (AttachConsole(ATTACH_PARENT_PROCESS)) {
            console_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
            inPlace_ = console_ != INVALID_HANDLE_VALUE;
        } else if (type == FILE_TYPE_CHAR) {
            file_ = inherited;
            inPlace_ = true;
        }
    }
    ~Console() {
        if (console_ != INVALID_HANDLE_VALUE) {
            CloseHandle(console_);
        }
    }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Writes `text` as lines, each CR LF ended and begun by `indent`, in place of a progress
    // line that is showing.
    void Line(const std::wstring& text, const std::wstring& indent = L"") {
        Erase();
        Write(indent + ReplaceAll(ReplaceAll(text, L"\r\n", L"\n"), L"\n", L"\r\n" + indent) +
              L"\r\n");
    }

    // True on a console or a terminal, where one line can be written over again.
    bool InPlace() const { return inPlace_; }

    // The progress line: rewritten in place on a console (`last` keeps it there), else one line.
    void Progress(const std::wstring& text, bool last) {
        if (!inPlace_) {
            Line(text, L"  ");
            return;
        }
        std::wstring line = L"\r  " + text;
        const std::size_t width = line.size();
        line.append(std::max(width, shown_) - width, L' ');
        Write(last ? line + L"\r\n" : line);
        shown_ = last ? 0 : width;
    }

private:
    // Blanks out a progress line that is showing and returns to its start.
    void Erase() {
        if (shown_ > 0) {
            Write(L"\r" + std::wstring(shown_, L' ') + L"\r");
            shown_ = 0;
        }
    }
    void Write(const std::wstring& text) {
        DWORD written = 0;
        HANDLE wide = console_ != INVALID_HANDLE_VALUE ? console_ : file_;
        if (wide &&
            WriteConsoleW(wide, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
            return;
        }
        if (file_) {
            const std::string bytes = WideToUtf8(text);
            ::WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        }
    }

    HANDLE file_ = nullptr;
    HANDLE console_ = INVALID_HANDLE_VALUE;
    bool inPlace_ = false;
    std::size_t shown_ = 0;  // characters of the progress line showing in place
};

// The engine's surroundings as the main window gives them, with the status texts also on the
// console, the run's progress (on a console in place a few times a second, else every few
// seconds), an inline profile in place of the registry, and no pause to read a message: nobody
// watches the label.
class CommandLineConversion : public ConvertWin32 {
public:
    CommandLineConversion(const ConvertControls& controls, Console& console,
                          std::unique_ptr<ProfileStore> inlineProfile, bool convertHeading)
        : ConvertWin32(controls), console_(console), inline_(std::move(inlineProfile)),
          convertHeading_(convertHeading) {}

    ProfileStore& Profiles() override { return inline_ ? *inline_ : ConvertWin32::Profiles(); }
    void SetInfo(const std::wstring& text) override {
        ConvertWin32::SetInfo(text);
        console_.Line(text, L"  ");
    }
    void ProgressStarts(int linesInList) override {
        meter_.Start(linesInList, ProgressClockSeconds());
    }
    void LineDone(int done, int failed) override {
        meter_.Update(done, failed, ProgressClockSeconds());
        if (meter_.ShowDue(console_.InPlace() ? kInPlaceEverySeconds : kProgressEverySeconds)) {
            console_.Progress(ConsoleProgressText(meter_), done >= meter_.Total());
        }
    }
    void Sleep(int) override {}
    bool SkipHeading() override { return !convertHeading_; }

private:
    Console& console_;
    std::unique_ptr<ProfileStore> inline_;
    bool convertHeading_;
    RunMeter meter_;
};

// Lets the hidden window handle the link's messages until a navigation program has announced
// itself (kExitConverted), `seconds` passed (kExitNoNavigation) or the window was closed
// (kExitStopped).
int WaitForNavigation(int seconds) {
    const DWORD start = GetTickCount();
    SendNavCommand(kCommandAnnounce);
    for (;;) {
        if (!ProcessPendingEvents()) {
            return kExitStopped;
        }
        if (NavLink.LinkState != 0) {
            return kExitConverted;
        }
        if (GetTickCount() - start >= static_cast<DWORD>(seconds) * 1000) {
            return kExitNoNavigation;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The separator of an inline profile given without one: the column dialog's guess.
std::wstring GuessSeparator(const std::wstring& list) {
    const auto lines = ReadListHead(list, 1, kDialogLineLimit, kListSeparators);
    return lines ? AnalyseFirstLine(PreviewLine(*lines, 1)).separator : L",";
}

// The profile store for `list` when the job gives its columns; saved to the registry when asked.
std::unique_ptr<ProfileStore> InlineStoreFor(const ConvertJob& job, const std::wstring& list,
                                             const std::wstring& profileName) {
    if (!job.Columns) {
        return nullptr;
    }
    InlineProfile profile = *job.Columns;
    if (profile.Separator.empty()) {
        profile.Separator = GuessSeparator(list);
    }
    if (job.SaveProfile) {
        RegistryProfileStore registry;
        SaveProfile(registry, profileName, profile.Columns, profile.Separator);
    }
    return std::make_unique<InlineProfileStore>(profileName, profile);
}

void SetFormat(ImportWindow& w, const ConvertJob& job) {
    const int option = job.Format == OutputFormat::Poi   ? IdOption1
                       : job.Format == OutputFormat::Csv ? IdOption2
                                                         : IdOption3;
    CheckRadioButton(w.Control(IdPicture3), IdOption1, IdOption3, option);
    SetWindowTextW(w.Control(IdTxtSep), DecimalSeparatorFor(job).c_str());
}

int ConvertLists(ImportWindow& w, const ConvertJob& job, Console& console) {
    const std::size_t count = job.Lists.size();
    const bool toFolder =
        !job.Destination.empty() &&
        (count > 1 || job.Destination.back() == L'\\' || IsFolder(job.Destination));
    if (toFolder && !IsFolder(job.Destination)) {
        console.Line(L"Mapwell: the folder " + job.Destination + L" does not exist.");
        return kExitBadInput;
    }
    std::vector<std::wstring> results, fullResults;
    for (const std::wstring& list : job.Lists) {
        results.push_back(ResultPathFor(job, list, toFolder));
        fullResults.push_back(FullPathOf(results.back()));
    }
    for (const std::wstring& clash : {SameResultFileError(job.Lists, fullResults),
                                      ReadFileWrittenError(job.Lists, results, job.MapPicture)}) {
        if (!clash.empty()) {
            console.Line(L"Mapwell: " + clash);
            return kExitBadInput;
        }
    }
    SetFormat(w, job);
    int exitCode = kExitConverted;
    for (std::size_t i = 0; i < count; ++i) {
        const std::wstring& list = job.Lists[i];
        const std::wstring& result = results[i];
        const std::wstring profileName =
            job.ProfileName.empty() ? DefaultProfileName(list) : job.ProfileName;
        console.Line(L"[" + DecimalText(static_cast<long long>(i + 1)) + L"/" +
                     DecimalText(static_cast<long long>(count)) + L"] " + list + L" -> " + result +
                     L" (profile " + profileName + L")");

        std::unique_ptr<ProfileStore> inlineStore = InlineStoreFor(job, list, profileName);
        RegistryProfileStore registry;
        if (!inlineStore && !ReadProfile(registry, profileName)) {
            console.Line(L"  No column profile \"" + profileName +
                         L"\": save one in the column dialog, or give /profile or /columns.");
            exitCode = std::max<int>(exitCode, kExitBadInput);
            continue;
        }
        if (const int waited = WaitForNavigation(job.WaitSeconds); waited != kExitConverted) {
            if (waited == kExitNoNavigation) {
                console.Line(L"  No navigation program announced itself within " +
                             DecimalText(job.WaitSeconds) +
                             L" seconds: please start Navigon NCK5 or NavigatoR.");
            }
            return waited;
        }
        SetWindowTextW(w.Control(IdExportFileTxt), result.c_str());
        w.SourceFile = list;
        w.ProfileName = profileName;
        CommandLineConversion conversion(ConversionControls(w), console, std::move(inlineStore),
                                         job.ConvertHeading);
        const int listCode = ExitCodeOf(ConvertSource(w, conversion));
        if (listCode == kExitStopped) {
            console.Line(L"Mapwell: stopped before the end of " + list + L".");
            return listCode;
        }
        if (listCode == kExitNotWritten) {
            return listCode;
        }
        exitCode = std::max(exitCode, listCode);
    }
    return exitCode;
}

// /map: the picture of the last list's result, as the map window shows it. kExitNotWritten
// when it was not written.
int WriteMap(const ImportWindow& w, const ConvertJob& job, Console& console) {
    constexpr int kWidth = 1000, kHeight = 750;
    if (job.MapPicture.empty()) {
        return kExitConverted;
    }
    if (w.MapResult.empty()) {
        console.Line(L"Mapwell: no result to draw into " + job.MapPicture + L".");
        return kExitNotWritten;
    }
    const MapScene scene = LastResultMap(w);
    if (!WriteMapPicture(scene, job.MapPicture, kWidth, kHeight)) {
        console.Line(L"Mapwell: can't write the map " + job.MapPicture + L".");
        return kExitNotWritten;
    }
    const std::wstring outside = OutsideSummary(scene.OutsideCount());
    console.Line(L"Map: " + job.MapPicture + (outside.empty() ? L"" : L" - " + outside));
    return kExitConverted;
}

}  // namespace

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    for (int i = 1; i < count; ++i) {
        result.emplace_back(arguments[i]);
    }
    LocalFree(arguments);
    return result;
}

int RunCommandLine(HINSTANCE instance, const ParsedCommandLine& command) {
    Console console;
    if (!command.Error.empty()) {
        console.Line(L"Mapwell: " + command.Error + L"\nMapwell.exe /? shows the usage.");
        return kExitBadInput;
    }
    if (command.ShowUsage || !command.Job) {
        console.Line(kCommandLineUsage);
        return kExitConverted;
    }
    // Nobody is there to answer the system's own error boxes (a drive without a disk).
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
    // The main window as the program always has it, never shown; it anchors the link.
    ImportWindow state;
    HWND window = CreateImportWindow(instance, state, SW_HIDE);
    if (!window) {
        console.Line(L"Mapwell: the main window could not be created.");
        return kExitBadInput;
    }
    state.StatusText = L"Address converting..";
    int exitCode = kExitConverted;
    try {
        exitCode = ConvertLists(state, *command.Job, console);
        // A map asked for and not drawn fails the command, unless the command failed already.
        const int mapCode = WriteMap(state, *command.Job, console);
        if (exitCode <= kExitSomeFailed) {
            exitCode = std::max(exitCode, mapCode);
        }
    } catch (...) {
        // The run has closed its files on the way out; the lines converted so far stay written.
        console.Line(std::wstring(L"Mapwell: ") + FailureDescription(std::current_exception()));
        exitCode = ExitCodeOf(std::nullopt);
    }
    DestroyWindow(window);
    return exitCode;
}

}  // namespace mapwell
