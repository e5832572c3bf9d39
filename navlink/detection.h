// The rules of finding a navigation program by window title and of what the detection timer does
// on each tick. Platform-neutral: the Win32 side enumerates the windows and applies these.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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

enum class TickAction { Nothing, Announce, Poll, MarkLinkDown };

// What one detection tick does. While a geocoding request is outstanding no poll goes out: its
// answer would otherwise compete with the poll's for the single reply flag.
TickAction NextTickAction(int productClass, std::uint8_t linkState, bool awaitingReply,
                          std::uint8_t lastCommand);

// True for an executable whose name without extension is "Project1" (any letter case): the
// program then runs without the window hook.
bool RunsWithoutHook(std::wstring_view executablePath);

}  // namespace mapwell
