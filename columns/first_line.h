// What the column assignment dialog makes of a source list: the first line's analysis (fields,
// separator, pre-selection, first preview line), the lines it previews, and the preview of one
// line under the current choices. Platform-neutral.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The dialog's eight choice boxes, in the order in which a profile is loaded and saved.
enum ColumnBox { BoxN1, BoxN2, BoxStr, BoxPLZ, BoxCity, BoxLand, BoxT1, BoxT2, kColumnBoxCount };

// A choice per box: the zero-based column, or -1 for none.
using ColumnChoices = std::array<int, kColumnBoxCount>;

// The dialog reads at most this many bytes of each line; the rest of a longer line is passed
// over.
inline constexpr std::size_t kDialogLineLimit = 2 * 1024 * 1024;

// The choice boxes offer at most this many columns: a box with a very long list takes the
// window system much longer to fill than its entries are worth.
inline constexpr int kOfferedColumns = 1000;

struct FirstLineAnalysis {
    bool usable = false;               // at least four fields at tabs, at "," or at ";"
    std::wstring separator = L",";     // the separator the fields were found with
    std::vector<std::wstring> fields;  // the offered ones: at most kOfferedColumns
    std::size_t columnCount = 0;       // all fields of the line
    ColumnChoices preselected{-1, -1, -1, -1, -1, -1, -1, -1};
    int scrollStart = 2;  // 1 when no name column was found: the first line is data then
};

// The separators a list may have, before its first line has told which: a double quote after
// any of them opens a quoted cell.
inline const std::vector<std::wstring> kListSeparators = {L",", L";", L"\t"};

// The line is split into its cells as the engine splits a record (quoted cells keep their
// separators; other quotes are removed); a line with tabs and neither "," nor ";" outside quoted
// cells is split at its tabs, any other at "," and, when that gives fewer than four fields, at
// ";". A box takes the first offered field containing its heading's lower-case keyword.
FirstLineAnalysis AnalyseFirstLine(std::wstring_view line);

// What the dialog says when the boxes offer fewer columns than the first line has; "" when they
// offer them all.
std::wstring OfferedColumnsNote(const FirstLineAnalysis& analysis);

// The line shown for scroll position `row` (1-based): that line, or the last one when the file
// is shorter; "" for an empty file.
std::wstring PreviewLine(const std::vector<std::wstring>& lines, int row);

struct PreviewTexts {
    std::wstring name, street, zip, city, land, text;
    bool operator==(const PreviewTexts&) const = default;
};

struct Preview {
    PreviewTexts texts;
    bool streetMissing = false;  // the "Street" heading turns red
    bool cityMissing = false;    // the "City" heading turns red
    bool okEnabled = false;      // street and city both assigned
    bool failed = false;         // a chosen column lies beyond the line: that box kept its text
};

// A first line that the dialog takes for a heading: one whose fields name the columns it
// pre-selects, a name column among them, so that its preview starts below it.
bool IsHeading(const FirstLineAnalysis& analysis);

// The preview of `line` split at `separator` as the engine splits it. A chosen column that the line
// lacks leaves its box at the text it had in `previous` and marks the preview as failed.
Preview ComputePreview(std::wstring_view line, std::wstring_view separator,
                       const ColumnChoices& choices, const PreviewTexts& previous);

// The description shown in the dialog's title when a preview statement failed.
inline constexpr wchar_t kPreviewErrorText[] = L"Subscript out of range";

}  // namespace mapwell
