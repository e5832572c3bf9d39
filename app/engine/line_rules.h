// How one source line becomes a geocoding request and the output fields of a result line, and
// how coordinates are written as text. Platform-neutral.
#pragma once

#include "app/engine/output_format.h"
#include "columns/column_profile.h"
#include "support/encoding/line_reader.h"

#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The columns of a raw record: decoded and split into its cells at the separator (SplitRecord:
// quoted cells keep their separators, line breaks and doubled quotes as one quote; any other
// double quote is removed). An empty field between two separators counts; an empty line has no
// columns.
std::vector<std::wstring> SplitSourceLine(std::string_view rawLine, std::wstring_view separator,
                                          SourceEncoding encoding);

// A record of no address: empty, or only blanks, line breaks and separators.
bool IsBlankRecord(const std::vector<std::wstring>& columns);

// The request fields of a geocoding request, all set afresh for each line: a field whose
// column is unassigned or missing from the line is empty; a line break in a cell is a blank.
struct AddressRequest {
    std::wstring Country, Zip, City, Street, HouseNo;
    bool operator==(const AddressRequest&) const = default;
};
AddressRequest BuildRequest(const std::vector<std::wstring>& columns, const ColumnProfile& profile);

// The house number at the end of a street: the text after the first space of its last five
// characters, leading spaces removed, when it begins with a digit; "" otherwise.
std::wstring HouseNumberOf(std::wstring_view street);

// A city as the navigation program wants it: a leading number (a postal code typed into the
// city column) and the blanks after it are dropped.
std::wstring CityForRequest(std::wstring_view city);

// The output fields of a converted line; Description joins B1 and B2 with ", " when B2 has text.
OutputFields BuildOutputFields(const std::vector<std::wstring>& columns,
                               const ColumnProfile& profile);

// The name shown for a failed line: Name1 and a blank when Name1 has text, then Name2; a line
// break in a cell is a blank.
std::wstring FailedLineName(const std::vector<std::wstring>& columns, const ColumnProfile& profile);

// A reply's coordinates name a place: latitude not 0, both finite and on the globe (latitude
// -90..90, longitude -180..180).
bool IsFoundPlace(float latitude, float longitude);

// A single-precision coordinate as text: at most seven significant digits, no exponent below
// 10^7, no trailing zeros, "-" when negative, `decimalSeparator` as the decimal point.
std::wstring CoordinateText(float value, std::wstring_view decimalSeparator);

// The decimal separator of the result: when the longitude text holds ".", every "." of both
// texts becomes `txtSep`; otherwise every ",".
void ApplyTxtSep(std::wstring& lat, std::wstring& lon, std::wstring_view txtSep);

}  // namespace mapwell
