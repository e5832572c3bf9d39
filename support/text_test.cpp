#include "support/text.h"
#include "support/shell_target.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(PathParts, FileNameAndFolderFollowTheLastBackslash) {
    struct Case {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"C:\\data\\kunden.csv", L"kunden.csv", L"C:\\data\\"},
        {L"kunden.csv", L"kunden.csv", L"kunden.csv"},
        {L"C:\\data\\", L"", L"C:\\data\\"},
        {L"", L"", L""},
        {L"C:\\data\\kunden_Geo.txt", L"kunden_Geo.txt", L"C:\\data\\"},
        {L"C:/data/kunden.csv", L"C:/data/kunden.csv", L"C:/data/kunden.csv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    }
}

TEST(SplitText, KeepsEmptyFieldsAndGivesNothingForAnEmptyText) {
    EXPECT_EQ(SplitText(L"a,,b,", L","), (std::vector<std::wstring>{L"a", L"", L"b", L""}));
    EXPECT_TRUE(SplitText(L"", L",").empty());
    EXPECT_EQ(SplitText(L"a;b", L","), (std::vector<std::wstring>{L"a;b"}));
    EXPECT_EQ(SplitText(L"a<>b", L"<>"), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(LeadingNumber, ReadsLikeAUserReadsAPostcodeBeforeACity) {
    struct Case {
        const wchar_t* text;
        double value;
        std::size_t length;
    };
    const Case cases[] = {
        {L"12345 Berlin", 12345, 6},
        {L"1010 Wien", 1010, 5},
        {L"Berlin", 0, 0},
        {L"  1 2 3abc", 123, 7},
        {L"-4.5x", -4.5, 4},
        {L"", 0, 0},
        {L"1E Street", 1, 1},
        {L"2e3", 2000, 3},
        {L".5", 0.5, 2},
        {L"0 Foo", 0, 2},
        {L"7", 7, 1},
        {L"x12", 0, 0},
    };
    for (const auto& c : cases) {
        const LeadingNumber n = ReadLeadingNumber(c.text);
        EXPECT_DOUBLE_EQ(n.value, c.value) << c.text;
        EXPECT_EQ(n.length, c.length) << c.text;
    }
}

TEST(ShellTarget, WebAddressGoesWholeAndACommandLineIsSplitAtItsFirstSlash) {
    const ShellTarget web = SplitShellTarget(L"http://example.test/geo/batch.html");
    EXPECT_EQ(web.file, L"http://example.test/geo/batch.html");
    EXPECT_EQ(web.parameters, L"");
    EXPECT_EQ(web.folder, L"http://example.test/geo/batch.html");

    const ShellTarget tool = SplitShellTarget(L"C:\\Tools\\conv.exe /s");
    EXPECT_EQ(tool.file, L"C:\\Tools\\conv.exe ");
    EXPECT_EQ(tool.parameters, L"/s");
    EXPECT_EQ(tool.folder, L"C:\\Tools\\");
}

}  // namespace
}  // namespace mapwell
