// The rules of finding a navigation program by window title and of what the detection timer does
// on each tick. Platform-neutral: the Win32 side enumerates the windows and applies these.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// Whole-text wildcard comparison: "*" stands for any run of characters (also none); every other
// character must be equal code for code.
bool MatchesPattern(std::wstring_view text, std::wstring_view pattern);

struct ProductPattern {
    const wchar_t* pattern;
    bool exact;  // letter case must match; otherwise both sides are compared in upper case
    int productClass;
};

inline constexpr std::size_t kProductPatternCount = 16;
extern const std::array<ProductPattern, kProductPatternCount> kProductPatterns;

// The navigation program's product class, the one this program links to being 4.
inline constexpr int kNavigationProgramClass = 4;

// The product class voted for by the rows of kProductPatterns that found a window, by the
// precedence 4 over 3 over 5 over 2 over 1; 0 when none did.
int ProductClassOf(const std::array<bool, kProductPatternCount>& rowMatched);

// The title of a visible, parentless top-level window, as read (at most 127 characters) and in
// upper case for the searches in any letter case.
struct WindowTitle {
    std::wstring text;
    std::wstring upper;
};

// The rows of kProductPatterns that match at least one of `titles`: the same answer as one
// window search per row, from a single look at the windows.
std::array<bool, kProductPatternCount> MatchedRows(const std::vector<WindowTitle>& titles);

enum class TickAction { Nothing, Announce, Poll, MarkLinkDown };

// What the tick knows of the link besides the product class and LinkState.
struct TickLinkState {
    // A line's geocoding request is outstanding: sent, and the line still waits for its answer.
    // Nothing goes out meanwhile: a poll's answer would compete with the request's for the
    // single reply flag, and the announcement that a found answer calls for (it leaves LinkState
    // at 0) is a broadcast to every top-level window, which on a crowded desktop takes longer
    // than a line. The hold ends with the line's wait, answered or not; the first tick after a
    // run announces again.
    bool lineWaiting = false;
    // A geocoding request is unanswered and within the lateness limit: no poll goes out, whose
    // answer could come in place of the request's.
    bool answerOwed = false;
    // The navigation program did not take the last command in time and nothing has come from
    // it since: nothing but the next line's request is sent to it, until it is tried again.
    bool notTakingCommands = false;
};

// What one detection tick does.
TickAction NextTickAction(int productClass, std::uint8_t linkState, const TickLinkState& link);

// True for an executable whose name without extension is "Project1" (any letter case): the
// program then runs without the window hook.
bool RunsWithoutHook(std::wstring_view executablePath);

}  // namespace mapwell
