#include "support/encoding/codepage.h"
#include "support/encoding/list_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace mapwell {
namespace {

using namespace std::string_literals;

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

TEST(CodePage, Utf8DecodesAndMarksBrokenSequences) {
    EXPECT_EQ(Utf8ToWide("M\xC3\xBCnchen"), L"M\u00FCnchen");
    EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xE2\x82\xAC"), L"\u20AC");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");
}

}  // namespace
}  // namespace mapwell
