#include "app/engine/convert_engine.h"

#include "app/engine/result_file.h"
#include "app/engine/line_rules.h"
#include "columns/first_line.h"
#include "navlink/link_record.h"
#include "support/file_identity.h"
#include "support/text.h"

#include <filesystem>
#include <optional>

namespace mapwell {

namespace {

constexpr int kReplyPollMs = 10;
constexpr int kReplyPolls = 200;  // the wait ends after the 201st pause at the latest
constexpr int kReadPauseMs = 1000;
constexpr wchar_t kNoLinesText[] = L"The list holds no lines";
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

// What a record of the list is to a run. The run and the count of its lines before it both ask
// here, so that they pass over the same records.
enum class RecordKind { Address, Blank, Heading };

// `columns` are the record's cells. A heading (a first line that the column dialog takes for one)
// is passed over only where `skipHeading` asks it.
RecordKind KindOfRecord(const std::string& raw, const std::vector<std::wstring>& columns,
                        long long lineNumber, SourceEncoding encoding, bool skipHeading) {
    if (IsBlankRecord(columns)) {
        return RecordKind::Blank;
    }
    if (skipHeading && lineNumber == 1 &&
        IsHeading(AnalyseFirstLine(DecodeListLine(raw, encoding)))) {
        return RecordKind::Heading;
    }
    return RecordKind::Address;
}

// The web route after the line loop, when one is plugged in; without one, every line collected
// for it fails. Returns the number of rows imported.
int FinishWebRoute(WebRouteFinisher* web, WebCollection& rows, ResultFile& result,
                   ErrorList& errors) {
    if (web) {
        return web->FinishWebRoute(rows, result, errors);
    }
    for (int item = 1; item <= rows.Count(); ++item) {
        errors.Append(rows.Rows()[static_cast<std::size_t>(item)].Line);
    }
    return 0;
}

// One run: its inputs, its files and its counts.
class Run {
public:
    Run(RunRoles& roles, const ColumnProfile& profile, const std::wstring& destination,
        ResultFile& result, LineReader& reader, OutputFormat startFormat,
        const std::filesystem::path& errorList)
        : roles_(roles), profile_(profile), destination_(destination), result_(result),
          reader_(reader), mapFormat_(IsMapFormat(startFormat) ? startFormat : OutputFormat::None),
          errors_(errorList, result.text), encoding_(reader.Encoding()) {
        reader_.SetSeparators({profile.Separator});
    }

    RunOutcome Execute();
    // Adds the lines that the run did not finish, the one under way and those not read, to the
    // error list: a list of failed lines that is converted again loses none of them.
    void KeepUnfinishedLines();
    const ErrorListFile& Errors() const { return errors_; }

private:
    void TakeReply();
    std::wstring NoAnswerText();
    bool ConvertLine();  // false when the run ends: the window wants it to, or a write failed
    bool Succeed(const OutputFields& out, const std::string& raw, const std::wstring& country);
    bool Fail(const std::vector<std::wstring>& columns, const std::string& raw);
    bool AddErrorEntry(const std::string& raw);
    bool CheckWebRouteWrites();
    void ShowSummary();
    RunOutcome Outcome(bool stopped) const;

    RunRoles& roles_;
    const ColumnProfile& profile_;
    std::wstring destination_;
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
    bool writeFailed_ = false;
    std::optional<std::string> unfinished_;  // the line under way when the run ended
    std::optional<Reply> reply_;
};

std::wstring Run::NoAnswerText() {
    switch (roles_.link.Trouble()) {
    case LinkTrouble::ProgramGone: return kProgramGoneText;
    case LinkTrouble::NoAnswers: return kNoAnswersText;
    case LinkTrouble::None: break;
    }
    return roles_.link.UnclearAnswerCame() ? kUnclearAnswerText : kNoAnswerText;
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
    roles_.status.SetInfo(L"Start asking Navigon for coordinates..");
    do {
        const int before = rowsRead_;
        if (!ConvertLine()) {
            return Outcome(!writeFailed_);
        }
        if (rowsRead_ != before && roles_.progress) {
            roles_.progress->LineDone(rowsRead_, rowsRead_ - rowsConverted_);
        }
    } while (!reader_.AtEnd());
    // Blank lines, or a heading alone: no address to convert, as in an empty list.
    if (rowsRead_ == 0) {
        roles_.status.SetInfo(kNoLinesText);
        return {};
    }

    if (!navigationRoute_) {
        rowsConverted_ = FinishWebRoute(roles_.web, web_, result_, errors_);
        if (!CheckWebRouteWrites()) {
            return Outcome(false);
        }
    }
    roles_.waits.DoEvents();
    if (roles_.waits.StopRequested()) {
        return Outcome(true);
    }
    roles_.waits.Sleep(kReadPauseMs);
    ShowSummary();
    return Outcome(false);
}

RunOutcome Run::Outcome(bool stopped) const {
    return {converted_, true, stopped, rowsRead_, rowsConverted_, writeFailed_};
}

void Run::KeepUnfinishedLines() {
    if (unfinished_) {
        errors_.Append(*unfinished_);
    }
    while (!reader_.AtEnd()) {
        errors_.Append(reader_.ReadLine());
    }
}

bool Run::ConvertLine() {
    const std::string raw = reader_.ReadLine();
    const std::vector<std::wstring> columns = SplitSourceLine(raw, profile_.Separator, encoding_);
    // A blank line or a heading sends no request, writes no entry and is not counted.
    switch (KindOfRecord(raw, columns, reader_.LineNumber(), encoding_,
                         roles_.settings.SkipHeading())) {
    case RecordKind::Blank: return true;
    case RecordKind::Heading:
        roles_.status.SetInfo(L"Line 1 is a heading, not an address: " +
                              OnOneLine(DecodeListLine(raw, encoding_)));
        return true;
    case RecordKind::Address: break;
    }
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
        while (roles_.link.MustWaitForEarlierAnswer()) {
            roles_.waits.Pause(kReplyPollMs, [] {});
            if (roles_.waits.StopRequested()) {
                roles_.link.EndReplyWait();
                unfinished_ = raw;
                return false;
            }
        }
        roles_.link.SendGeocodeRequest();
        TakeReply();
        int polls = 0;
        do {
            // A navigation program whose window has gone answers nothing: the line fails at once.
            if (roles_.link.Trouble() == LinkTrouble::ProgramGone) {
                break;
            }
            ++polls;
            roles_.waits.Pause(kReplyPollMs, [this] { TakeReply(); });
            TakeReply();
            if (roles_.waits.StopRequested()) {
                roles_.link.EndReplyWait();
                unfinished_ = raw;
                return false;
            }
        } while (polls <= kReplyPolls && !NavLink.ReplyReceived);
        roles_.link.EndReplyWait();
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
    return Succeed(out, raw, request.Country);
}

bool Run::Succeed(const OutputFields& out, const std::string& raw, const std::wstring& country) {
    const bool map = mapFormat_ != OutputFormat::None;
    const std::wstring decimal = map ? L"." : roles_.settings.RegionalDecimalSeparator();
    std::wstring lat = CoordinateText(reply_->Latitude, decimal);
    std::wstring lon = CoordinateText(reply_->Longitude, decimal);
    if (!map) {
        ApplyTxtSep(lat, lon, roles_.settings.TxtSep());
    }

    if (navigationRoute_) {
        const std::wstring answer(UpToNul(reply_->Text));
        if (!WriteResultLine(result_, map ? mapFormat_ : roles_.settings.FormatInForce(), out, lat,
                             lon, raw, answer)) {
            roles_.status.SetInfo(L"Can't write to destination-file " + destination_ +
                                  L": the run ends at line " + DecimalText(reader_.LineNumber()) +
                                  L"; the lines before it are written.");
            writeFailed_ = true;
            unfinished_ = raw;
            return false;
        }
        if (roles_.points) {
            roles_.points->PointConverted({reply_->Latitude, reply_->Longitude,
                                           DecodeListLine(raw, encoding_), country, answer});
        }
    } else {
        web_.Collect(WebRow{out.Name1, out.Name2, out.Street, out.Zip, out.City, out.Description,
                            raw, country, DecodeListLine(raw, encoding_)});
    }
    ++rowsConverted_;
    converted_ = true;
    return true;
}

bool Run::Fail(const std::vector<std::wstring>& columns, const std::string& raw) {
    // The line as it stands in the file, blank lines and line breaks inside cells counted.
    roles_.status.SetInfo(
        L"Error get coordinate for Addressindex " + DecimalText(reader_.LineNumber()) + L" - " +
        FailedLineName(columns, profile_) + L"\r\n" + std::wstring(UpToNul(reply_->Text)) + L"(" +
        DecimalText(reply_->Status) + L")");
    roles_.waits.DoEvents();
    const bool stop = roles_.waits.StopRequested();
    if (!stop) {
        // So that the message can be read.
        roles_.waits.Sleep(kReadPauseMs);
    }
    return AddErrorEntry(raw) && !stop;
}

bool Run::AddErrorEntry(const std::string& raw) {
    errors_.Append(raw);
    if (errors_.Lost()) {
        roles_.status.SetInfo(L"Can't write ConvertError.txt: the run ends at line " +
                              DecimalText(reader_.LineNumber()) + L", which is saved nowhere:\r\n" +
                              DecodeListLine(raw, encoding_));
        writeFailed_ = true;
        return false;
    }
    return true;
}

// The web route writes its result lines and failed lines after the loop, all at once; a write
// that failed there ends the run with the summary and says what is missing.
bool Run::CheckWebRouteWrites() {
    if (!result_.WriteFailed && !errors_.Lost()) {
        return true;
    }
    ShowSummary();
    if (result_.WriteFailed) {
        roles_.status.SetInfo(L"Can't write to destination-file " + destination_ +
                              L": the lines not written are in ConvertError.txt.");
    }
    writeFailed_ = true;
    return false;
}

// "1 line", "2 lines".
std::wstring Lines(int count) {
    return DecimalText(count) + (count == 1 ? L" line" : L" lines");
}

void Run::ShowSummary() {
    const int replaced = result_.linesWithReplacedLetters;
    const std::wstring replacedNote =
        replaced == 0
            ? L""
            : L"\r\n" + Lines(replaced) + L" with a letter replaced by its closest ANSI letter";
    const std::wstring oddNote =
        reader_.OddLastByte()
            ? L"\r\nThe list ends in half a UTF-16 character: its last byte was left out"
            : L"";
    if (rowsRead_ == rowsConverted_) {
        roles_.status.SetInfo(L"Converting of " + DecimalText(rowsConverted_) +
                              L" completed without errors." + replacedNote + oddNote);
        return;
    }
    roles_.status.SetInfo(
        L"Converting: " + DecimalText(rowsConverted_) + L" of " + DecimalText(rowsRead_) + L"\r\n" +
        (errors_.Lost()
             ? L"Can't write ConvertError.txt: " + Lines(errors_.LostEntries()) + L" saved nowhere"
             : L"Failed items are saved in ConvertError.txt") +
        replacedNote + oddNote);
}

// Street and City are what a result line names; a profile that assigns neither cannot
// convert a single line.
bool ProfileUsable(const ColumnProfile& profile) {
    return profile.ColumnOf(AddressField::Street) >= 0 || profile.ColumnOf(AddressField::City) >= 0;
}

}  // namespace

int CountListLines(const std::wstring& sourcePath, const std::wstring& separator,
                   bool skipHeading) {
    ByteFile source(std::filesystem::path(sourcePath), ByteFile::Mode::Read);
    if (!source.IsOpen()) {
        return 0;
    }
    // As the line loop reads: at least once, up to the end of the list, passing over what it
    // passes over.
    LineReader reader(source.Get());
    const SourceEncoding encoding = reader.ReadEncoding();
    reader.SetSeparators({separator});
    int lines = 0;
    do {
        const std::string raw = reader.ReadLine();
        if (KindOfRecord(raw, SplitSourceLine(raw, separator, encoding), reader.LineNumber(),
                         encoding, skipHeading) == RecordKind::Address) {
            ++lines;
        }
    } while (!reader.AtEnd());
    return lines;
}

RunOutcome OpenAddList(const std::wstring& sourcePath, const std::wstring& profileName,
                       RunRoles roles) {
    const std::optional<ColumnProfile> profile =
        ReadProfile(roles.profiles.Profiles(), profileName);

    // The source is checked first: a list that cannot be read must not cost the destination.
    ByteFile source(std::filesystem::path(sourcePath), ByteFile::Mode::Read);
    if (!source.IsOpen()) {
        roles.status.SetInfo(L"Can't open source-file " + sourcePath);
        return {};
    }
    LineReader reader(source.Get());
    const SourceEncoding encoding = reader.ReadEncoding();
    if (reader.AtEnd()) {
        roles.status.SetInfo(kNoLinesText);
        return {};
    }
    // A run never writes a file it reads. Beside the result file; a destination typed without a
    // folder lies in the current folder.
    const std::wstring destination = roles.settings.Destination();
    const std::filesystem::path errorList = ErrorListBeside(roles.settings.FullPath(destination));
    if (SameFile(sourcePath, destination)) {
        roles.status.SetInfo(L"The destination-file " + destination +
                             L" is the list itself: please choose another destination.");
        return {};
    }
    if (SameFile(destination, errorList)) {
        roles.status.SetInfo(L"The destination-file " + destination +
                             L" is the error list ConvertError.txt: please choose another "
                             L"destination.");
        return {};
    }
    // The failed lines converted again: the error list that the run reads is renewed beside it.
    ErrorListRenewal renewal(errorList, SameFile(sourcePath, errorList));
    FileResultFile result{std::filesystem::path(destination)};
    if (!result.IsOpen()) {
        roles.status.SetInfo(L"Can't create destination-file " + destination);
        return {};
    }
    result.text = ResultTextOf(encoding);
    result.MapFile = roles.mapFile;
    const OutputFormat format = roles.settings.FormatInForce();
    const bool headed = WriteResultHeader(result, format);
    ResultClosing closing(result, format);
    if (!headed) {
        roles.status.SetInfo(L"Can't write to destination-file " + destination);
        return {.WriteFailed = true};
    }
    if (!profile || !ProfileUsable(*profile)) {
        roles.status.SetInfo(L"Error by reading registry");
        return {};
    }
    if (roles.progress) {
        roles.progress->ProgressStarts(
            CountListLines(sourcePath, profile->Separator, roles.settings.SkipHeading()));
    }
    Run run(roles, *profile, destination, result, reader, format, renewal.EntriesPath());
    RunOutcome outcome = run.Execute();
    if (!closing.Close() && !outcome.WriteFailed) {
        roles.status.SetInfo(L"Can't write to destination-file " + destination +
                             L": its closing part is missing.");
        outcome.WriteFailed = true;
    }
    if (renewal.Renews()) {
        run.KeepUnfinishedLines();
        // Windows moves no file over one that is still open.
        source.Close();
        if (!renewal.PutInPlace(run.Errors())) {
            roles.status.SetInfo(L"Can't write ConvertError.txt: it stays as it was, with the "
                                 L"lines converted now in it too.");
            outcome.WriteFailed = true;
        }
    }
    return outcome;
}

}  // namespace mapwell
