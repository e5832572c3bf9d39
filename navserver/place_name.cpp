// Filing keys of place names.
#include "navserver/place_name.h"

#include <algorithm>
#include <array>
#include <vector>

namespace mapwell {

namespace {

// The letters U+00C0 to U+017F written in plain lower case ASCII; "" for the two signs there.
constexpr std::array<const char*, 192> kLatinLetters = {
    "a", "a", "a",  "a",  "ae", "aa", "ae", "c", "e",  "e", "e",  "e",  "i",  "i", "i",  "i",
    "d", "n", "o",  "o",  "o",  "o",  "oe", "",  "oe", "u", "u",  "u",  "ue", "y", "th", "ss",
    "a", "a", "a",  "a",  "ae", "aa", "ae", "c", "e",  "e", "e",  "e",  "i",  "i", "i",  "i",
    "d", "n", "o",  "o",  "o",  "o",  "oe", "",  "oe", "u", "u",  "u",  "ue", "y", "th", "y",
    "a", "a", "a",  "a",  "a",  "a",  "c",  "c", "c",  "c", "c",  "c",  "c",  "c", "d",  "d",
    "d", "d", "e",  "e",  "e",  "e",  "e",  "e", "e",  "e", "e",  "e",  "g",  "g", "g",  "g",
    "g", "g", "g",  "g",  "h",  "h",  "h",  "h", "i",  "i", "i",  "i",  "i",  "i", "i",  "i",
    "i", "i", "ij", "ij", "j",  "j",  "k",  "k", "k",  "l", "l",  "l",  "l",  "l", "l",  "l",
    "l", "l", "l",  "n",  "n",  "n",  "n",  "n", "n",  "n", "ng", "ng", "o",  "o", "o",  "o",
    "o", "o", "oe", "oe", "r",  "r",  "r",  "r", "r",  "r", "s",  "s",  "s",  "s", "s",  "s",
    "s", "s", "t",  "t",  "t",  "t",  "t",  "t", "u",  "u", "u",  "u",  "u",  "u", "u",  "u",
    "u", "u", "u",  "u",  "w",  "w",  "y",  "y", "y",  "z", "z",  "z",  "z",  "z", "z",  "s"};

// Words that join the parts of a name and say nothing of which place it is.
constexpr std::array<std::string_view, 16> kJoiningWords = {"a", "am",  "an",  "ad",  "b",   "bei",
                                                            "d", "der", "die", "das", "dem", "den",
                                                            "i", "im",  "in",  "ob"};

// First words of many names that on their own name no particular place.
constexpr std::array<std::string_view, 14> kTooGeneral = {
    "bad",  "sankt", "markt",  "gross", "klein", "neu", "alt",
    "ober", "unter", "nieder", "nord",  "sued",  "ost", "west"};

// Appends the plain lower case letters of `c` to `out`, or a blank for a separator. False for a
// letter that has no plain form.
bool AppendLetters(wchar_t c, std::string& out) {
    if ((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9')) {
        out += static_cast<char>(c);
    } else if (c >= L'A' && c <= L'Z') {
        out += static_cast<char>(c - L'A' + 'a');
    } else if (c >= 0xC0 && c < 0x180 && kLatinLetters[c - 0xC0][0] != '\0') {
        out += kLatinLetters[c - 0xC0];
    } else if (c == L'\'' || c == 0x2019) {
        // "Sankt Peter's" and "Ra's" keep their letters together.
    } else if (c < 0x80 || (c >= 0xA0 && c < 0xC0) || c == 0xD7 || c == 0xF7 ||
               (c >= 0x2000 && c < 0x2070)) {
        out += ' ';
    } else {
        return false;
    }
    return true;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t begin = text.find_first_not_of(' ', at);
        if (begin == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        words.push_back(text.substr(begin, end - begin));
        at = end;
    }
    return words;
}

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

std::string PlaceKey(std::wstring_view name) {
    std::string letters;
    for (wchar_t c : name) {
        if (!AppendLetters(c, letters)) {
            return {};
        }
    }
    const std::vector<std::string_view> words = Words(letters);
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
    const std::vector<std::string_view> words = Words(key);
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

std::string FoldedUpper(std::wstring_view text) {
    std::string letters;
    for (wchar_t c : text) {
        if (!AppendLetters(c, letters)) {
            letters += ' ';
        }
    }
    std::string folded;
    for (std::string_view word : Words(letters)) {
        (folded.empty() ? folded : folded += ' ') += word;
    }
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return folded;
}

}  // namespace mapwell
