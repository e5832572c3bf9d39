// The stand-in navigation program's list of known places.
//
// A gazetteer is a text file in the ANSI code page, one place per line:
//     country;zip;city;latitude;longitude
// for example "DE;10115;Berlin;52.5323;13.3846". Latitude and longitude are decimal degrees with
// a point. Blank lines and lines starting with '#' are passed over, and so is a line that does
// not have five fields or whose coordinates are not numbers. Blanks around fields are ignored.
// A request is looked up by its zip (exact) and, when no place has that zip, by its city (in
// any letter case); the country of the request is not used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

struct Place {
    std::wstring country;
    std::wstring zip;
    std::wstring city;
    float latitude = 0;
    float longitude = 0;
};

std::vector<Place> ReadGazetteer(std::string_view fileBytes);

// The first place with this zip, else the first with this city; nullptr when none.
const Place* FindPlace(const std::vector<Place>& places, std::wstring_view zip,
                       std::wstring_view city);

}  // namespace mapwell
