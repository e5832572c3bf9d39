#include "navlink/detection.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(MatchesPattern, StarStandsForAnyRun) {
    const struct {
        const wchar_t* text;
        const wchar_t* pattern;
        bool matches;
    } cases[] = {
        {L"NCK", L"*NCK*", true},
        {L"MY NCK SERVICE", L"*NCK*", true},
        {L"NC K", L"*NCK*", false},
        {L"", L"*", true},
        {L"", L"**", true},
        {L"", L"*A*", false},
        {L"abc", L"abc", true},
        {L"abcd", L"abc", false},
        {L"xabc", L"abc", false},
        {L"aXbXc", L"a*b*c", true},
        {L"abcbc", L"a*bc", true},
        {L"abcb", L"a*bc", false},
        {L"Navigator 7", L"*NavigatoR*", false},
        {L"NNCK", L"*NCK*", true},
        {L"inCar Terminal", L"*inCar Terminal*", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesPattern(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
    }
}

// Rows 1-based as in the pattern table.
std::array<bool, kProductPatternCount> Rows(std::initializer_list<int> rows) {
    std::array<bool, kProductPatternCount> matched{};
    for (int row : rows) {
        matched[static_cast<std::size_t>(row - 1)] = true;
    }
    return matched;
}

TEST(ProductClass, PrecedenceFourOverThreeOverFiveOverTwoOverOne) {
    const struct {
        std::initializer_list<int> rows;
        int productClass;
    } cases[] = {
        {{}, 0},       {{8}, 1},    {{16}, 1},         {{5}, 2}, {{6, 9}, 2}, {{4}, 5},
        {{7, 5}, 5},   {{1, 4}, 3}, {{1, 7, 5, 8}, 3}, {{2}, 4}, {{3, 7}, 4}, {{3, 1, 4, 5, 16}, 4},
        {{15, 14}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProductClassOf(Rows(c.rows)), c.productClass);
    }
}

TEST(TickAction, AnnouncesPollsOrMarksTheLinkDown) {
    using A = TickAction;
    const struct {
        int productClass;
        std::uint8_t linkState;
        bool lineWaiting;
        bool notAnswering;
        TickAction action;
    } cases[] = {
        {4, 0, false, false, A::Announce},     {4, 0, false, true, A::Announce},
        {4, 0, true, false, A::Nothing},       {4, 1, false, false, A::Poll},
        {4, 2, false, false, A::Poll},         {4, 1, true, false, A::Nothing},
        {4, 255, true, false, A::Nothing},     {4, 1, false, true, A::Nothing},
        {3, 1, false, false, A::MarkLinkDown}, {0, 10, true, true, A::MarkLinkDown},
        {0, 0, false, false, A::Nothing},      {5, 0, true, false, A::MarkLinkDown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextTickAction(c.productClass, c.linkState, {c.lineWaiting, c.notAnswering}),
                  c.action)
            << c.productClass << " " << int(c.linkState) << " " << c.lineWaiting << " "
            << c.notAnswering;
    }
}

TEST(RunsWithoutHook, OnlyForProjectOne) {
    EXPECT_TRUE(RunsWithoutHook(L"C:\\Tools\\Project1.exe"));
    EXPECT_TRUE(RunsWithoutHook(L"C:\\a.b\\PROJECT1.EXE"));
    EXPECT_TRUE(RunsWithoutHook(L"project1"));
    EXPECT_FALSE(RunsWithoutHook(L"C:\\Tools\\Mapwell.exe"));
    EXPECT_FALSE(RunsWithoutHook(L"C:\\Project1\\Mapwell.exe"));
    EXPECT_FALSE(RunsWithoutHook(L"C:\\Tools\\Project12.exe"));
    EXPECT_FALSE(RunsWithoutHook(L"C:\\Tools\\Project1.exe.bak"));
}

}  // namespace
}  // namespace mapwell
