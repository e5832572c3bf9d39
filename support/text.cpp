#include "support/text.h"

#include <cstdlib>

namespace mapwell {

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
wchar_t Upper(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    return c;
}

}  // namespace

std::wstring FileNameOf(std::wstring_view path) {
    const auto slash = path.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

std::wstring FolderOf(std::wstring_view path) {
    const auto slash = path.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(0, slash + 1));
}

std::wstring WithoutExtension(std::wstring_view path) {
    const auto slash = path.rfind(L'\\');
    const auto dot = path.rfind(L'.');
    const bool inName =
        dot != std::wstring_view::npos && (slash == std::wstring_view::npos || dot > slash);
    return std::wstring(inName ? path.substr(0, dot) : path);
}

std::wstring BaseNameOf(std::wstring_view path) {
    return WithoutExtension(FileNameOf(path));
}

std::wstring WithoutChar(std::wstring_view text, wchar_t ch) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c != ch) {
            out += c;
        }
    }
    return out;
}

std::vector<std::wstring> SplitText(std::wstring_view text, std::wstring_view separator,
                                    std::size_t maxFields) {
    std::vector<std::wstring> fields;
    if (text.empty() || maxFields == 0) {
        return fields;
    }
    if (separator.empty()) {
        fields.emplace_back(text);
        return fields;
    }
    std::size_t start = 0;
    while (fields.size() < maxFields) {
        const auto at = text.find(separator, start);
        if (at == std::wstring_view::npos) {
            fields.emplace_back(text.substr(start));
            return fields;
        }
        fields.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    return fields;
}

namespace {

// Walks the cells of a record; `cells` collects them when given. Returns how many there are.
std::size_t WalkCells(std::wstring_view record, std::wstring_view separator, std::size_t maxCells,
                      std::vector<std::wstring>* cells) {
    if (record.empty() || maxCells == 0) {
        return 0;
    }
    if (separator.empty()) {
        if (cells) {
            cells->push_back(WithoutChar(record, L'"'));
        }
        return 1;
    }
    std::size_t count = 0, at = 0;
    for (;;) {
        std::wstring cell;
        if (at < record.size() && record[at] == L'"') {
            // A quote that no other closes within the record is a stray one.
            bool closed = false;
            std::size_t end = at + 1;
            for (; end < record.size(); ++end) {
                if (record[end] == L'"') {
                    if (end + 1 < record.size() && record[end + 1] == L'"') {
                        ++end;
                    } else {
                        closed = true;
                        break;
                    }
                }
                if (cells) {
                    cell += record[end];
                }
            }
            if (closed) {
                at = end + 1;
            } else {
                cell.clear();
            }
        }
        // The rest of the cell up to the separator; a stray double quote is no part of it.
        std::size_t end = record.find(separator, at);
        if (end == std::wstring_view::npos) {
            end = record.size();
        }
        if (cells) {
            cell += WithoutChar(record.substr(at, end - at), L'"');
            cells->push_back(std::move(cell));
        }
        if (++count == maxCells || end == record.size()) {
            return count;
        }
        at = end + separator.size();
    }
}

}  // namespace

std::vector<std::wstring> SplitRecord(std::wstring_view record, std::wstring_view separator,
                                      std::size_t maxCells) {
    std::vector<std::wstring> cells;
    WalkCells(record, separator, maxCells, &cells);
    return cells;
}

std::size_t CountCells(std::wstring_view record, std::wstring_view separator) {
    return WalkCells(record, separator, std::wstring::npos, nullptr);
}

std::wstring OnOneLine(std::wstring_view text) {
    return ReplaceAll(ReplaceAll(ReplaceAll(text, L"\r\n", L" "), L"\r", L" "), L"\n", L" ");
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    if (from.empty()) {
        return std::wstring(text);
    }
    std::wstring out;
    std::size_t start = 0;
    for (auto at = text.find(from); at != std::wstring_view::npos; at = text.find(from, start)) {
        out.append(text.substr(start, at - start)).append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::wstring Trimmed(std::wstring_view text) {
    const auto first = text.find_first_not_of(L" \t\r");
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(L" \t\r");
    return std::wstring(text.substr(first, last - first + 1));
}

bool SameInAnyCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Upper(a[i]) != Upper(b[i])) {
            return false;
        }
    }
    return true;
}

std::wstring_view UpToNul(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
}

LeadingNumber ReadNumber(std::wstring_view text, const NumberRules& rules) {
    std::size_t i = 0;
    const auto startsWith = [&](std::wstring_view part) {
        return !part.empty() && text.substr(i, part.size()) == part;
    };
    const auto skipBlanks = [&] {
        while (i < text.size() && rules.blanks.find(text[i]) != std::wstring_view::npos) {
            ++i;
        }
    };
    const auto skipInnerBlanks = [&] {
        if (rules.blanksInside) {
            skipBlanks();
        }
    };
    const auto readDigits = [&](std::wstring& into, bool groups) {
        bool any = false;
        for (skipInnerBlanks();; skipInnerBlanks()) {
            if (i < text.size() && IsDigit(text[i])) {
                into += text[i++];
                any = true;
            } else if (groups && any && startsWith(rules.groupSeparator) &&
                       !startsWith(rules.decimalSeparator)) {
                i += rules.groupSeparator.size();
            } else {
                return any;
            }
        }
    };

    LeadingNumber result;
    std::wstring digits;
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i++] == L'-';
    }
    bool any = readDigits(digits, true);
    std::size_t end = i;
    if (startsWith(rules.decimalSeparator)) {
        i += rules.decimalSeparator.size();
        std::wstring fraction;
        if (readDigits(fraction, false) || any) {
            digits += L'.';
            digits += fraction;
            any = true;
            end = i;
        }
    }
    if (!any) {
        return result;
    }
    result.nonZero = digits.find_first_not_of(L"0.") != std::wstring::npos;
    // An exponent counts only when digits follow it, so "1E Street" reads as 1.
    if (i < text.size() && rules.exponentLetters.find(text[i]) != std::wstring_view::npos) {
        const std::size_t letter = i++;
        std::wstring exponent = L"e";
        if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
            exponent += text[i++];
        }
        if (readDigits(exponent, false)) {
            digits += exponent;
            end = i;
        } else {
            i = letter;
        }
    }
    i = end;
    skipBlanks();
    std::string narrow(digits.begin(), digits.end());
    const double value = std::strtod(narrow.c_str(), nullptr);
    result.value = negative ? -value : value;
    result.length = i;
    result.found = true;
    return result;
}

std::wstring DecimalText(long long value) {
    return std::to_wstring(value);
}

}  // namespace mapwell
