// Names written in plain ASCII letters, the one letter rule of place and country names:
// accents dropped, umlauts written out ("ä" = "ae", "ß" = "ss"). Platform-neutral.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// Appends the plain lower case letters of `c` to `out`, or a blank for a separator. False for a
// letter that has no plain form.
bool AppendPlainLetters(wchar_t c, std::string& out);

// The blank-separated words of `text`.
std::vector<std::string_view> PlainWords(std::string_view text);

// Upper case ASCII form of a short code or name, by the same letter rules as place names but
// keeping every word: "Österreich" -> "OESTERREICH", "D." -> "D".
std::string FoldedUpper(std::wstring_view text);

}  // namespace mapwell
