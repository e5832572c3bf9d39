// Reading the sample list of places.
#include "navserver/sample_places.h"

#include "navserver/place_name.h"
#include "support/encoding/codepage.h"
#include "support/text.h"

namespace mapwell {

namespace {

// A field that is a number and nothing else.
bool ReadCoordinate(std::wstring_view field, float& value) {
    const std::wstring text = Trimmed(field);
    const LeadingNumber number = ReadNumber(text);
    value = static_cast<float>(number.value);
    return number.found && number.length == text.size();
}

}  // namespace

std::vector<GazetteerPlace> ReadSamplePlaces(std::string_view fileBytes) {
    std::vector<GazetteerPlace> places;
    for (const std::wstring& rawLine : SplitText(AnsiToWide(fileBytes), L"\n")) {
        const std::wstring line = Trimmed(rawLine);
        if (line.empty() || line[0] == L'#') {
            continue;
        }
        const std::vector<std::wstring> fields = SplitText(line, L";");
        GazetteerPlace place;
        if (fields.size() != 5 || !ReadCoordinate(fields[3], place.latitude) ||
            !ReadCoordinate(fields[4], place.longitude)) {
            continue;
        }
        const std::wstring zip = Trimmed(fields[1]), city = Trimmed(fields[2]);
        const std::string key = PlaceKey(city);
        if (key.empty()) {
            continue;
        }
        place.name = WideToAnsi(city);
        place.iso2 = WideToAnsi(Trimmed(fields[0]));
        place.keys = {key};
        if (!zip.empty()) {
            place.keys.push_back("=" + WideToAnsi(zip));
        }
        place.alternateKeys = ShortSpellingKeys(city);
        for (std::string start : NameStartKeys(key)) {
            place.alternateKeys.push_back(std::move(start));
        }
        places.push_back(std::move(place));
    }
    return places;
}

std::string_view ZipOf(const GazetteerPlace& place) {
    for (std::string_view key : place.keys) {
        if (key.starts_with('=')) {
            return key.substr(1);
        }
    }
    return {};
}

}  // namespace mapwell
