// Reading the postal data's areas and filing their postcodes on the gazetteer's places.
#include "navserver/postcode_areas.h"

#include "navserver/distance.h"
#include "navserver/place_name.h"
#include "support/encoding/codepage.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

namespace mapwell {

namespace {

// Just enough JSON for an object of arrays of strings.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    bool Take(char c) {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\r' || text_[at_] == '\n')) {
            ++at_;
        }
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    // A string, as UTF-8.
    std::optional<std::string> String() {
        if (!Take('"')) {
            return std::nullopt;
        }
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] != '\\') {
                out += text_[at_++];
                continue;
            }
            if (++at_ >= text_.size()) {
                return std::nullopt;
            }
            const char escaped = text_[at_++];
            if (escaped == 'u') {
                const auto unit = Hex4();
                if (!unit) {
                    return std::nullopt;
                }
                AppendUtf8(out, *unit);
            } else {
                const std::string_view from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
                const std::size_t which = from.find(escaped);
                if (which == std::string_view::npos) {
                    return std::nullopt;
                }
                out += to[which];
            }
        }
        if (!Take('"')) {
            return std::nullopt;
        }
        return out;
    }

private:
    std::optional<char32_t> Hex4() {
        if (at_ + 4 > text_.size()) {
            return std::nullopt;
        }
        char32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return value;
    }

    // Postal names hold no characters beyond the first plane; a lone surrogate half becomes
    // U+FFFD like any other broken character.
    static void AppendUtf8(std::string& out, char32_t c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

struct Point {
    double latitude = 0;
    double longitude = 0;
};

double DistanceKm(Point a, Point b) {
    return mapwell::DistanceKm(a.latitude, a.longitude, b.latitude, b.longitude);
}

Point PointOf(const GazetteerPlace& place) {
    return {place.latitude, place.longitude};
}

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// How far from the middle of a postcode region a town it serves may lie.
constexpr double kReachKm[] = {60, 120};  // for regions of three, then two first digits

}  // namespace

std::vector<PostcodeArea> ReadPostcodeAreas(std::string_view json) {
    JsonReader in(json);
    std::vector<PostcodeArea> areas;
    if (!in.Take('{')) {
        return {};
    }
    if (in.Take('}')) {
        return areas;
    }
    do {
        PostcodeArea area;
        const auto postcode = in.String();
        if (!postcode || !in.Take(':') || !in.Take('[')) {
            return {};
        }
        area.postcode = *postcode;
        if (!in.Take(']')) {
            do {
                const auto town = in.String();
                if (!town) {
                    return {};
                }
                area.towns.push_back(Utf8ToWide(*town));
            } while (in.Take(','));
            if (!in.Take(']')) {
                return {};
            }
        }
        areas.push_back(std::move(area));
    } while (in.Take(','));
    return in.Take('}') ? areas : std::vector<PostcodeArea>{};
}

std::size_t FilePostcodes(std::vector<GazetteerPlace>& places,
                          const std::vector<PostcodeArea>& areas, std::string_view iso2) {
    // The places of the country by their own names, and by their other names.
    std::unordered_map<std::string, std::vector<std::size_t>> byName, byOtherName;
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (places[i].iso2 != iso2) {
            continue;
        }
        for (const std::string& key : places[i].keys) {
            if (key.front() != '=') {
                byName[key].push_back(i);
            }
        }
        for (const std::string& key : places[i].alternateKeys) {
            byOtherName[key].push_back(i);
        }
    }
    // A town of two merged ones that the data does not know by its whole name
    // ("Zeulenroda-Triebes") is taken as the first.
    const auto placesNamed = [&](std::wstring_view town) -> const std::vector<std::size_t>* {
        for (const std::wstring_view name : {town, town.substr(0, town.find(L'-'))}) {
            for (const auto* names : {&byName, &byOtherName}) {
                if (const auto found = names->find(PlaceKey(name)); found != names->end()) {
                    return &found->second;
                }
            }
        }
        return nullptr;
    };

    // The middle of each region, from the towns whose names only one place bears.
    std::map<std::string, std::vector<Point>> regions;
    for (const PostcodeArea& area : areas) {
        for (const std::wstring& town : area.towns) {
            if (const auto* named = placesNamed(town); named && named->size() == 1) {
                for (std::size_t digits : {3, 2}) {
                    regions[area.postcode.substr(0, digits)].push_back(
                        PointOf(places[named->front()]));
                }
            }
        }
    }
    std::map<std::string, Point> middles;
    for (const auto& [region, points] : regions) {
        std::vector<double> latitudes, longitudes;
        for (const Point& point : points) {
            latitudes.push_back(point.latitude);
            longitudes.push_back(point.longitude);
        }
        middles[region] = {Median(latitudes), Median(longitudes)};
    }

    std::size_t filed = 0;
    for (const PostcodeArea& area : areas) {
        std::optional<Point> middle;
        double reach = 0;
        for (int i = 0; i < 2 && !middle; ++i) {
            if (const auto found = middles.find(area.postcode.substr(0, 3 - i));
                found != middles.end()) {
                middle = found->second;
                reach = kReachKm[i];
            }
        }
        if (!middle) {
            continue;
        }
        const std::string key = "=" + area.postcode;
        for (const std::wstring& town : area.towns) {
            const auto* named = placesNamed(town);
            if (!named) {
                continue;
            }
            const std::size_t nearest =
                *std::min_element(named->begin(), named->end(), [&](std::size_t a, std::size_t b) {
                    return DistanceKm(PointOf(places[a]), *middle) <
                           DistanceKm(PointOf(places[b]), *middle);
                });
            std::vector<std::string>& keys = places[nearest].keys;
            if (DistanceKm(PointOf(places[nearest]), *middle) > reach) {
                continue;
            }
            if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
                keys.push_back(key);
                ++filed;
            }
            // ... and is found by its whole name too.
            std::vector<std::string>& otherKeys = places[nearest].alternateKeys;
            const std::string townKey = PlaceKey(town);
            if (std::find(keys.begin(), keys.end(), townKey) == keys.end() &&
                std::find(otherKeys.begin(), otherKeys.end(), townKey) == otherKeys.end()) {
                otherKeys.push_back(townKey);
            }
        }
    }
    return filed;
}

}  // namespace mapwell
