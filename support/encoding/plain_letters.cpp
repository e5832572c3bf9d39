// Names written in plain ASCII letters.
#include "support/encoding/plain_letters.h"

#include <algorithm>
#include <array>

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

}  // namespace

// Appends the plain lower case letters of `c` to `out`, or a blank for a separator. False for a
// letter that has no plain form.
bool AppendPlainLetters(wchar_t c, std::string& out) {
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

std::vector<std::string_view> PlainWords(std::string_view text) {
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

std::string FoldedUpper(std::wstring_view text) {
    std::string letters;
    for (wchar_t c : text) {
        if (!AppendPlainLetters(c, letters)) {
            letters += ' ';
        }
    }
    std::string folded;
    for (std::string_view word : PlainWords(letters)) {
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
