#include "app/engine/convert_engine.h"
#include "app/engine/line_rules.h"
#include "testing/fake_map_file.h"
#include "testing/simulated_navigation.h"
#include "testing/test_folder.h"
#include "columns/fake_profile_store.h"
#include "navlink/link_record.h"
#include "support/encoding/codepage.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <optional>

namespace mapwell {
namespace {

// What the stand-in navigation program answers to one request.
struct FakeReply {
    float Latitude = 52.5f;
    float Longitude = 13.4f;
    std::uint8_t Status = 0;  // 0 = found
    std::wstring Text = L"found";
    int AfterPauses = 0;  // 0: inside the send; n: during the n-th pause; -1: never
};

FakeReply NotFound() {
    // The text field of a reply comes whole, NUL bytes included.
    return FakeReply{0, 0, 3, std::wstring(L"Address not found") + std::wstring(111, L'\0'), 0};
}

// The surroundings of a conversion: the main window's controls as plain values, and a stand-in
// navigation program that answers each request inside the send, after some pauses, or never. No
// web route is plugged in: the page brings nothing back, and every collected line fails.
class FakeSurroundings : public RunStatus,
                         public RunLink,
                         public RunWaits,
                         public RunSettings,
                         public RunProfiles,
                         public PointSink,
                         public RunProgress {
public:
    ProfileStore& Profiles() override { return store; }

    void SendGeocodeRequest() override {
        requests.push_back(AddressRequest{NavLink.Country, NavLink.Zip, NavLink.City,
                                          NavLink.Street, NavLink.HouseNo});
        pending = answer(requests.back());
        pausesToReply = pending->AfterPauses;
        if (pausesToReply == 0) {
            Deliver();
        }
    }
    void Pause(int, const std::function<void()>& afterEachEvent) override {
        ++pauses;
        if (pending && pausesToReply > 0 && --pausesToReply == 0) {
            Deliver();
            afterEachEvent();
        }
        if (announcePending) {
            // The detection timer's announcement, received by the main window from itself.
            announcePending = false;
            NavLink.LinkState = 1;
            afterEachEvent();
        }
        ++passes;
    }
    void DoEvents() override { ++passes; }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void SetInfo(const std::wstring& text) override { infos.push_back(text); }
    std::wstring Destination() override { return destination; }
    OutputFormat FormatInForce() override { return format; }
    std::wstring TxtSep() override { return L"."; }
    std::wstring RegionalDecimalSeparator() override { return L"."; }
    bool StopRequested() override {
        return stopAfterEventPasses >= 0 && passes >= stopAfterEventPasses;
    }
    void PointConverted(const ConvertedPoint& point) override { points.push_back(point); }
    void ProgressStarts(int lines) override {
        progress.push_back(L"lines " + std::to_wstring(lines) + L" after requests " +
                           std::to_wstring(requests.size()));
    }
    void LineDone(int done, int failed) override {
        progress.push_back(std::to_wstring(done) + L" done " + std::to_wstring(failed) +
                           L" failed");
    }
    bool SkipHeading() override { return skipHeading; }
    // Every role but the web route.
    RunRoles Roles() { return {*this, *this, *this, *this, *this, nullptr, this, this, &mapFile}; }

    std::wstring LastInfo() const { return infos.empty() ? L"" : infos.back(); }

    FakeProfileStore store;
    FakeMapFile mapFile;
    std::function<FakeReply(const AddressRequest&)> answer = [](const AddressRequest&) {
        return FakeReply{};
    };
    std::vector<AddressRequest> requests;
    int pauses = 0;
    std::vector<int> sleeps;
    std::vector<std::wstring> infos;
    std::vector<ConvertedPoint> points;
    std::vector<std::wstring> progress;
    std::wstring destination;
    OutputFormat format = OutputFormat::Append;
    int stopAfterEventPasses = -1;
    bool skipHeading = false;
    // Every reply is followed by an announcement in the next (or the same) pause.
    bool announceAfterReply = false;

private:
    void Deliver() {
        NavLink.Latitude = pending->Latitude;
        NavLink.Longitude = pending->Longitude;
        NavLink.LinkState = pending->Status;
        NavLink.ReplyText = pending->Text;
        NavLink.ReplyReceived = true;
        pending.reset();
        announcePending = announceAfterReply;
    }

    std::optional<FakeReply> pending;
    int pausesToReply = 0;
    int passes = 0;
    bool announcePending = false;
};

const std::string kMax = "Max,Muster,Hauptstr. 5a,10115,12345 Berlin,DE";
const std::string kEva = "Eva,Frau,Am Ring,20095,Hamburg,DE";
const std::string kAppendix = ",\"52.5\",\"13.4\"\r\n";

class ConvertEngine : public ::testing::Test {
protected:
    void SetUp() override {
        NavLink = NavLinkInfo{};
        s.destination = (folder / "out.txt").wstring();
        // The usual test list: Name1, Name2, Street, Zip, City, Land.
        SaveProfile(s.store, L"kunden", {0, 1, 2, 3, 4, 5, -1, -1}, L",");
    }
    // Each run starts linked (or not): a found reply leaves LinkState 0 until the detection
    // timer announces again, which these tests stand in for.
    bool Convert(const std::string& list, const std::wstring& profile = L"kunden") {
        NavLink.LinkState = linked ? 1 : 0;
        TestFolder::Put(folder / "list.csv", list);
        outcome = OpenAddList((folder / "list.csv").wstring(), profile, s.Roles());
        return outcome.Converted;
    }
    std::string Result() const { return TestFolder::Get(folder / "out.txt"); }
    std::string ErrorList() const { return TestFolder::Get(folder / "ConvertError.txt"); }

    TestFolder folder;
    FakeSurroundings s;
    bool linked = true;
    RunOutcome outcome;
};

FakeReply HamburgIsUnknown(const AddressRequest& request) {
    return request.City == L"Hamburg" ? NotFound() : FakeReply{};
}

TEST_F(ConvertEngine, AFailedLineIsShownAndListed) {
    s.answer = HamburgIsUnknown;
    EXPECT_TRUE(Convert(kMax + "\r\n" + kEva + "\r\n"));
    EXPECT_EQ(Result(), kMax + kAppendix);
    EXPECT_EQ(ErrorList(), kEva + "\r\n");
    EXPECT_EQ(s.infos.at(1),
              L"Error get coordinate for Addressindex 2 - Eva Frau\r\nAddress not found(3)");
    EXPECT_EQ(s.LastInfo(), L"Converting: 1 of 2\r\nFailed items are saved in ConvertError.txt");
    EXPECT_EQ(s.sleeps, (std::vector<int>{1000, 1000}));
    // The list grows across runs, each line byte for byte.
    const std::string ansi = "M\xfcller,\"X\",Weg 1,20095,Hamburg,DE";
    Convert(ansi);
    EXPECT_EQ(ErrorList(), kEva + "\r\n" + ansi + "\r\n");
}

// The list's lines are counted before the first request, as the run reads them: a blank line
// and, where the caller passes it over, a heading are none; a record over two lines is one. Each
// line then reports itself done.
TEST_F(ConvertEngine, ProgressCountsTheListFirstThenEachLine) {
    const std::string list = "name,lastname,street,zipcode,city,country\r\n" + kMax +
                             "\r\n\r\n\"Eva\nMaria\",Frau,Am Ring,20095,Hamburg,DE\r\n" + kMax;
    s.answer = HamburgIsUnknown;
    s.skipHeading = true;
    Convert(list);
    EXPECT_EQ(s.progress,
              (std::vector<std::wstring>{L"lines 3 after requests 0", L"1 done 0 failed",
                                         L"2 done 1 failed", L"3 done 1 failed"}));
    s.skipHeading = false;  // the heading is sent, and found
    s.progress.clear();
    s.requests.clear();
    Convert(list);
    EXPECT_EQ(s.progress.front(), L"lines 4 after requests 0");
    EXPECT_EQ(s.progress.back(), L"4 done 1 failed");
}

TEST_F(ConvertEngine, TheWaitForAReply) {
    const struct {
        int afterPauses;
        int pauses;
        bool found;
    } cases[] = {
        {0, 1, true},     {1, 1, true},      {5, 5, true},
        {201, 201, true}, {202, 201, false}, {-1, 201, false},
    };
    for (const auto& c : cases) {
        s.pauses = 0;
        s.answer = [&](const AddressRequest&) { return FakeReply{.AfterPauses = c.afterPauses}; };
        NavLink.ReplyText = L"earlier reply";
        EXPECT_EQ(Convert(kMax), c.found);
        EXPECT_EQ(s.pauses, c.pauses) << c.afterPauses;
        if (!c.found) {
            // Never the text that an earlier reply left behind.
            EXPECT_EQ(s.infos[s.infos.size() - 2],
                      L"Error get coordinate for Addressindex 1 - Max Muster\r\n"
                      L"No answer from the navigation program(1)");
        }
    }
}

// The detection timer's announcement after a reply (in the same pause for a late one) does not
// undo the reply.
TEST_F(ConvertEngine, FoundLinesAreWrittenAsTheyCome) {
    s.announceAfterReply = true;
    s.answer = [](const AddressRequest& r) {
        return FakeReply{.AfterPauses = r.City == L"Hamburg" ? 3 : 0};
    };
    EXPECT_TRUE(Convert(kMax + "\r\n" + kEva + "\r\n"));
    EXPECT_EQ(Result(), kMax + kAppendix + kEva + kAppendix);
    // Successful lines show no progress.
    EXPECT_EQ(s.infos, (std::vector<std::wstring>{L"Start asking Navigon for coordinates..",
                                                  L"Converting of 2 completed without errors."}));
    EXPECT_EQ(s.sleeps, std::vector<int>{1000});
    EXPECT_FALSE(std::filesystem::exists(folder / "ConvertError.txt"));
    EXPECT_EQ(NavLink.LinkState, 1);
}

// Every line sends its own request fields, none left from the line before. A blank line is no
// address: no request, no entry, not counted; the message names the line in the file.
TEST_F(ConvertEngine, AFoundLineWithoutStreetAndCityIsListed) {
    EXPECT_TRUE(Convert(kMax + "\r\n\r\n , \r\nOtto,Kurz,,53111,,DE\r\n"));
    EXPECT_EQ(s.requests,
              (std::vector<AddressRequest>{{L"DE", L"10115", L"Berlin", L"Hauptstr. 5a", L"5a"},
                                           {L"DE", L"53111", L"", L"", L""}}));
    EXPECT_EQ(Result(), kMax + kAppendix);
    EXPECT_EQ(ErrorList(), "Otto,Kurz,,53111,,DE\r\n");
    EXPECT_EQ(s.infos.at(1), L"Error get coordinate for Addressindex 4 - Otto Kurz\r\nfound(0)");
    EXPECT_EQ(s.LastInfo(), L"Converting: 1 of 2\r\nFailed items are saved in ConvertError.txt");
}

// A source that cannot be read leaves the destination as it was.
TEST_F(ConvertEngine, AMissingSourceProfileOrDestinationStopsBeforeTheFirstLine) {
    SaveProfile(s.store, L"names", {0, 1, -1, 3, -1, 5, -1, -1}, L",");  // no Street, no City
    const std::wstring list = (folder / "list.csv").wstring(), out = s.destination,
                       missing = (folder / "missing.csv").wstring(),
                       aFolder = folder.Path().wstring(),
                       noFolder = (folder / "no-such-folder" / "out.txt").wstring();
    const struct {
        std::wstring source;
        const wchar_t* profile;
        std::wstring destination, info;
        std::string result;  // the destination holds the heading that came before the profile
    } cases[] = {
        {missing, L"kunden", out, L"Can't open source-file " + missing, "earlier"},
        {aFolder, L"kunden", out, L"Can't open source-file " + aFolder, "earlier"},
        {list, L"kunden", noFolder, L"Can't create destination-file " + noFolder, "earlier"},
        {list, L"other", out, L"Error by reading registry", CsvHeaderLine()},
        {list, L"names", out, L"Error by reading registry", CsvHeaderLine()},
    };
    s.format = OutputFormat::Csv;
    TestFolder::Put(folder / "list.csv", kMax);
    for (const auto& c : cases) {
        TestFolder::Put(folder / "out.txt", "earlier");
        s.destination = c.destination;
        EXPECT_FALSE(OpenAddList(c.source, c.profile, s.Roles()).Started);
        EXPECT_EQ(s.LastInfo(), c.info);
        EXPECT_EQ(Result(), c.result);
    }
    EXPECT_TRUE(s.requests.empty());
    // Street and City in the same column is a profile like any other; the next list converts.
    SaveProfile(s.store, L"same", {-1, -1, 0, -1, 0, -1, -1, -1}, L",");
    EXPECT_TRUE(Convert("Berlin", L"same"));
}

// The line that has nowhere to go is named, and the run ends there.
TEST_F(ConvertEngine, AnErrorListThatCannotBeWrittenIsReportedOnBothRoutes) {
    std::filesystem::create_directory(folder / "ConvertError.txt");
    s.answer = [](const AddressRequest&) { return NotFound(); };
    Convert(kMax + "\r\n" + kMax);
    EXPECT_TRUE(outcome.WriteFailed);
    EXPECT_EQ(s.requests.size(), 1u);
    EXPECT_EQ(s.LastInfo(), L"Can't write ConvertError.txt: the run ends at line 1, which is saved "
                            L"nowhere:\r\n" +
                                AnsiToWide(kMax));
    linked = false;  // the page brings nothing back
    Convert(kMax + "\r\n" + kEva);
    EXPECT_TRUE(outcome.WriteFailed);
    EXPECT_EQ(s.LastInfo(), L"Converting: 0 of 2\r\nCan't write ConvertError.txt: 2 lines saved "
                            L"nowhere");
}

// A file that refuses writes beyond its first 100 bytes: the line that does not fit ends the run,
// uncounted and without a piece of it, and the line before it stays.
TEST_F(ConvertEngine, AResultLineThatCannotBeWrittenEndsTheRun) {
    TestFolder::Put(folder / "list.csv", kMax + "\r\n" + kEva + "\r\n" + kMax);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    NavLink.LinkState = 1;
    const RunOutcome run = OpenAddList((folder / "list.csv").wstring(), L"kunden", s.Roles());
    setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_TRUE(run.WriteFailed);
    EXPECT_EQ(run.LinesConverted, 1);
    EXPECT_EQ(s.requests.size(), 2u);
    EXPECT_EQ(Result(), kMax + kAppendix);
    EXPECT_EQ(s.LastInfo(), L"Can't write to destination-file " + s.destination +
                                L": the run ends at line 2; the lines before it are written.");
    // A CSV header that cannot be written: nothing is asked.
    s.destination = L"/dev/full";
    s.format = OutputFormat::Csv;
    EXPECT_TRUE(OpenAddList((folder / "list.csv").wstring(), L"kunden", s.Roles()).WriteFailed);
    EXPECT_EQ(s.LastInfo(), L"Can't write to destination-file /dev/full");
    EXPECT_EQ(s.requests.size(), 2u);
}

// Any path that names the list, or the error list beside the result, is refused before anything
// is written; an empty list has no lines to convert and costs no entry.
TEST_F(ConvertEngine, NoRunWritesAFileItReads) {
    const std::string list = kMax + "\r\n" + kEva;
    TestFolder::Put(folder / "list.csv", list);
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_hard_link(folder / "list.csv", folder / "sub" / "linked.csv");
    std::filesystem::create_symlink(folder / "list.csv", folder / "sub" / "symbolic.csv");
    const std::wstring itself = L" is the list itself: please choose another destination.";
    const struct {
        std::filesystem::path destination;
        std::wstring says;
    } cases[] = {
        {folder / "list.csv", itself},
        {folder / "sub" / ".." / "list.csv", itself},
        {folder / "sub" / "linked.csv", itself},
        {folder / "sub" / "symbolic.csv", itself},
        {folder / "ConvertError.txt",
         L" is the error list ConvertError.txt: please choose another destination."},
    };
    for (const auto& c : cases) {
        s.destination = c.destination.wstring();
        EXPECT_FALSE(OpenAddList((folder / "list.csv").wstring(), L"kunden", s.Roles()).Started);
        EXPECT_EQ(s.LastInfo(), L"The destination-file " + s.destination + c.says);
        EXPECT_EQ(TestFolder::Get(folder / "list.csv"), list);
    }
    s.destination = (folder / "out.txt").wstring();
    for (const std::string empty : {"", "\xEF\xBB\xBF", "\xFF\xFE"}) {
        EXPECT_FALSE(Convert(empty));
        EXPECT_EQ(s.LastInfo(), L"The list holds no lines");
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
    // Blank lines alone hold no address either.
    Convert("\r\n,,,\r\n \r\n");
    EXPECT_FALSE(outcome.Started);
    EXPECT_EQ(s.LastInfo(), L"The list holds no lines");
    EXPECT_TRUE(s.requests.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "ConvertError.txt"));
}

// ConvertError.txt converted beside itself: the run reads it as it stood, and then it holds
// exactly the lines that failed again; a run stopped early keeps the lines it did not finish.
TEST_F(ConvertEngine, TheFailedLinesConvertedAgain) {
    s.answer = HamburgIsUnknown;
    const std::string otto = "Otto,Kurz,Weg 3,53111,Bonn,DE";
    const std::string failed = kEva + "\r\n" + kMax + "\r\n" + kEva + "\r\n" + otto + "\r\n";
    s.destination = (folder / "ConvertError_Geo.txt").wstring();
    // 3: line 1's wait and message, line 2's wait; 40: more than the whole run takes.
    for (const int stopAfter : {3, 40}) {
        TestFolder::Put(folder / "ConvertError.txt", failed);
        s.requests.clear();
        s.stopAfterEventPasses = stopAfter;
        NavLink.LinkState = 1;
        OpenAddList((folder / "ConvertError.txt").wstring(), L"kunden", s.Roles());
        EXPECT_EQ(s.requests.size(), stopAfter > 3 ? 4u : 2u);
        EXPECT_EQ(TestFolder::Get(folder / "ConvertError.txt"),
                  stopAfter > 3 ? kEva + "\r\n" + kEva + "\r\n"
                                : kEva + "\r\n" + kMax + "\r\n" + kEva + "\r\n" + otto + "\r\n");
        EXPECT_EQ(TestFolder::Get(folder / "ConvertError_Geo.txt"),
                  stopAfter > 3 ? kMax + kAppendix + otto + kAppendix : "");
        EXPECT_FALSE(std::filesystem::exists(folder / "ConvertError.txt.new"));
    }
}

// "Exit" in the event pass after a failed line's message: the line before it stays on disk, the
// failed one in the error list, and no line or pause follows.
TEST_F(ConvertEngine, StopKeepsWhatTheRunHasDone) {
    s.answer = HamburgIsUnknown;
    s.stopAfterEventPasses = 3;  // line 1's wait, line 2's wait, the pass after its message
    Convert(kMax + "\r\n" + kEva + "\r\n" + kMax);
    EXPECT_EQ(s.requests.size(), 2u);
    EXPECT_EQ(Result(), kMax + kAppendix);
    EXPECT_EQ(ErrorList(), kEva + "\r\n");
    EXPECT_TRUE(s.sleeps.empty());
}

// A map file that a run leaves early is closed all the same; its points are kept for the map.
TEST_F(ConvertEngine, AMapFileStoppedEarlyIsWhole) {
    s.answer = HamburgIsUnknown;
    s.stopAfterEventPasses = 3;
    s.format = OutputFormat::GeoJson;
    Convert(kMax + "\r\n" + kEva + "\r\n" + kMax);
    EXPECT_EQ(Result(), "<[52.5 13.4 Max/12345 Berlin found]>");
    ASSERT_EQ(s.points.size(), 1u);
    EXPECT_EQ(s.points[0].Country, L"DE");
    EXPECT_EQ(s.points[0].Line, AnsiToWide(kMax));
    // The line's own answer goes with it, into the file and to the map.
    EXPECT_EQ(s.points[0].Answer, L"found");
}

// A UTF-8 or UTF-16 list gives a UTF-8 result after a mark, its lines' text unchanged; a POI file
// stays ANSI, and the summary counts its lines with a replaced letter.
TEST_F(ConvertEngine, ListsInUtf8AndUtf16) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string line = "Max,\xC5\x81ukasz,Stra\xC3\x9F"
                             "e 1,10115,Berlin";
    // The same line in UTF-16: "\u0141" and "\u00DF" are the two letters beyond ASCII.
    const std::string utf16 = "\xFF\xFE" + Utf16Of("Max,") + "\x41\x01" + Utf16Of("ukasz,Stra") +
                              "\xDF" + std::string(1, '\0') + Utf16Of("e 1,10115,Berlin\r\n");
    const std::wstring done = L"Converting of 1 completed without errors.";
    const struct {
        std::string list;
        OutputFormat format;
        std::string result;
        std::wstring summary;
    } cases[] = {
        {mark + line + "\r\n", OutputFormat::Append, mark + line + kAppendix, done},
        {line, OutputFormat::Append, mark + line + kAppendix, done},
        {utf16, OutputFormat::Append, mark + line + kAppendix, done},
        {utf16, OutputFormat::Poi,
         "52.5,13.4,\"Max ?ukasz - Stra\xDF"
         "e 1 10115 Berlin, \"\r\n",
         done + L"\r\n1 line with a letter replaced by its closest ANSI letter"},
        // Half a UTF-16 character at the end makes no line and is reported.
        {utf16 + "\r", OutputFormat::Append, mark + line + kAppendix,
         done + L"\r\nThe list ends in half a UTF-16 character: its last byte was left out"},
    };
    for (const auto& c : cases) {
        s.format = c.format;
        Convert(c.list);
        EXPECT_EQ(Result(), c.result) << c.list;
        EXPECT_EQ(s.LastInfo(), c.summary) << c.list;
        EXPECT_EQ(s.requests.back().Street, L"Stra\u00DFe 1");
    }
    s.answer = [](const AddressRequest&) { return NotFound(); };
    Convert(utf16);
    EXPECT_EQ(ErrorList(), mark + line + "\r\n");
}

// The command line passes over a heading, which the window sends like any other line; a record
// that spans lines is named by the line it begins on, its line break shown as a blank.
TEST_F(ConvertEngine, AHeadingIsPassedOverWhereAsked) {
    const std::string heading = "name,lastname,street,zipcode,city,country\n";
    const std::string eva = "\"Eva\nMaria\",Frau,Am Ring,20095,Hamburg,DE\n";
    s.answer = HamburgIsUnknown;
    for (const bool skip : {true, false}) {
        s.skipHeading = skip;
        s.requests.clear();
        s.infos.clear();
        std::filesystem::remove(folder / "ConvertError.txt");
        Convert(heading + kMax + "\n" + eva);
        EXPECT_EQ(s.requests.size(), skip ? 2u : 3u);
        if (skip) {
            EXPECT_EQ(s.infos.at(1), L"Line 1 is a heading, not an address: " +
                                         AnsiToWide(heading.substr(0, heading.size() - 1)));
        }
        EXPECT_EQ(ErrorList(), eva.substr(0, eva.size() - 1) + "\r\n");
        EXPECT_EQ(
            s.infos.at(skip ? 2 : 1),
            L"Error get coordinate for Addressindex 3 - Eva Maria Frau\r\nAddress not found(3)");
        EXPECT_EQ(s.LastInfo(), std::wstring(skip ? L"Converting: 1 of 2" : L"Converting: 2 of 3") +
                                    L"\r\nFailed items are saved in ConvertError.txt");
    }
    EXPECT_EQ(s.requests[0].Street, L"street");  // the window's run sent the heading
}

// However a navigation program fills the address part of its replies, a request it never
// answers, answers after the line's wait, or holds until the next request reaches it, costs that
// line and at most one after it, and no line is written with another line's place or shows
// another reply's text. The last rows: answers one at a time with one slow (the third), naming
// only the city as the list spells it, in a list that mixes lines of a city only in, and answers
// held until the next request, naming only city and postcode.
TEST(ConvertEngineLateAnswers, NoLineTakesAnotherLinesPlace) {
    constexpr int kLines = 50;
    using enum ReplyStyle;
    std::vector<NavigationSchedule> schedules;
    for (const ReplyStyle style : {Echo, OwnSpelling, EmptyFields, CityOnly, CityAsAsked}) {
        schedules.push_back({style, 7, 0});
        schedules.push_back({style, 0, 5});
        schedules.push_back({.style = style, .lateEvery = 7, .mixedList = true});
    }
    schedules.push_back({.style = CityAsAsked,
                         .answerMs = 600,
                         .slowRequest = 3,
                         .slowMs = 2500,
                         .mixedList = true});
    schedules.push_back({.style = CityAsAsked,
                         .answerMs = 600,
                         .slowRequest = 7,
                         .slowMs = 2500,
                         .mixedList = true});
    schedules.push_back({.style = Echo, .holdEvery = 2});
    schedules.push_back({.style = EmptyFields, .holdEvery = 5, .mixedList = true});
    for (const NavigationSchedule& schedule : schedules) {
        SCOPED_TRACE(testing::Message()
                     << "style " << static_cast<int>(schedule.style) << ", drop "
                     << schedule.dropEvery << ", late " << schedule.lateEvery << ", hold "
                     << schedule.holdEvery << ", slow " << schedule.slowRequest << ", mixed "
                     << schedule.mixedList);
        std::string list;
        for (int i = 1; i <= kLines; ++i) {
            list += SimulatedListLine(i, schedule.mixedList);
        }
        TestFolder folder;
        TestFolder::Put(folder / "list.csv", list);
        SimulatedNavigation s((folder / "out.txt").wstring(), schedule);
        NavLink = NavLinkInfo{};
        NavLink.LinkState = 1;
        OpenAddList((folder / "list.csv").wstring(), L"list", s.Roles());

        const auto coordinate = [](float value) {
            const std::wstring text = CoordinateText(value, L".");
            return std::string(text.begin(), text.end());
        };
        std::string expected;
        int written = 0;
        const std::string result = TestFolder::Get(folder / "out.txt");
        for (int i = 1; i <= kLines; ++i) {
            std::string line = SimulatedListLine(i, schedule.mixedList);
            const int place = SimulatedPlaceOf(i, schedule.mixedList);
            line.insert(line.size() - 2, ",\"" + coordinate(SimulatedLatitude(place)) + "\",\"" +
                                             coordinate(SimulatedLongitude(place)) + "\"");
            if (result.find(line) != std::string::npos) {
                expected += line;
                ++written;
            }
        }
        EXPECT_EQ(result, expected);  // every line written is its own, in order
        const int every = std::max({schedule.dropEvery, schedule.lateEvery, schedule.holdEvery});
        const int missed = every > 0 ? (kLines + every - 1) / every : 1;
        EXPECT_GE(written, kLines - 2 * missed);
        for (const std::wstring& info : s.infos) {
            EXPECT_FALSE(info.starts_with(L"Error") && info.find(L"found") != std::wstring::npos)
                << info;
        }
    }
}

}  // namespace
}  // namespace mapwell
