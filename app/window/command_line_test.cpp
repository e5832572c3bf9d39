#include "app/window/command_line.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

using Args = std::vector<std::wstring>;

TEST(CommandLine, WithoutConvertTheProgramIsTheWindow) {
    EXPECT_FALSE(ParseCommandLine({}).Convert);
    EXPECT_FALSE(ParseCommandLine({L"kunden.csv"}).Convert);
    EXPECT_TRUE(ParseCommandLine({L"/?"}).ShowUsage);
    EXPECT_TRUE(ParseCommandLine({L"/CONVERT", L"/?"}).ShowUsage);
}

TEST(CommandLine, ReadsEveryOption) {
    const ParsedCommandLine parsed =
        ParseCommandLine({L"/Convert", L"a.csv", L"/FORMAT", L"csv", L"b.csv", L"/out:C:\\res",
                          L"/decimal", L".", L"/profile", L"Kunden", L"/wait", L"12", L"/columns",
                          L"Street=2,city=4,NAME1=1", L"/separator", L"semicolon", L"/save"});
    ASSERT_TRUE(parsed.Job) << parsed.Error;
    const ConvertJob& job = *parsed.Job;
    EXPECT_EQ(job.Lists, (Args{L"a.csv", L"b.csv"}));
    EXPECT_EQ(job.Format, OutputFormat::Csv);
    EXPECT_EQ(job.Destination, L"C:\\res");
    EXPECT_EQ(DecimalSeparatorFor(job), L".");
    EXPECT_EQ(job.ProfileName, L"Kunden");
    EXPECT_EQ(job.WaitSeconds, 12);
    ASSERT_TRUE(job.Columns);
    EXPECT_EQ(job.Columns->Columns, (std::array<int, 8>{0, -1, 1, -1, 3, -1, -1, -1}));
    EXPECT_EQ(job.Columns->Separator, L";");
    EXPECT_TRUE(job.SaveProfile);
}

TEST(CommandLine, Defaults) {
    const ParsedCommandLine parsed = ParseCommandLine({L"/convert", L"C:\\data\\kunden.csv"});
    ASSERT_TRUE(parsed.Job);
    EXPECT_EQ(parsed.Job->Format, OutputFormat::Append);
    EXPECT_EQ(parsed.Job->WaitSeconds, 5);
    EXPECT_FALSE(parsed.Job->Columns);
    EXPECT_EQ(DecimalSeparatorFor(*parsed.Job), L",");
    EXPECT_EQ(DefaultProfileName(L"C:\\data\\kunden.csv"), L"kunden");
    EXPECT_EQ(
        DecimalSeparatorFor(*ParseCommandLine({L"/convert", L"a.csv", L"/format", L"ASC"}).Job),
        L".");
}

TEST(CommandLine, RefusesBadInputWithAClearMessage) {
    const struct {
        Args args;
        std::wstring error;
    } cases[] = {
        {{L"/convert"}, L"No list to convert: give at least one address list after /convert."},
        {{L"/convert", L"a.csv", L"/format", L"pdf"},
         L"/format \"pdf\" is not valid: use asc, csv or txt."},
        {{L"/convert", L"a.csv", L"/format"}, L"/format needs a value: asc, csv or txt."},
        {{L"/convert", L"a.csv", L"/out", L"/wait", L"3"},
         L"/out needs a value: a result file, or a folder for several lists."},
        {{L"/convert", L"a.csv", L"/decimal", L",,"},
         L"/decimal \",,\" is not valid: use one character, such as , or .."},
        {{L"/convert", L"a.csv", L"/wait", L"5s"},
         L"/wait \"5s\" is not valid: use a number of seconds from 0 to 3600."},
        {{L"/convert", L"a.csv", L"/wait", L"3601"},
         L"/wait \"3601\" is not valid: use a number of seconds from 0 to 3600."},
        {{L"/convert", L"a.csv", L"/format", L"csv", L"/Format", L"txt"},
         L"/format is given twice."},
        {{L"/convert", L"a.csv", L"/quiet"},
         L"Unknown option \"/quiet\"; Mapwell.exe /? lists them."},
        {{L"/convert", L"a.csv", L"/separator", L"|"},
         L"/separator \"|\" is not valid: use , or ;."},
        {{L"/convert", L"a.csv", L"/separator", L";"},
         L"/separator needs /columns: it is the separator of an inline profile."},
        {{L"/convert", L"a.csv", L"/save"},
         L"/save needs /columns: it saves the inline profile under /profile."},
        {{L"/convert", L"a.csv", L"/columns", L"street"},
         L"/columns: \"street\" is not role=column, such as street=2."}};
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.args);
        EXPECT_TRUE(parsed.Convert);
        EXPECT_FALSE(parsed.Job);
        EXPECT_EQ(parsed.Error, c.error) << c.args.back();
    }
}

TEST(CommandLine, InlineColumnsAndTheirMistakes) {
    const struct {
        std::wstring text;
        std::wstring error;  // empty: accepted
    } cases[] = {{L"street=2,city=3", L""},
                 {L"street=2,city=3,name1=1,name2=7,zip=4,land=5,b1=6,b2=8", L""},
                 {L"street=2", L"/columns needs a column for both street and city."},
                 {L"street=2,town=3",
                  L"/columns: unknown role \"town\"; the roles are name1, name2, street, "
                  L"zip, city, land, b1 and b2."},
                 {L"street=2,city=3,street=4", L"/columns: street is given twice."},
                 {L"street=0,city=3",
                  L"/columns: the column of street must be a number from 1 on, not \"0\"."},
                 {L"street=x,city=3",
                  L"/columns: the column of street must be a number from 1 on, not \"x\"."},
                 {L"street=2,,city=3", L"/columns: \"\" is not role=column, such as street=2."}};
    for (const auto& c : cases) {
        std::wstring error;
        EXPECT_EQ(ParseColumns(c.text, error).has_value(), c.error.empty()) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(CommandLine, ResultFiles) {
    const struct {
        Args args;
        bool toFolder;
        std::wstring expected;
    } cases[] = {{{L"C:\\d\\kunden.csv"}, false, L"C:\\d\\kunden_Geo.txt"},
                 {{L"C:\\d\\kunden.csv", L"/format", L"asc"}, false, L"C:\\d\\kunden_Geo.asc"},
                 {{L"C:\\d\\kunden.csv", L"/out", L"C:\\r\\x.dat"}, false, L"C:\\r\\x.dat"},
                 {{L"C:\\d\\kunden.csv", L"/out", L"C:\\r", L"/format", L"csv"},
                  true,
                  L"C:\\r\\kunden_Geo.csv"},
                 {{L"C:\\d\\kunden.csv", L"/out", L"C:\\r\\"}, true, L"C:\\r\\kunden_Geo.txt"}};
    for (const auto& c : cases) {
        Args args{L"/convert"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ConvertJob job = *ParseCommandLine(args).Job;
        EXPECT_EQ(ResultPathFor(job, job.Lists[0], c.toFolder), c.expected);
    }
}

}  // namespace
}  // namespace mapwell
