#include "navlink/detection.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace mapwell {
namespace {

TEST(MatchesPattern, StarStandsForAnyRun) {
    const struct {
        const wchar_t* text;
        const wchar_t* pattern;
        bool matches;
    } cases[] = {
        {L"NC K", L"*NCK*", false}, {L"NNCK", L"*NCK*", true}, {L"", L"*", true},
        {L"", L"**", true},         {L"", L"*A*", false},      {L"abc", L"abc", true},
        {L"abcd", L"abc", false},   {L"xabc", L"abc", false},  {L"aXbXc", L"a*b*c", true},
        {L"abcbc", L"a*bc", true},  {L"abcb", L"a*bc", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesPattern(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
    }
}

// The windows' titles as the Win32 side reads them; the patterns are ASCII, and so are these.
int ClassOfTitles(std::initializer_list<const wchar_t*> titles) {
    std::vector<WindowTitle> read;
    for (const wchar_t* title : titles) {
        std::wstring upper = title;
        for (wchar_t& c : upper) {
            c = static_cast<wchar_t>(std::towupper(c));
        }
        read.push_back({title, upper});
    }
    return ProductClassOf(MatchedRows(read));
}

TEST(ProductClass, TitlesVoteByPrecedenceFourOverThreeOverFiveOverTwoOverOne) {
    const struct {
        std::initializer_list<const wchar_t*> titles;
        int productClass;
    } cases[] = {
        {{}, 0},
        {{L"nck service"}, 4},
        {{L"NAVIGATOR"}, 0},
        {{L"My NavigatoR"}, 4},
        {{L"Navigator 7"}, 5},
        {{L"MobileNavigator 6.2"}, 3},
        {{L"MobileNavigator", L"NCK"}, 4},
        {{L"NavigatoR", L"Touratech QV"}, 4},
        {{L"Touratech QV", L"travelbook"}, 5},
        {{L"ViaMichelin Navigation", L"NAVIBOOK"}, 2},
        {{L"cpos"}, 1},
        {{L"inCar Terminal"}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClassOfTitles(c.titles), c.productClass)
            << (c.titles.size() ? *c.titles.begin() : L"");
    }
}

TEST(TickAction, AnnouncesPollsOrMarksTheLinkDown) {
    using A = TickAction;
    // While a line waits nothing goes out; while a request is open (answerOwed) no poll, whose
    // answer could come in its place.
    const struct {
        int productClass;
        std::uint8_t linkState;
        bool lineWaiting, answerOwed, notTakingCommands;
        TickAction action;
    } cases[] = {
        {4, 0, false, false, false, A::Announce},     {4, 0, false, false, true, A::Announce},
        {4, 0, true, false, false, A::Nothing},       {4, 1, false, false, false, A::Poll},
        {4, 2, false, false, false, A::Poll},         {4, 1, true, false, false, A::Nothing},
        {4, 255, true, false, false, A::Nothing},     {4, 1, false, false, true, A::Nothing},
        {4, 1, false, true, false, A::Nothing},       {4, 0, false, true, false, A::Announce},
        {3, 1, false, false, false, A::MarkLinkDown}, {0, 10, true, false, true, A::MarkLinkDown},
        {0, 0, false, false, false, A::Nothing},      {5, 0, true, false, false, A::MarkLinkDown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextTickAction(c.productClass, c.linkState,
                                 {c.lineWaiting, c.answerOwed, c.notTakingCommands}),
                  c.action)
            << c.productClass << " " << int(c.linkState) << " " << c.lineWaiting << " "
            << c.answerOwed << " " << c.notTakingCommands;
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
