#include "support/failure.h"
#include "support/shell_target.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <stdexcept>
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

// The user's way; the column profile's and the web route's rules are tested with their readers.
TEST(ReadNumber, ReadsALeadingNumberAsAUserWould) {
    // text, value, characters read, whether it is other than zero
    const std::tuple<const wchar_t*, double, std::size_t, bool> cases[] = {
        {L"12345 Berlin", 12345, 6, true}, {L"1010 Wien", 1010, 5, true},
        {L"Berlin", 0, 0, false},          {L"  1 2 3abc", 123, 7, true},
        {L"\t- 4.5x", -4.5, 6, true},      {L"", 0, 0, false},
        {L"1E Street", 1, 1, true},        {L"2e3", 2000, 3, true},
        {L"1d-2\n", 0.01, 5, true},        {L".5", 0.5, 2, true},
        {L"0 Foo", 0, 2, false},           {L"x12", 0, 0, false},
    };
    for (const auto& [text, value, length, nonZero] : cases) {
        const LeadingNumber n = ReadNumber(text);
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

TEST(FailureDescription, NamesWhatWentWrongInAFixedText) {
    const std::pair<std::exception_ptr, const wchar_t*> cases[] = {
        {std::make_exception_ptr(std::bad_alloc()), L"Out of memory"},
        {std::make_exception_ptr(std::length_error("basic_string::_M_create")), L"Text too long"},
        {std::make_exception_ptr(std::runtime_error("x")), L"Unexpected failure"},
        {std::make_exception_ptr(42), L"Unexpected failure"},
    };
    for (const auto& [failure, text] : cases) {
        EXPECT_STREQ(FailureDescription(failure), text);
    }
}

}  // namespace
}  // namespace mapwell
