#include "support/codepage.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(CodePage, AnsiRoundTripKeepsUmlautsAndTheEuroSign) {
    const std::string bytes = "M\xFC"
                              "nchen \x80";
    EXPECT_EQ(AnsiToWide(bytes), L"M\u00FCnchen \u20AC");
    EXPECT_EQ(WideToAnsi(L"M\u00FCnchen \u20AC"), bytes);
}

TEST(CodePage, Utf8DecodesAndMarksBrokenSequences) {
    EXPECT_EQ(Utf8ToWide("M\xC3\xBCnchen"), L"M\u00FCnchen");
    EXPECT_EQ(Utf8ToWide("a\xC3"), L"a\uFFFD");
    EXPECT_EQ(Utf8ToWide("\xE2\x82\xAC"), L"\u20AC");
    EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");
}

}  // namespace
}  // namespace mapwell
