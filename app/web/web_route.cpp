#include "app/web/web_route.h"

#include "app/engine/line_rules.h"
#include "support/text.h"

#include <cmath>

namespace mapwell {

namespace {

constexpr std::wstring_view kRowEnd = L"\r\n";
constexpr wchar_t kFieldSeparator = L'\t';
// Fields of a geocoded row, counted from 0: the item number and the two coordinates.
constexpr std::size_t kItemField = 4;
constexpr std::size_t kSecondCoordinateField = 5;
constexpr std::size_t kFirstCoordinateField = 6;

// Splits a row at its tabs without copying; a row without tabs is one field.
std::vector<std::wstring_view> FieldsOf(std::wstring_view row) {
    std::vector<std::wstring_view> fields;
    std::size_t start = 0;
    for (auto at = row.find(kFieldSeparator); at != std::wstring_view::npos;
         at = row.find(kFieldSeparator, start)) {
        fields.push_back(row.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(row.substr(start));
    return fields;
}

// The collected line that field 5 names, or 0 when it names none: the page may hand back a
// field without digits, a 0, a fraction or a number past the last line.
int ItemNumberOf(std::wstring_view field, int count) {
    const LeadingNumber number = ReadNumber(field);
    if (!number.found || number.value < 1 || number.value > count ||
        number.value != std::floor(number.value)) {
        return 0;
    }
    return static_cast<int>(number.value);
}

// How the page writes its numbers: in the user's regional format, blanks only around them.
NumberRules RegionalRules(const RegionalNumberFormat& format) {
    return {L" ", false, format.decimalSeparator, format.groupSeparator, L"Ee"};
}

double NumberOf(std::wstring_view text, const RegionalNumberFormat& format) {
    return ReadNumber(text, RegionalRules(format)).value;
}

}  // namespace

bool ReadsAsNonZeroNumber(std::wstring_view text, const RegionalNumberFormat& format) {
    const LeadingNumber number = ReadNumber(text, RegionalRules(format));
    return number.found && number.length == text.size() && number.nonZero;
}

bool IsGeocodedText(std::wstring_view text) {
    return text.find(L"bg_lat") != std::wstring_view::npos;
}

int ImportGeocodedText(const WebCollection& collection, std::wstring_view text,
                       const RegionalNumberFormat& format, ResultFile& result,
                       const std::function<OutputFormat()>& formatInForce, ErrorList& errors,
                       const WrittenRow& written) {
    const int count = collection.Count();
    std::vector<bool> cameBack(static_cast<std::size_t>(count) + 1, false);
    int converted = 0;
    if (IsGeocodedText(text)) {
        // The first row is the page's header.
        std::size_t start = text.find(kRowEnd);
        while (start != std::wstring_view::npos) {
            start += kRowEnd.size();
            const std::size_t end = text.find(kRowEnd, start);
            const std::wstring_view row = text.substr(
                start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
            start = end;

            const auto fields = FieldsOf(row);
            if (fields.size() <= kFirstCoordinateField ||
                !ReadsAsNonZeroNumber(fields[kSecondCoordinateField], format) ||
                !ReadsAsNonZeroNumber(fields[kFirstCoordinateField], format)) {
                continue;
            }
            const int item = ItemNumberOf(fields[kItemField], count);
            if (item == 0 || cameBack[static_cast<std::size_t>(item)]) {
                continue;
            }
            const WebRow& back = collection.Rows()[static_cast<std::size_t>(item)];
            const OutputFormat outputFormat = formatInForce();
            const double latitude = NumberOf(fields[kSecondCoordinateField], format);
            const double longitude = NumberOf(fields[kFirstCoordinateField], format);
            const OutputFields out{back.Name1, back.Name2, back.Street,
                                   back.Zip,   back.City,  back.Description};
            const bool map = IsMapFormat(outputFormat);
            // A row that cannot be written ends the import; it and the rows after it are failed
            // lines.
            if (!WriteResultLine(result, outputFormat, out,
                                 map ? CoordinateText(static_cast<float>(latitude), L".")
                                     : std::wstring(fields[kFirstCoordinateField]),
                                 map ? CoordinateText(static_cast<float>(longitude), L".")
                                     : std::wstring(fields[kSecondCoordinateField]),
                                 back.Line)) {
                break;
            }
            cameBack[static_cast<std::size_t>(item)] = true;
            ++converted;
            if (written) {
                written(back, latitude, longitude);
            }
        }
    }
    // Lines the page failed, or that the user's copy left out, would otherwise vanish silently.
    for (int item = 1; item <= count; ++item) {
        if (!cameBack[static_cast<std::size_t>(item)]) {
            errors.Append(collection.Rows()[static_cast<std::size_t>(item)].Line);
        }
    }
    return converted;
}

}  // namespace mapwell
