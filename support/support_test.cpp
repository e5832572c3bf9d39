#include "support/codepage.h"
#include "support/failure.h"
#include "support/list_encoding.h"
#include "support/shell_target.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

namespace mapwell {
namespace {

using namespace std::string_literals;

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

// How a list is read: its mark, a first line of UTF-16, or all of its bytes.
TEST(DecideEncoding, MarkUtf16LineOrValidUtf8WithALetterBeyondAscii) {
    using E = SourceEncoding;
    const std::string ascii(200000, 'a');
    const struct {
        std::string bytes;
        ListEncoding decided;
    } cases[] = {
        {"M\xC3\xBCller;K\xC3\xB6ln", {E::Utf8, 0}},
        {"\xEF\xBB\xBFM\xC3\xBCller", {E::Utf8, 3}},
        {"\xEF\xBB\xBFMueller", {E::Utf8, 3}},
        {"\xFF\xFE", {E::Utf16Le, 2}},
        {"\xFE\xFF", {E::Utf16Be, 2}},
        {"Mueller;Koeln", {E::Ansi, 0}},  // nothing beyond ASCII
        {"M\xFCller", {E::Ansi, 0}},      // Windows-1252
        {"M\xC3\xBCller;M\xFCller", {E::Ansi, 0}},
        {"\xC0\x80", {E::Ansi, 0}},          // an overlong form
        {"\xE0\x9F\xBF", {E::Ansi, 0}},      // another
        {"\xED\xA0\x80", {E::Ansi, 0}},      // a surrogate
        {"\xF4\x90\x80\x80", {E::Ansi, 0}},  // beyond U+10FFFF
        {"M\xC3", {E::Ansi, 0}},             // the list ends inside a letter
        {ascii + "\xC3\xBC", {E::Utf8, 0}},  // the first letter beyond ASCII far down the list
        {"\xC3\xBC" + ascii + "\xFC", {E::Ansi, 0}},
        // UTF-16 without a mark: a NUL in every second byte of the first line.
        {"n\0a\0m\0e\0\r\0\n\0\x41\x01"s, {E::Utf16Le, 0}},
        {"\0n\0a\0m\0e"s, {E::Utf16Be, 0}},
        {"n\0a\0m\0\x41\x01\r\0"s, {E::Ansi, 0}},  // a letter of the first line has no NUL
        {"\0\0"s, {E::Ansi, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecideEncoding(c.bytes), c.decided) << c.bytes.substr(0, 20);
    }
    // A sequence cut between two pieces of a list.
    Utf8Check check;
    check.Feed("a\xE2\x82");
    check.Feed("\xAC");
    EXPECT_EQ(check.Result(), E::Utf8);
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

TEST(CodePage, Utf8DecodesAndMarksBrokenSequences) {
    EXPECT_EQ(Utf8ToWide("M\xC3\xBCnchen"), L"M\u00FCnchen");
    EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xE2\x82\xAC"), L"\u20AC");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");
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
