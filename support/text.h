// Path and text rules shared by the whole program. Platform-neutral: no Windows headers here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The text after the last backslash ("" for a path ending in one). A forward slash is an
// ordinary character.
std::wstring FileNameOf(std::wstring_view path);

// The path up to and including its last backslash; the whole path when it has none.
std::wstring FolderOf(std::wstring_view path);

// `path` without the extension of its file name, the name's last dot included; unchanged when
// the name has no dot (C:\my.dir\list stays as it is).
std::wstring WithoutExtension(std::wstring_view path);

// The file name of `path` without its extension: a list's base name and its profile name.
std::wstring BaseNameOf(std::wstring_view path);

// `text` with every occurrence of `ch` removed.
std::wstring WithoutChar(std::wstring_view text, wchar_t ch);

// Splits at every occurrence of `separator`. Empty fields between separators count; an empty
// text yields no fields at all. An empty separator yields the whole text as one field. Only the
// first `maxFields` fields are taken.
std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separator,
                                    std::size_t maxFields = std::wstring::npos);

// The cells of one record of a list saved as delimited text, split at `separator`. A cell that
// begins with a double quote runs to its closing quote: the separators and line breaks inside
// belong to it, and "" inside stands for one double quote. Any other double quote is removed, so
// a record without quotes gives what SplitText gives. An empty record has no cells. Only the
// first `maxCells` cells are taken.
std::vector<std::wstring> SplitRecord(std::wstring_view record, std::wstring_view separator,
                                      std::size_t maxCells = std::wstring::npos);

// The number of cells SplitRecord would give without a bound.
std::size_t CountCells(std::wstring_view record, std::wstring_view separator);

// `text` with each line break (CR LF, CR or LF) made one blank: a cell as one line shows it.
std::wstring OnOneLine(std::wstring_view text);

// Replaces every occurrence of `from` by `to`.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);

// How a number is written in a text: the characters that count as blanks (passed over before and
// after it), whether blanks may also stand inside it, the decimal and digit-group separators
// ("" for none; a group separator counts only after a digit of the whole part) and the letters
// that open an exponent (which counts only when digits follow it).
struct NumberRules {
    std::wstring_view blanks;
    bool blanksInside = false;
    std::wstring_view decimalSeparator;
    std::wstring_view groupSeparator;
    std::wstring_view exponentLetters;
};

// The way a user reads a leading number: blanks, tabs and line feeds are passed over before the
// sign, between the digits and after the number; a decimal point and an exponent (E or D) may
// follow.
inline constexpr NumberRules kLeadingNumberRules{L" \t\n", true, L".", L"", L"EeDd"};

// A number read from the start of a text: an optional sign, digits, the decimal part and the
// exponent; reading stops at the first character the rules do not allow.
struct LeadingNumber {
    double value = 0;        // 0 when the text does not begin with a number
    std::size_t length = 0;  // characters read, blanks after the number included
    bool found = false;      // at least one digit was read
    bool nonZero = false;    // a digit other than 0 stands before the exponent
};
LeadingNumber ReadNumber(std::wstring_view text, const NumberRules& rules = kLeadingNumberRules);

// `text` without the blanks, tabs and carriage returns at either end.
std::wstring Trimmed(std::wstring_view text);

// Equal in any letter case, for ASCII and the Latin-1 letters.
bool SameInAnyCase(std::wstring_view a, std::wstring_view b);

// The text before the first NUL character (all of it when it has none).
std::wstring_view UpToNul(std::wstring_view text);

// Plain decimal text of an integer ("-1", "0", "42").
std::wstring DecimalText(long long value);

}  // namespace mapwell
