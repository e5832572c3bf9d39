#include "support/text.h"
#include "support/shell_target.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mapwell {
namespace {

TEST(PathParts, FileNameAndFolderFollowTheLastBackslash) {
    // path, file name, folder
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\data\\kunden.csv", L"kunden.csv", L"C:\\data\\"},
        {L"kunden.csv", L"kunden.csv", L"kunden.csv"},
        {L"C:\\data\\", L"", L"C:\\data\\"},
        {L"", L"", L""},
        {L"C:/data/kunden.csv", L"C:/data/kunden.csv", L"C:/data/kunden.csv"}};
    for (const auto& [path, name, folder] : cases) {
        EXPECT_EQ(FileNameOf(path), name) << path;
        EXPECT_EQ(FolderOf(path), folder) << path;
    }
}

TEST(SplitText, KeepsEmptyFieldsAndGivesNothingForAnEmptyText) {
    EXPECT_EQ(SplitText(L"a,,b,", L","), (std::vector<std::wstring>{L"a", L"", L"b", L""}));
    EXPECT_TRUE(SplitText(L"", L",").empty());
    EXPECT_EQ(SplitText(L"a;b", L","), (std::vector<std::wstring>{L"a;b"}));
    EXPECT_EQ(SplitText(L"a<>b", L"<>"), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(LeadingNumber, ReadsLikeAUserReadsAPostcodeBeforeACity) {
    using Case = std::tuple<const wchar_t*, double, std::size_t>;  // text, value, length read
    const Case cases[] = {{L"12345 Berlin", 12345, 6},
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
                          {L"x12", 0, 0}};
    for (const auto& [text, value, length] : cases) {
        const LeadingNumber n = ReadLeadingNumber(text);
        EXPECT_DOUBLE_EQ(n.value, value) << text;
        EXPECT_EQ(n.length, length) << text;
    }
}

TEST(ShellTarget, WebAddressGoesWholeAndACommandLineIsSplitAtItsFirstSlash) {
    const auto parts = [](const wchar_t* target) {
        const ShellTarget t = SplitShellTarget(target);
        return t.file + L"|" + t.parameters + L"|" + t.folder;
    };
    EXPECT_EQ(parts(L"http://example.test/geo/batch.html"),
              L"http://example.test/geo/batch.html||http://example.test/geo/batch.html");
    EXPECT_EQ(parts(L"C:\\Tools\\conv.exe /s"), L"C:\\Tools\\conv.exe |/s|C:\\Tools\\");
}

}  // namespace
}  // namespace mapwell
