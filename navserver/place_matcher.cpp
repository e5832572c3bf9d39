// Matching a request's country, postcode and city to a place.
#include "navserver/place_matcher.h"

#include "support/country_names.h"
#include "navserver/distance.h"
#include "navserver/place_name.h"
#include "support/encoding/codepage.h"
#include "support/text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace mapwell {

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool IsAsciiLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// A postcode as written in address lists: "80331", "D-80331", "CH-8001", "A 1010" is not one.
struct Postcode {
    std::wstring country;  // the letters before the hyphen
    std::wstring digits;
    std::size_t length = 0;  // characters taken from the text
};

std::optional<Postcode> LeadingPostcode(std::wstring_view text) {
    Postcode code;
    std::size_t at = 0;
    while (at < text.size() && at < 3 && IsAsciiLetter(text[at])) {
        ++at;
    }
    if (at > 0) {
        if (at >= text.size() || text[at] != L'-') {
            return std::nullopt;
        }
        code.country = std::wstring(text.substr(0, at));
        ++at;
    }
    const std::size_t digitsAt = at;
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    if (at - digitsAt < 4 || at - digitsAt > 5 || (at < text.size() && text[at] != L' ')) {
        return std::nullopt;
    }
    code.digits = std::wstring(text.substr(digitsAt, at - digitsAt));
    code.length = at;
    return code;
}

// How far from the places that a postcode serves a place of the city's name may lie, and how
// far from those of the postcode's region when the postcode serves none that is known.
constexpr double kNearKm = 30;
constexpr double kRegionKm = 60;

// How far from a town's centre its districts lie: the radius of a round town of its population
// at 2,000 people a square kilometre, and 5 km beyond.
constexpr double kPeoplePerKm2 = 2000;
constexpr double kPi = 3.14159265358979323846;
constexpr double kBeyondTownKm = 5;

std::string Ascii(std::wstring_view digits) {
    return std::string(digits.begin(), digits.end());
}

std::wstring CountryList(const std::vector<int>& order) {
    std::wstring list;
    for (int country : order) {
        list += (list.empty() ? L"" : L", ") + AnsiToWide(kCountries[country].iso2);
    }
    return list;
}

}  // namespace

PlaceMatch PlaceMatcher::Match(std::wstring_view country, std::wstring_view zip,
                               std::wstring_view city) {
    std::wstring cityText = Trimmed(city);
    std::wstring countryText(Trimmed(country));
    std::wstring zipText(Trimmed(zip));
    PlaceMatch match;
    match.replyCity = cityText;
    match.replyZip = zipText;
    if (const auto code = LeadingPostcode(cityText)) {
        cityText = Trimmed(cityText.substr(code->length));
        if (zipText.empty()) {
            zipText = code->digits;
        }
        if (countryText.empty()) {
            countryText = code->country;
        }
    }
    if (const auto code = LeadingPostcode(zipText); code && code->length == zipText.size()) {
        zipText = code->digits;
    }

    std::vector<int> order;
    const bool anyCountry = countryText.empty();
    if (anyCountry) {
        for (int c : {previousCountry_, 0, 1, 2}) {
            if (c >= 0 && std::find(order.begin(), order.end(), c) == order.end()) {
                order.push_back(c);
            }
        }
    } else if (const int c = FindCountry(countryText); c >= 0) {
        order.push_back(c);
    } else {
        match.status = kCountryUnknown;
        match.text = L"Address not found: unknown country \"" + countryText + L"\"";
        return match;
    }

    FoundPlace town;
    const auto found = [&](const FoundPlace& place, const std::wstring& level) {
        town = place;
        match.status = 0;
        match.place = Place{AnsiToWide(place.iso2), L"", AnsiToWide(place.name), place.latitude,
                            place.longitude};
        match.text = level + match.place.city + L", " + match.place.country;
        previousCountry_ = CountryOfIso2(place.iso2);
        return true;
    };
    // The first place filed under `key` that `wanted` takes, in the countries in order, then
    // anywhere when the request named no country.
    const auto find = [&](const std::string& key, const std::wstring& level, auto wanted) {
        const auto take = [&](const FoundPlace& p) { return wanted(p) && found(p, level); };
        for (int c : order) {
            const std::string_view iso2 = kCountries[c].iso2;
            if (places_.ForEach(key,
                                [&](const FoundPlace& p) { return p.iso2 == iso2 && take(p); })) {
                return true;
            }
        }
        return anyCountry && places_.ForEach(key, take);
    };
    const auto any = [](const FoundPlace&) { return true; };

    // The places that the postcode serves. A German postcode that serves none of the places
    // known still tells the region: the places that the postcodes of its first three digits
    // serve.
    std::vector<FoundPlace> served, region;
    const auto collect = [](std::vector<FoundPlace>& into) {
        return [&into](const FoundPlace& p) {
            into.push_back(p);
            return false;
        };
    };
    if (!zipText.empty()) {
        find("=" + Ascii(zipText), L"", collect(served));
    }
    if (served.empty() && zipText.size() == 5) {
        places_.ForEachStartingWith("=" + Ascii(zipText.substr(0, 3)), collect(region));
    }
    const std::vector<FoundPlace>& area = served.empty() ? region : served;
    const double reach = served.empty() ? kRegionKm : kNearKm;
    const auto isServed = [&](const FoundPlace& p) {
        return std::any_of(served.begin(), served.end(),
                           [&](const FoundPlace& s) { return s.index == p.index; });
    };
    // The postcode judges only the places of its own country: a German region never decides
    // a French address.
    const auto judged = [&](const FoundPlace& p) {
        return std::any_of(area.begin(), area.end(),
                           [&](const FoundPlace& s) { return s.iso2 == p.iso2; });
    };
    const auto inArea = [&](const FoundPlace& p) {
        return std::any_of(area.begin(), area.end(), [&](const FoundPlace& s) {
            return s.iso2 == p.iso2 &&
                   DistanceKm(p.latitude, p.longitude, s.latitude, s.longitude) <= reach;
        });
    };
    const std::wstring postcodeLevel = L"postcode level: " + zipText + L" ";

    const std::string cityKey = PlaceKey(cityText);
    std::string foundKey;
    const auto findCity = [&](const std::wstring& level, auto wanted) {
        for (std::string key = cityKey; !key.empty(); key = ShorterKey(key)) {
            if (key != cityKey && IsTooGeneralKey(key)) {
                break;
            }
            if (find(key, level, wanted) || find(key + kNameStartMark, level, wanted) ||
                find(key + kShortSpellingMark, level, wanted)) {
                foundKey = key;
                return true;
            }
        }
        return false;
    };
    // Found by the request's city: a town found by the first words of a name with a hyphen
    // ("Berlin-Spandau") gives way to its district.
    const auto foundByName = [&](bool withPostcode) {
        if (withPostcode) {
            match.place.zip = zipText;
        }
        if (foundKey != cityKey) {
            FindDistrict(cityText, town, match);
        }
        return match;
    };
    // Of several places of the city's name, the one that the postcode serves is meant, else
    // one in its area. A place of that name only far from the postcode's area is no answer:
    // one of the two is wrong, and a guess could be a wrong place.
    if (area.empty()) {
        if (findCity(L"city level: ", any)) {
            return foundByName(false);
        }
    } else {
        if (findCity(postcodeLevel, isServed)) {
            return foundByName(true);
        }
        if (findCity(L"city level: ", inArea)) {
            return foundByName(false);
        }
        bool namedElsewhere = false;
        findCity(L"", [&](const FoundPlace& p) {
            namedElsewhere = namedElsewhere || judged(p);
            return false;  // only looking
        });
        if (namedElsewhere) {
            match.status = kPlaceUnknown;
            match.text =
                L"Address not found: \"" + cityText + L"\" lies far from postcode " + zipText;
            return match;
        }
        // No place of the name in the postcode's country: one in another, which it cannot judge.
        if (findCity(L"city level: ", any)) {
            return foundByName(false);
        }
    }
    // A city that is not known, or none: the place that the postcode serves, named its own way.
    if (!served.empty() && found(served.front(), postcodeLevel)) {
        match.place.zip = zipText;
        match.replyCity = match.place.city;
        match.replyZip = zipText;
        return match;
    }
    if (cityKey.empty()) {
        match.status = kNoCity;
        match.text = zipText.empty() ? L"Address not found: no city given"
                                     : L"Address not found: postcode " + zipText +
                                           L" unknown and no city given";
        return match;
    }
    match.status = kPlaceUnknown;
    match.text = L"Address not found: no place \"" + cityText + L"\" in " + CountryList(order);
    return match;
}

void PlaceMatcher::FindDistrict(std::wstring_view cityText, const FoundPlace& town,
                                PlaceMatch& match) const {
    const double reach = kBeyondTownKm + std::sqrt(town.population / (kPeoplePerKm2 * kPi));
    for (std::size_t hyphen = cityText.find(L'-'); hyphen != std::wstring_view::npos;
         hyphen = cityText.find(L'-', hyphen + 1)) {
        const std::string key = PlaceKey(cityText.substr(hyphen + 1));
        if (key.empty()) {
            continue;
        }
        std::optional<FoundPlace> nearest;
        double nearestKm = reach;
        for (const std::string& spelling : {key, key + kShortSpellingMark}) {
            places_.ForEach(spelling, [&](const FoundPlace& p) {
                const double km =
                    DistanceKm(p.latitude, p.longitude, town.latitude, town.longitude);
                if (p.iso2 == town.iso2 && p.index != town.index && km <= nearestKm) {
                    nearest = p;
                    nearestKm = km;
                }
                return false;
            });
        }
        if (nearest) {
            match.place.city = AnsiToWide(nearest->name);
            match.place.latitude = nearest->latitude;
            match.place.longitude = nearest->longitude;
            match.text = L"district level: " +
                         (match.place.zip.empty() ? L"" : match.place.zip + L" ") +
                         match.place.city + L", " + match.place.country;
            return;
        }
    }
}

}  // namespace mapwell
