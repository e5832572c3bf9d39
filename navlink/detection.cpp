// Title patterns of navigation programs, the product class choice and the tick decision.
#include "navlink/detection.h"

#include "support/text.h"

#include <string>

namespace mapwell {

const std::array<ProductPattern, kProductPatternCount> kProductPatterns = {{
    {L"*MobileNavigator*", false, 3},
    {L"*NCK*", false, 4},
    {L"*NavigatoR*", true, 4},
    {L"*Navigator*", true, 5},
    {L"*Travelbook*", false, 2},
    {L"*Navibook*", false, 2},
    {L"*Touratech*", false, 5},
    {L"*NaviPC*", false, 1},
    {L"*ViaMichelin*", false, 1},
    {L"*Alturion*", false, 1},
    {L"*AutoRoute*", false, 1},
    {L"*RoadScout*", false, 1},
    {L"*Destinator*", false, 1},
    {L"*cPOS*", false, 1},
    {L"*CES*", false, 1},
    {L"*inCar Terminal*", false, 1},
}};

bool MatchesPattern(std::wstring_view text, std::wstring_view pattern) {
    std::size_t t = 0;
    std::size_t p = 0;
    // Where the last "*" stood and the text position it has been tried against.
    std::size_t starAt = std::wstring_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            starText = t;
        } else if (p < pattern.size() && pattern[p] == text[t]) {
            ++p;
            ++t;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

int ProductClassOf(const std::array<bool, kProductPatternCount>& rowMatched) {
    // Later classes override earlier ones: 1, then 2, 5, 3 and finally 4.
    int found = 0;
    for (int productClass : {1, 2, 5, 3, 4}) {
        for (std::size_t row = 0; row < kProductPatternCount; ++row) {
            if (rowMatched[row] && kProductPatterns[row].productClass == productClass) {
                found = productClass;
            }
        }
    }
    return found;
}

std::array<bool, kProductPatternCount> MatchedRows(const std::vector<WindowTitle>& titles) {
    std::array<bool, kProductPatternCount> matched{};
    for (std::size_t row = 0; row < kProductPatternCount; ++row) {
        // The patterns are ASCII, so their upper case needs no locale.
        std::wstring upper = kProductPatterns[row].pattern;
        for (wchar_t& c : upper) {
            if (c >= L'a' && c <= L'z') {
                c = static_cast<wchar_t>(c - L'a' + L'A');
            }
        }
        for (const WindowTitle& title : titles) {
            if (kProductPatterns[row].exact
                    ? MatchesPattern(title.text, kProductPatterns[row].pattern)
                    : MatchesPattern(title.upper, upper)) {
                matched[row] = true;
                break;
            }
        }
    }
    return matched;
}

TickAction NextTickAction(int productClass, std::uint8_t linkState, const TickLinkState& link) {
    if (productClass != kNavigationProgramClass) {
        // A line that waits for the answer of a program that has gone waits no longer, also
        // when a found answer before it has left LinkState at 0.
        return linkState != 0 || link.lineWaiting ? TickAction::MarkLinkDown : TickAction::Nothing;
    }
    if (link.lineWaiting) {
        return TickAction::Nothing;
    }
    if (linkState == 0) {
        return TickAction::Announce;
    }
    return link.notTakingCommands || link.answerOwed ? TickAction::Nothing : TickAction::Poll;
}

bool RunsWithoutHook(std::wstring_view executablePath) {
    std::wstring name = FileNameOf(executablePath);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos) {
        name.resize(dot);
    }
    constexpr std::wstring_view kUnhooked = L"project1";
    if (name.size() != kUnhooked.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        wchar_t c = name[i];
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
        if (c != kUnhooked[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace mapwell
