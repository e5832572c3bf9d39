// Reading the gazetteer and looking places up in it.
#include "navserver/gazetteer.h"

#include "support/codepage.h"
#include "support/text.h"

#include <charconv>

namespace mapwell {

namespace {

std::wstring Trimmed(std::wstring_view text) {
    const auto first = text.find_first_not_of(L" \t\r");
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(L" \t\r");
    return std::wstring(text.substr(first, last - first + 1));
}

bool ReadNumber(const std::wstring& text, float& value) {
    std::string ascii;
    for (wchar_t c : text) {
        if (c > 0x7F) {
            return false;
        }
        ascii += static_cast<char>(c);
    }
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return result.ec == std::errc() && result.ptr == ascii.data() + ascii.size() && !ascii.empty();
}

// Upper case for ASCII and the Latin-1 letters, which is what the sample places need.
wchar_t Upper(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<wchar_t>(c - 0x20);
    }
    return c;
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

}  // namespace

std::vector<Place> ReadGazetteer(std::string_view fileBytes) {
    std::vector<Place> places;
    for (const std::wstring& rawLine : SplitText(AnsiToWide(fileBytes), L"\n")) {
        const std::wstring line = Trimmed(rawLine);
        if (line.empty() || line[0] == L'#') {
            continue;
        }
        const std::vector<std::wstring> fields = SplitText(line, L";");
        if (fields.size() != 5) {
            continue;
        }
        Place place{Trimmed(fields[0]), Trimmed(fields[1]), Trimmed(fields[2])};
        if (ReadNumber(Trimmed(fields[3]), place.latitude) &&
            ReadNumber(Trimmed(fields[4]), place.longitude)) {
            places.push_back(std::move(place));
        }
    }
    return places;
}

const Place* FindPlace(const std::vector<Place>& places, std::wstring_view zip,
                       std::wstring_view city) {
    const std::wstring wantedZip = Trimmed(zip);
    const std::wstring wantedCity = Trimmed(city);
    if (!wantedZip.empty()) {
        for (const Place& place : places) {
            if (place.zip == wantedZip) {
                return &place;
            }
        }
    }
    if (!wantedCity.empty()) {
        for (const Place& place : places) {
            if (SameInAnyCase(place.city, wantedCity)) {
                return &place;
            }
        }
    }
    return nullptr;
}

}  // namespace mapwell
