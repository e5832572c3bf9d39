#include "app/engine/convert_engine.h"

#include "app/engine/result_file.h"
#include "app/engine/line_rules.h"
#include "app/engine/map_format.h"
#include "navlink/link_record.h"
#include "support/text.h"

#include <filesystem>
#include <optional>

namespace mapwell {

namespace {

constexpr int kReplyPollMs = 10;
constexpr int kReplyPolls = 200;  // the wait ends after the 201st pause at the latest
constexpr int kReadPauseMs = 1000;
constexpr wchar_t kNoAnswerText[] = L"No answer from the navigation program";
constexpr wchar_t kUnclearAnswerText[] =
    L"The answer could not be told from a late answer to an earlier line";
constexpr wchar_t kProgramGoneText[] = L"The navigation program has closed";
constexpr wchar_t kNoAnswersText[] = L"The navigation program does not answer";

// The answer to a line's request as it stood when it came in. The wait goes on after it, and
// the detection timer's next announcement, which the main window receives from itself as well,
// sets LinkState to 1 meanwhile; judged from NavLink after the wait, a found address would fail.
struct Reply {
    float Latitude = 0;
    float Longitude = 0;
    std::uint8_t Status = 0;
    std::wstring Text;
};

// One run: its inputs, its files and its counts.
class Run {
public:
    Run(ConvertSurroundings& s, const ColumnProfile& profile, const std::wstring& destination,
        ResultFile& result, LineReader& reader, OutputFormat startFormat)
        : s_(s), profile_(profile), result_(result), reader_(reader),
          mapFormat_(IsMapFormat(startFormat) ? startFormat : OutputFormat::None),
          // Beside the result file; a destination typed without a folder lies in the current
          // folder.
          errors_(ErrorListBeside(s.FullPath(destination)), result.text),
          encoding_(reader.Encoding()) {}

    RunOutcome Execute();

private:
    void TakeReply();
    std::wstring NoAnswerText();
    bool ConvertLine();  // false when the window wants the run to end
    void Succeed(const OutputFields& out, const std::string& raw, const std::wstring& country);
    bool Fail(const std::vector<std::wstring>& columns, const std::string& raw);
    void AddErrorEntry(const std::string& raw);
    void ShowSummary();
    RunOutcome Outcome(bool stopped) const;

    ConvertSurroundings& s_;
    const ColumnProfile& profile_;
    ResultFile& result_;
    LineReader& reader_;
    OutputFormat mapFormat_;  // a map file keeps its format for the whole run
    ErrorListFile errors_;    // both routes write their entries through it
    SourceEncoding encoding_;
    bool navigationRoute_ = false;
    WebCollection web_;
    int rowsRead_ = 0;
    int rowsConverted_ = 0;
    bool converted_ = false;
    std::optional<Reply> reply_;
};

std::wstring Run::NoAnswerText() {
    switch (s_.Trouble()) {
    case LinkTrouble::ProgramGone: return kProgramGoneText;
    case LinkTrouble::NoAnswers: return kNoAnswersText;
    case LinkTrouble::None: break;
    }
    return s_.UnclearAnswerCame() ? kUnclearAnswerText : kNoAnswerText;
}

void Run::TakeReply() {
    if (!reply_ && NavLink.ReplyReceived) {
        reply_ = Reply{NavLink.Latitude, NavLink.Longitude, NavLink.LinkState, NavLink.ReplyText};
    }
}

RunOutcome Run::Execute() {
    // The route is chosen once, from the link as it stands now.
    const NavLinkInfo atStart = NavLink;
    navigationRoute_ = atStart.LinkState != 0;
    s_.SetInfo(L"Start asking Navigon for coordinates..");
    do {
        if (!ConvertLine()) {
            return Outcome(true);
        }
    } while (!reader_.AtEnd());

    if (!navigationRoute_) {
        rowsConverted_ = s_.FinishWebRoute(web_, result_, errors_);
    }
    s_.DoEvents();
    if (s_.StopRequested()) {
        return Outcome(true);
    }
    s_.Sleep(kReadPauseMs);
    ShowSummary();
    return Outcome(false);
}

RunOutcome Run::Outcome(bool stopped) const {
    return {converted_, true, stopped, rowsRead_, rowsConverted_};
}

bool Run::ConvertLine() {
    const std::string raw = reader_.ReadLine();
    const std::vector<std::wstring> columns = SplitSourceLine(raw, profile_.Separator, encoding_);
    ++rowsRead_;

    const AddressRequest request = BuildRequest(columns, profile_);
    NavLink.Street = request.Street;
    NavLink.HouseNo = request.HouseNo;
    NavLink.Zip = request.Zip;
    NavLink.City = request.City;
    NavLink.Country = request.Country;
    NavLink.Latitude = 0;
    NavLink.ReplyReceived = false;

    if (navigationRoute_) {
        reply_.reset();
        while (s_.MustWaitForEarlierAnswer()) {
            s_.Pause(kReplyPollMs, [] {});
            if (s_.StopRequested()) {
                s_.EndReplyWait();
                return false;
            }
        }
        s_.SendGeocodeRequest();
        TakeReply();
        int polls = 0;
        do {
            // A navigation program whose window has gone answers nothing: the line fails at once.
            if (s_.Trouble() == LinkTrouble::ProgramGone) {
                break;
            }
            ++polls;
            s_.Pause(kReplyPollMs, [this] { TakeReply(); });
            TakeReply();
            if (s_.StopRequested()) {
                s_.EndReplyWait();
                return false;
            }
        } while (polls <= kReplyPolls && !NavLink.ReplyReceived);
        s_.EndReplyWait();
        // No answer of its own: the line fails with a text of its own, never with the text that
        // another request's reply left behind.
        if (!reply_) {
            reply_ = Reply{0, 0, NavLink.LinkState, NoAnswerText()};
        }
    } else {
        // Placeholders: the web page supplies the coordinates after the loop.
        NavLink.Latitude = 1;
        NavLink.Longitude = 1;
        NavLink.LinkState = columns.empty() ? 1 : 0;
        reply_ = Reply{NavLink.Latitude, NavLink.Longitude, NavLink.LinkState, NavLink.ReplyText};
    }

    if (!IsFoundPlace(reply_->Latitude, reply_->Longitude) || reply_->Status > 0) {
        return Fail(columns, raw);
    }
    const OutputFields out = BuildOutputFields(columns, profile_);
    // A found place that the result line could not name would vanish without a trace.
    if (out.Street.empty() && out.City.empty()) {
        return Fail(columns, raw);
    }
    Succeed(out, raw, request.Country);
    return true;
}

void Run::Succeed(const OutputFields& out, const std::string& raw, const std::wstring& country) {
    const bool map = mapFormat_ != OutputFormat::None;
    const std::wstring decimal = map ? L"." : s_.RegionalDecimalSeparator();
    std::wstring lat = CoordinateText(reply_->Latitude, decimal);
    std::wstring lon = CoordinateText(reply_->Longitude, decimal);
    if (!map) {
        ApplyTxtSep(lat, lon, s_.TxtSep());
    }

    ++rowsConverted_;
    if (navigationRoute_) {
        WriteResultLine(result_, map ? mapFormat_ : s_.FormatInForce(), out, lat, lon, raw);
        s_.PointConverted(
            {reply_->Latitude, reply_->Longitude, DecodeListLine(raw, encoding_), country});
    } else {
        web_.Collect(WebRow{out.Name1, out.Name2, out.Street, out.Zip, out.City, out.Description,
                            raw, country, DecodeListLine(raw, encoding_)});
    }
    converted_ = true;
}

bool Run::Fail(const std::vector<std::wstring>& columns, const std::string& raw) {
    s_.SetInfo(L"Error get coordinate for Addressindex " + DecimalText(rowsRead_) + L" - " +
               FailedLineName(columns, profile_) + L"\r\n" + std::wstring(UpToNul(reply_->Text)) +
               L"(" + DecimalText(reply_->Status) + L")");
    s_.DoEvents();
    const bool stop = s_.StopRequested();
    if (!stop) {
        // So that the message can be read.
        s_.Sleep(kReadPauseMs);
    }
    AddErrorEntry(raw);
    return !stop;
}

void Run::AddErrorEntry(const std::string& raw) {
    errors_.Append(raw);
    if (errors_.Lost()) {
        s_.SetInfo(L"Can't write ConvertError.txt");
    }
}

void Run::ShowSummary() {
    const int replaced = result_.linesWithReplacedLetters;
    const std::wstring replacedNote =
        replaced == 0 ? L""
                      : L"\r\n" + DecimalText(replaced) + (replaced == 1 ? L" line" : L" lines") +
                            L" with a letter replaced by its closest ANSI letter";
    if (rowsRead_ == rowsConverted_) {
        s_.SetInfo(L"Converting of " + DecimalText(rowsConverted_) + L" completed without errors." +
                   replacedNote);
        return;
    }
    s_.SetInfo(L"Converting: " + DecimalText(rowsConverted_) + L" of " + DecimalText(rowsRead_) +
               L"\r\n" +
               (errors_.Lost() ? L"Can't write ConvertError.txt"
                               : L"Failed items are saved in ConvertError.txt") +
               replacedNote);
}

// Street and City are what a result line names; a profile that assigns neither cannot
// convert a single line.
bool ProfileUsable(const ColumnProfile& profile) {
    return profile.ColumnOf(AddressField::Street) >= 0 || profile.ColumnOf(AddressField::City) >= 0;
}

}  // namespace

RunOutcome OpenAddList(const std::wstring& sourcePath, const std::wstring& profileName,
                       ConvertSurroundings surroundings) {
    const std::optional<ColumnProfile> profile = ReadProfile(surroundings.Profiles(), profileName);

    // The source is checked first: a list that cannot be read must not cost the destination.
    ByteFile source(std::filesystem::path(sourcePath), ByteFile::Mode::Read);
    if (!source.IsOpen()) {
        surroundings.SetInfo(L"Can't open source-file " + sourcePath);
        return {};
    }
    LineReader reader(source.Get());
    const SourceEncoding encoding = reader.ReadEncoding();
    const std::wstring destination = surroundings.Destination();
    FileResultFile result{std::filesystem::path(destination)};
    if (!result.IsOpen()) {
        surroundings.SetInfo(L"Can't create destination-file " + destination);
        return {};
    }
    result.text = LinesAreUtf8(encoding) ? ResultText::Utf8 : ResultText::Ansi;
    const OutputFormat format = surroundings.FormatInForce();
    WriteResultHeader(result, format);
    const ResultClosing closing(result, format);
    if (!profile || !ProfileUsable(*profile)) {
        surroundings.SetInfo(L"Error by reading registry");
        return {};
    }
    Run run(surroundings, *profile, destination, result, reader, format);
    return run.Execute();
}

}  // namespace mapwell
