// Finds the place of a geocoding request in the compact gazetteer: by postcode where the data
// has postcodes, else by the city's name in the request's country or, when the request names
// none, in the country of the place found before and then in Germany, Austria and Switzerland;
// a district written with its town ("Berlin-Spandau") at the district.
#pragma once

#include "navserver/gazetteer.h"
#include "navserver/gazetteer_file.h"
#include "navserver/stand_in.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

struct PlaceMatch {
    std::int32_t status = 0;  // 0 found; kPlaceUnknown, kCountryUnknown, kNoCity, ...
    Place place;              // the place found: ISO-2 country, postcode (when matched), name
    std::wstring text;        // "city level: Munich, DE", or why nothing was found
    // The city and postcode that the reply's address names: the request's own fields, as
    // written ("München", "80331 München"), when the request named the place by one of its
    // names; the place's own name and postcode when the postcode found it under another name.
    std::wstring replyCity;
    std::wstring replyZip;
};

constexpr std::int32_t kPlaceUnknown = 1;
constexpr std::int32_t kCountryUnknown = 2;
constexpr std::int32_t kNoCity = 3;
constexpr std::int32_t kGazetteerDamaged = 4;  // the gazetteer file cannot be used

class PlaceMatcher {
public:
    explicit PlaceMatcher(const GazetteerFile& places) : places_(places) {}

    // The fields as the request record carries them (country at most four characters). A
    // postcode at the start of the city field ("80331 München", "D-80331 München") is taken
    // as the postcode, and its country letters as the country, when those fields are empty.
    PlaceMatch Match(std::wstring_view country, std::wstring_view zip, std::wstring_view city);

private:
    // A district written after the town's name and a hyphen ("Berlin-Spandau"): the place of
    // that name nearest the town, inside or next to it, replaces the town.
    void FindDistrict(std::wstring_view cityText, const FoundPlace& town, PlaceMatch& match) const;

    const GazetteerFile& places_;
    int previousCountry_ = -1;
};

// The answer (reply 6) to `request`: the place found with status 0 and its coordinates, else
// latitude 0 and the match's status; `status` replaces the status when given. The text says
// the precision or why nothing was found. With ReplyAddress::PlaceFound the address names the
// match's replyCity and replyZip.
std::vector<std::uint8_t> BuildMatchReply(const GeocodeRequest& request, const PlaceMatch& match,
                                          std::optional<std::int32_t> status,
                                          ReplyAddress address = ReplyAddress::PlaceFound);

}  // namespace mapwell
