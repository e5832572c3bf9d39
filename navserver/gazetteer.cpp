// Reading the gazetteer and looking places up in it.
#include "navserver/gazetteer.h"

#include "support/codepage.h"
#include "support/text.h"

#include <charconv>

namespace mapwell {

namespace {

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
