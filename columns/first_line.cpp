#include "columns/first_line.h"

#include "support/text.h"

namespace mapwell {

namespace {

// The lower-cased captions of the headings above each box's preview.
constexpr const wchar_t* kKeywords[kColumnBoxCount] = {
    L"name", L"name", L"street", L"zipcode", L"city", L"country", L"description", L"description"};

// Runs one assignment of a preview statement: fails, leaving `target` as it was, when the
// column lies beyond the line.
bool Assign(std::wstring& target, const std::vector<std::wstring>& fields, int column,
            std::wstring_view suffix = L"", bool append = false) {
    if (column < 0 || column >= static_cast<int>(fields.size())) {
        return false;
    }
    target = (append ? target : std::wstring()) + fields[column] + std::wstring(suffix);
    return true;
}

}  // namespace

FirstLineAnalysis AnalyseFirstLine(std::wstring_view line) {
    FirstLineAnalysis result;
    // A list saved as tab-separated text: tabs, and neither of the other two separators, outside
    // its quoted cells.
    const bool tabs =
        CountCells(line, L"\t") > 1 && CountCells(line, L",") <= 1 && CountCells(line, L";") <= 1;
    result.separator = tabs ? L"\t" : L",";
    result.columnCount = CountCells(line, result.separator);
    if (!tabs && result.columnCount < 4) {
        result.columnCount = CountCells(line, L";");
        result.separator = L";";
    }
    if (result.columnCount < 4) {
        return result;
    }
    result.usable = true;
    result.fields = SplitRecord(line, result.separator, kOfferedColumns);
    for (std::size_t i = 0; i < result.fields.size(); ++i) {
        for (int box = 0; box < kColumnBoxCount; ++box) {
            if (result.preselected[box] < 0 &&
                result.fields[i].find(kKeywords[box]) != std::wstring::npos) {
                result.preselected[box] = static_cast<int>(i);
            }
        }
    }
    if (result.preselected[BoxN1] < 0 && result.preselected[BoxN2] < 0) {
        result.scrollStart = 1;
    }
    return result;
}

bool IsHeading(const FirstLineAnalysis& analysis) {
    return analysis.usable && analysis.scrollStart == 2;
}

std::wstring OfferedColumnsNote(const FirstLineAnalysis& analysis) {
    if (analysis.columnCount <= analysis.fields.size()) {
        return {};
    }
    return L"The first line has " + DecimalText(static_cast<long long>(analysis.columnCount)) +
           L" columns; the lists offer the first " +
           DecimalText(static_cast<long long>(analysis.fields.size())) + L".";
}

std::wstring PreviewLine(const std::vector<std::wstring>& lines, int row) {
    if (lines.empty()) {
        return {};
    }
    const int index = row < 1 ? 0 : row - 1;
    return index < static_cast<int>(lines.size()) ? lines[index] : lines.back();
}

Preview ComputePreview(std::wstring_view line, std::wstring_view separator,
                       const ColumnChoices& choices, const PreviewTexts& previous) {
    Preview preview;
    preview.texts = previous;
    PreviewTexts& t = preview.texts;
    // No choice can name a column beyond the offered ones.
    const std::vector<std::wstring> fields = SplitRecord(line, separator, kOfferedColumns);
    bool ok = true;

    // Name and description: the first part followed by a blank, the second part appended.
    auto twoParts = [&](std::wstring& target, int first, int second) {
        if (first >= 0) {
            ok = Assign(target, fields, first, L" ") && ok;
        } else {
            target.clear();
        }
        if (second >= 0) {
            ok = Assign(target, fields, second, L"", true) && ok;
        }
    };
    auto optional = [&](std::wstring& target, int column) {
        if (column >= 0) {
            ok = Assign(target, fields, column) && ok;
        } else {
            target.clear();
        }
    };
    twoParts(t.name, choices[BoxN1], choices[BoxN2]);
    optional(t.street, choices[BoxStr]);
    preview.streetMissing = choices[BoxStr] < 0;
    optional(t.zip, choices[BoxPLZ]);
    optional(t.city, choices[BoxCity]);
    preview.cityMissing = choices[BoxCity] < 0;
    optional(t.land, choices[BoxLand]);
    twoParts(t.text, choices[BoxT1], choices[BoxT2]);

    preview.failed = !ok;
    preview.okEnabled = !preview.streetMissing && !preview.cityMissing;
    return preview;
}

}  // namespace mapwell
