#include "app/engine/convert_win32.h"

#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "navlink/nav_program.h"
#include "support/controls_win32.h"

namespace mapwell {

namespace {

bool IsChecked(HWND option) {
    return option && SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

ConvertWin32::ConvertWin32(const ConvertControls& controls, WebFinisher finishWebRoute,
                           PaceClock* pace)
    : controls_(controls), finishWebRoute_(std::move(finishWebRoute)),
      pace_(pace ? *pace : SystemPace()) {}

void ConvertWin32::SendGeocodeRequest() {
    SendNavCommand(kCommandGeocode);
}

void ConvertWin32::EndReplyWait() {
    EndGeocodeWait();
}

bool ConvertWin32::MustWaitForEarlierAnswer() {
    return mapwell::MustWaitForEarlierAnswer();
}

bool ConvertWin32::UnclearAnswerCame() {
    return NavProgram.Requests.UnclearSinceLastRequest();
}

LinkTrouble ConvertWin32::Trouble() {
    if (NavProgramHasGone()) {
        return LinkTrouble::ProgramGone;
    }
    return NavProgramDoesNotAnswer() ? LinkTrouble::NoAnswers : LinkTrouble::None;
}

void ConvertWin32::Pause(int milliseconds, const std::function<void()>& afterEachEvent) {
    if (!PauseFor(milliseconds, pace_,
                  [&] { return ProcessPendingEvents(afterEachEvent, &pace_); })) {
        stop_ = true;
    }
}

void ConvertWin32::DoEvents() {
    if (!ProcessPendingEvents({}, &pace_)) {
        stop_ = true;
    }
}

void ConvertWin32::SetInfo(const std::wstring& text) {
    if (controls_.Info) {
        SetWindowTextW(controls_.Info, text.c_str());
    }
}

std::wstring ConvertWin32::Destination() {
    return WindowTextOf(controls_.ExportFileTxt);
}

OutputFormat ConvertWin32::FormatInForce() {
    // Read once: a map file keeps its format for the run, whatever is typed meanwhile.
    if (!destinationFormat_) {
        destinationFormat_ = MapFormatOfPath(Destination()).value_or(OutputFormat::None);
    }
    if (*destinationFormat_ != OutputFormat::None) {
        return *destinationFormat_;
    }
    if (IsChecked(controls_.Option1)) {
        return OutputFormat::Poi;
    }
    if (IsChecked(controls_.Option2)) {
        return OutputFormat::Csv;
    }
    if (IsChecked(controls_.Option3)) {
        return OutputFormat::Append;
    }
    return OutputFormat::None;
}

std::wstring ConvertWin32::TxtSep() {
    return WindowTextOf(controls_.TxtSep);
}

std::wstring ConvertWin32::RegionalDecimalSeparator() {
    wchar_t separator[8] = {};
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) {
        return L".";
    }
    return separator;
}

int ConvertWin32::FinishWebRoute(WebCollection& rows, ResultFile& result, ErrorList& errors) {
    return finishWebRoute_ ? finishWebRoute_(rows, result, errors, *this) : 0;
}

}  // namespace mapwell
