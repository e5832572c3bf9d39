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

TEST(ReadNumber, EachCallerReadsWithItsOwnBlanksAndSeparators) {
    const NumberRules user = kLeadingNumberRules;
    const NumberRules index{L" \t", false, L"", L"", L""};
    const NumberRules regional{L" ", false, L",", L".", L"Ee"};
    // text, rules, value, characters read, whether it is other than zero
    const std::tuple<const wchar_t*, const NumberRules&, double, std::size_t, bool> cases[] = {
        {L"12345 Berlin", user, 12345, 6, true},
        {L"1010 Wien", user, 1010, 5, true},
        {L"Berlin", user, 0, 0, false},
        {L"  1 2 3abc", user, 123, 7, true},
        {L"\t- 4.5x", user, -4.5, 6, true},
        {L"", user, 0, 0, false},
        {L"1E Street", user, 1, 1, true},
        {L"2e3", user, 2000, 3, true},
        {L"1d-2\n", user, 0.01, 5, true},
        {L".5", user, 0.5, 2, true},
        {L"0 Foo", user, 0, 2, false},
        {L"x12", user, 0, 0, false},
        {L"\t-7 ", index, -7, 4, true},
        {L"1 2", index, 1, 2, true},
        {L"2.5", index, 2, 1, true},
        {L"1\n", index, 1, 1, true},
        {L" 1.234,5 ", regional, 1234.5, 9, true},
        {L".5", regional, 0, 0, false},
        {L"0,00e7", regional, 0, 6, false},
        {L"1e", regional, 1, 1, true},
        {L"52,5\t", regional, 52.5, 4, true},
    };
    for (const auto& [text, rules, value, length, nonZero] : cases) {
        const LeadingNumber n = ReadNumber(text, rules);
        EXPECT_DOUBLE_EQ(n.value, value) << text;
        EXPECT_EQ(n.length, length) << text;
        EXPECT_EQ(n.nonZero, nonZero) << text;
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
