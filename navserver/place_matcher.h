// Finds the place of a geocoding request in the compact gazetteer: by postcode where the data
// has postcodes, else by the city's name in the request's country or, when the request names
// none, in the country of the place found before and then in Germany, Austria and Switzerland;
// a district written with its town ("Berlin-Spandau") at the district.
#pragma once

#include "navserver/gazetteer_file.h"
#include "navserver/stand_in.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

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

}  // namespace mapwell
