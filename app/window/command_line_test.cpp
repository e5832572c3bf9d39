#include "app/window/command_line.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

#include <set>

namespace mapwell {
namespace {

using Args = std::vector<std::wstring>;

// The arguments after /convert.
ParsedCommandLine Convert(Args arguments) {
    arguments.insert(arguments.begin(), L"/convert");
    return ParseCommandLine(arguments);
}

TEST(CommandLine, ReadsEveryOption) {
    EXPECT_FALSE(ParseCommandLine({L"kunden.csv"}).Convert);  // without /convert: the window
    EXPECT_TRUE(ParseCommandLine({L"/CONVERT", L"/?"}).ShowUsage);
    const ParsedCommandLine parsed =
        ParseCommandLine({L"/Convert", L"a.csv", L"/FORMAT", L"csv", L"b.csv", L"/out:C:\\res",
                          L"/decimal", L".", L"/profile", L"Kunden", L"/wait", L"12", L"/columns",
                          L"Street=2,city=4,NAME1=1,name2=7,zip=3,land=5,b1=6,b2=8", L"/separator",
                          L"semicolon", L"/save", L"/MAP", L"m.png"});
    ASSERT_TRUE(parsed.Job) << parsed.Error;
    const ConvertJob& job = *parsed.Job;
    EXPECT_EQ(job.Lists, (Args{L"a.csv", L"b.csv"}));
    EXPECT_EQ(job.Format, OutputFormat::Csv);
    EXPECT_EQ(job.Destination, L"C:\\res");
    EXPECT_EQ(DecimalSeparatorFor(job), L".");
    EXPECT_EQ(job.ProfileName, L"Kunden");
    EXPECT_EQ(job.WaitSeconds, 12);
    ASSERT_TRUE(job.Columns);
    EXPECT_EQ(job.Columns->Columns, (std::array<int, 8>{0, 6, 1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(job.Columns->Separator, L";");
    EXPECT_TRUE(job.SaveProfile);
    EXPECT_EQ(job.MapPicture, L"m.png");
}

TEST(CommandLine, Defaults) {
    const ParsedCommandLine parsed = Convert({L"C:\\data\\kunden.csv"});
    ASSERT_TRUE(parsed.Job);
    EXPECT_EQ(parsed.Job->Format, OutputFormat::Append);
    EXPECT_EQ(parsed.Job->WaitSeconds, 5);
    EXPECT_FALSE(parsed.Job->Columns);
    EXPECT_EQ(DecimalSeparatorFor(*parsed.Job), L",");
    EXPECT_EQ(DecimalSeparatorFor(*Convert({L"a.csv", L"/format", L"ASC"}).Job), L".");
}

// What follows /convert, and why it is refused.
TEST(CommandLine, RefusesBadInputWithAClearMessage) {
    const struct {
        Args args;
        std::wstring error;
    } cases[] = {
        {{}, L"No list to convert: give at least one address list after /convert."},
        {{L"a.csv", L"/format"}, L"/format needs a value: asc, csv, txt, gpx, kml or geojson."},
        {{L"a.csv", L"/out", L"/wait", L"3"},
         L"/out needs a value: a result file, or a folder for several lists."},
        {{L"a.csv", L"/decimal", L",,"},
         L"/decimal \",,\" is not valid: use one character, such as , or .."},
        {{L"a.csv", L"/wait", L"3601"},
         L"/wait \"3601\" is not valid: use a number of seconds from 0 to 3600."},
        {{L"a.csv", L"/format", L"csv", L"/Format", L"txt"}, L"/format is given twice."},
        {{L"a.csv", L"/quiet"}, L"Unknown option \"/quiet\"; Mapwell.exe /? lists them."},
        {{L"a.csv", L"/separator", L"|"}, L"/separator \"|\" is not valid: use , ; or tab."},
        {{L"a.csv", L"/separator", L";"},
         L"/separator needs /columns: it is the separator of an inline profile."},
        {{L"a.csv", L"/save"},
         L"/save needs /columns: it saves the inline profile under /profile."},
        {{L"a.csv", L"/columns", L"street=2"},
         L"/columns needs a column for both street and city."},
        {{L"a.csv", L"/columns", L"street=2,town=3"},
         L"/columns: unknown role \"town\"; the roles are name1, name2, street, zip, city, land, "
         L"b1 and b2."},
        {{L"a.csv", L"/columns", L"street=2,city=3,street=4"}, L"/columns: street is given twice."},
        {{L"a.csv", L"/columns", L"street=0,city=3"},
         L"/columns: the column of street must be a number from 1 on, not \"0\"."},
        {{L"a.csv", L"/columns", L"street=2,,city=3"},
         L"/columns: \"\" is not role=column, such as street=2."}};
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = Convert(c.args);
        EXPECT_FALSE(parsed.Job);
        EXPECT_EQ(parsed.Error, c.error) << c.error;
    }
}

TEST(CommandLine, ResultFiles) {
    const struct {
        Args args;
        bool toFolder;
        std::wstring expected;
    } cases[] = {
        {{L"C:\\d\\kunden.csv"}, false, L"C:\\d\\kunden_Geo.txt"},
        {{L"C:\\d\\kunden.csv", L"/format", L"asc"}, false, L"C:\\d\\kunden_Geo.asc"},
        {{L"C:\\d\\kunden.csv", L"/out", L"C:\\r\\x.dat"}, false, L"C:\\r\\x.dat"},
        {{L"C:\\d\\kunden.csv", L"/out", L"C:\\r\\"}, true, L"C:\\r\\kunden_Geo.txt"},
        {{L"C:\\d\\kunden.csv", L"/format", L"GeoJSON"}, false, L"C:\\d\\kunden_Geo.geojson"},
        {{L"C:\\d\\kunden.csv", L"/format:kml", L"/out", L"C:\\r\\x.txt"}, false, L"C:\\r\\x.kml"},
        {{L"C:\\d\\kunden.csv", L"/format", L"gpx", L"/out", L"C:\\r"}, true, L"C:\\r\\kunden_Geo.gpx"},
        // Forward slashes are backslashes.
        {{L"D:/in/kunden.csv"}, false, L"D:\\in\\kunden_Geo.txt"},
        {{L"D:/in/a.csv", L"/out", L"D:/out"}, true, L"D:\\out\\a_Geo.txt"}};
    for (const auto& c : cases) {
        const ConvertJob job = *Convert(c.args).Job;
        EXPECT_EQ(ResultPathFor(job, job.Lists[0], c.toFolder), c.expected);
    }
    EXPECT_EQ(DefaultProfileName(Convert({L"D:/in/kunden.csv"}).Job->Lists[0]), L"kunden");
    EXPECT_EQ(Convert({L"a.txt", L"/columns", L"street=1,city=2", L"/separator", L"TAB"})
                  .Job->Columns->Separator,
              L"\t");
}

TEST(CommandLine, TwoListsWithOneResultFileAreRefused) {
    const std::vector<std::wstring> lists{L"D:\\a\\k.csv", L"D:\\b\\k.csv", L"D:\\b\\l.csv"};
    EXPECT_EQ(SameResultFileError(lists, {L"D:\\out\\k_Geo.csv", L"D:\\OUT\\K_Geo.csv", L"x"}),
              L"D:\\a\\k.csv and D:\\b\\k.csv would both write D:\\OUT\\K_Geo.csv: give them "
              L"different names or convert them one at a time.");
    EXPECT_EQ(SameResultFileError(lists, {L"D:\\a\\k_Geo.csv", L"D:\\b\\k_Geo.csv", L"x"}), L"");
}

// Files are compared by identity: a result or a map that names a list another way is refused.
TEST(CommandLine, NoFileReadIsWritten) {
    TestFolder folder;
    TestFolder::Put(folder / "list.csv", "x");
    const std::wstring list = (folder / "list.csv").wstring(),
                       other = (folder / "sub" / ".." / "list.csv").wstring(),
                       result = (folder / "out.txt").wstring(),
                       errors = (folder / "ConvertError.txt").wstring(),
                       linked = (folder / "sub" / "linked.csv").wstring();
    std::filesystem::create_directory(folder / "sub");
    std::filesystem::create_hard_link(list, linked);
    const struct {
        std::wstring result, map, error;
    } cases[] = {
        {linked, L"",
         L"the result file " + linked + L" is the list " + list +
             L" itself: give another result file with /out."},
        {result, other, L"/map " + other + L" would write over the list " + list + L"."},
        {result, result, L"/map " + result + L" would write over the result file " + result + L"."},
        {result, errors, L"/map " + errors + L" would write over the error list " + errors + L"."},
        {result, (folder / "map.png").wstring(), L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadFileWrittenError({list}, {c.result}, c.map), c.error);
    }
}

// The exit code of a list comes from its run's counts.
TEST(CommandLine, ExitCodes) {
    const auto run = [](bool started, bool stopped, int read, int converted) {
        RunOutcome outcome;
        outcome.Started = started;
        outcome.Stopped = stopped;
        outcome.LinesRead = read;
        outcome.LinesConverted = converted;
        return std::optional<RunOutcome>(outcome);
    };
    const std::pair<std::optional<RunOutcome>, int> cases[] = {
        {run(true, false, 3, 3), kExitConverted},  {run(true, false, 3, 2), kExitSomeFailed},
        {run(true, false, 1, 0), kExitSomeFailed}, {run(false, false, 0, 0), kExitBadInput},
        {run(true, true, 110, 110), kExitStopped}, {std::nullopt, kExitFailed},
    };
    for (const auto& [outcome, code] : cases) {
        EXPECT_EQ(ExitCodeOf(outcome), code) << code;
    }
    EXPECT_EQ(ExitCodeOf(RunOutcome{.Started = true, .LinesRead = 2, .WriteFailed = true}),
              kExitNotWritten);
    EXPECT_EQ(std::set<int>({kExitConverted, kExitSomeFailed, kExitBadInput, kExitNoNavigation,
                             kExitStopped, kExitFailed, kExitNotWritten})
                  .size(),
              7u);
}

}  // namespace
}  // namespace mapwell
