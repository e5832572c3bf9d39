#include "app/engine/line_rules.h"

#include "support/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace mapwell {

namespace {

// The column of `field` when the profile assigns one and the line has it; nullptr otherwise.
const std::wstring* ColumnFor(const std::vector<std::wstring>& columns,
                              const ColumnProfile& profile, AddressField field) {
    const int index = profile.ColumnOf(field);
    if (index < 0 || static_cast<std::size_t>(index) >= columns.size()) {
        return nullptr;
    }
    return &columns[static_cast<std::size_t>(index)];
}

std::wstring TextOf(const std::vector<std::wstring>& columns, const ColumnProfile& profile,
                    AddressField field) {
    const std::wstring* column = ColumnFor(columns, profile, field);
    return column ? *column : std::wstring();
}

}  // namespace

std::vector<std::wstring> SplitSourceLine(std::string_view rawLine, std::wstring_view separator,
                                          SourceEncoding encoding) {
    return SplitRecord(DecodeListLine(rawLine, encoding), separator);
}

bool IsBlankRecord(const std::vector<std::wstring>& columns) {
    for (const std::wstring& column : columns) {
        if (column.find_first_not_of(L" \t\r\n") != std::wstring::npos) {
            return false;
        }
    }
    return true;
}

std::wstring HouseNumberOf(std::wstring_view street) {
    const std::wstring_view tail = street.size() > 5 ? street.substr(street.size() - 5) : street;
    const auto space = tail.find(L' ');
    if (space == std::wstring_view::npos) {
        return {};
    }
    std::wstring_view number = tail.substr(space);
    while (!number.empty() && number.front() == L' ') {
        number.remove_prefix(1);
    }
    if (number.empty() || number.front() < L'0' || number.front() > L'9') {
        return {};
    }
    return std::wstring(number);
}

std::wstring CityForRequest(std::wstring_view city) {
    const LeadingNumber number = ReadNumber(city);
    if (number.found && number.value > 0) {
        return std::wstring(city.substr(number.length));
    }
    return std::wstring(city);
}

AddressRequest BuildRequest(const std::vector<std::wstring>& columns,
                            const ColumnProfile& profile) {
    AddressRequest request;
    request.Street = OnOneLine(TextOf(columns, profile, AddressField::Street));
    request.HouseNo = HouseNumberOf(request.Street);
    request.Zip = OnOneLine(TextOf(columns, profile, AddressField::Zip));
    request.City = CityForRequest(OnOneLine(TextOf(columns, profile, AddressField::City)));
    request.Country = OnOneLine(TextOf(columns, profile, AddressField::Land));
    return request;
}

OutputFields BuildOutputFields(const std::vector<std::wstring>& columns,
                               const ColumnProfile& profile) {
    OutputFields out;
    out.Name1 = TextOf(columns, profile, AddressField::Name1);
    out.Name2 = TextOf(columns, profile, AddressField::Name2);
    out.Street = TextOf(columns, profile, AddressField::Street);
    out.Zip = TextOf(columns, profile, AddressField::Zip);
    out.City = TextOf(columns, profile, AddressField::City);
    out.Description = TextOf(columns, profile, AddressField::B1);
    const std::wstring b2 = TextOf(columns, profile, AddressField::B2);
    if (!b2.empty()) {
        out.Description += L", " + b2;
    }
    return out;
}

std::wstring FailedLineName(const std::vector<std::wstring>& columns,
                            const ColumnProfile& profile) {
    std::wstring name;
    const std::wstring name1 = TextOf(columns, profile, AddressField::Name1);
    if (!name1.empty()) {
        name = name1 + L" ";
    }
    return OnOneLine(name + TextOf(columns, profile, AddressField::Name2));
}

bool IsFoundPlace(float latitude, float longitude) {
    // Comparisons with NaN are false, so NaN fails both ranges.
    return latitude != 0 && latitude >= -90 && latitude <= 90 && longitude >= -180 &&
           longitude <= 180;
}

std::wstring CoordinateText(float value, std::wstring_view decimalSeparator) {
    if (value == 0 || !std::isfinite(value)) {
        return L"0";
    }
    // Seven significant digits, rounded once: "d.dddddde+XX".
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.6e", static_cast<double>(value));
    const bool negative = scientific[0] == '-';
    const char* p = scientific + (negative ? 1 : 0);
    std::string digits;
    digits += p[0];
    digits.append(p + 2, 6);
    const int exponent = std::atoi(p + 9);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    std::string text;
    if (exponent >= 7) {
        // Beyond seven digits before the point only an exponent keeps the digits honest.
        text = digits.substr(0, 1);
        if (digits.size() > 1) {
            text += '.' + digits.substr(1);
        }
        char tail[16];
        std::snprintf(tail, sizeof tail, "E+%02d", exponent);
        text += tail;
    } else if (exponent >= 0) {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            text = digits + std::string(whole - digits.size(), '0');
        } else {
            text = digits.substr(0, whole) + '.' + digits.substr(whole);
        }
    } else {
        text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    std::wstring wide;
    if (negative) {
        wide += L'-';
    }
    for (char c : text) {
        if (c == '.') {
            wide += decimalSeparator;
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return wide;
}

void ApplyTxtSep(std::wstring& lat, std::wstring& lon, std::wstring_view txtSep) {
    const std::wstring_view from = lon.find(L'.') != std::wstring::npos ? L"." : L",";
    lat = ReplaceAll(lat, from, txtSep);
    lon = ReplaceAll(lon, from, txtSep);
}

}  // namespace mapwell
