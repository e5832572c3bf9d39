// Filing keys of place names.
#include "navserver/place_name.h"

#include "support/encoding/plain_letters.h"

#include <algorithm>
#include <array>
#include <vector>

namespace mapwell {

namespace {

// Words that join the parts of a name and say nothing of which place it is.
constexpr std::array<std::string_view, 16> kJoiningWords = {"a", "am",  "an",  "ad",  "b",   "bei",
                                                            "d", "der", "die", "das", "dem", "den",
                                                            "i", "im",  "in",  "ob"};

// First words of many names that on their own name no particular place.
constexpr std::array<std::string_view, 14> kTooGeneral = {
    "bad",  "sankt", "markt",  "gross", "klein", "neu", "alt",
    "ober", "unter", "nieder", "nord",  "sued",  "ost", "west"};

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

std::string PlaceKey(std::wstring_view name) {
    std::string letters;
    for (wchar_t c : name) {
        if (!AppendPlainLetters(c, letters)) {
            return {};
        }
    }
    const std::vector<std::string_view> words = PlainWords(letters);
    std::string key;
    std::string all;
    for (std::string_view word : words) {
        const std::string_view spelt = word == "st" ? std::string_view("sankt") : word;
        (all.empty() ? all : all += ' ') += spelt;
        if (!IsOneOf(kJoiningWords, word)) {
            (key.empty() ? key : key += ' ') += spelt;
        }
    }
    return key.empty() ? all : key;
}

std::vector<std::string> ShortSpellingKeys(std::wstring_view name) {
    std::vector<std::string> keys;
    std::wstring plain(name);
    for (wchar_t& c : plain) {
        switch (c) {
        case 0xC4: c = L'A'; break;
        case 0xD6: c = L'O'; break;
        case 0xDC: c = L'U'; break;
        case 0xE4: c = L'a'; break;
        case 0xF6: c = L'o'; break;
        case 0xFC: c = L'u'; break;
        default: break;
        }
    }
    const std::string key = PlaceKey(name);
    if (plain != name) {
        keys.push_back(PlaceKey(plain) + kShortSpellingMark);
    }
    const std::vector<std::string_view> words = PlainWords(key);
    if (words.size() > 1) {
        std::string initials(words[0]);
        for (std::size_t i = 1; i < words.size(); ++i) {
            (initials += ' ') += words[i][0];
        }
        keys.push_back(initials + kShortSpellingMark);
    }
    return keys;
}

std::string ShorterKey(std::string_view key) {
    const std::size_t blank = key.rfind(' ');
    return blank == std::string_view::npos ? std::string() : std::string(key.substr(0, blank));
}

std::vector<std::string> NameStartKeys(std::string_view key) {
    std::vector<std::string> keys;
    for (std::string start = ShorterKey(key); !start.empty(); start = ShorterKey(start)) {
        if (!IsTooGeneralKey(start)) {
            keys.push_back(start + kNameStartMark);
        }
    }
    return keys;
}

bool IsTooGeneralKey(std::string_view key) {
    return IsOneOf(kTooGeneral, key);
}

}  // namespace mapwell
