// Postcode areas, each with the towns it serves, filed on the gazetteer's places: the postcode
// "86972" becomes a key ("=86972") of the place "Altenstadt" that it serves, so that a request
// with a postcode finds the right one of several towns of one name.
#pragma once

#include "navserver/gazetteer_file.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

struct PostcodeArea {
    std::string postcode;             // digits
    std::vector<std::wstring> towns;  // as the postal data names them
};

// The areas of a JSON object that maps each postcode to its towns:
// {"01067":["Dresden"],"01445":["Radebeul"], ...}. Empty when the text is not of that shape.
std::vector<PostcodeArea> ReadPostcodeAreas(std::string_view json);

// Files each area's postcode on the places of `iso2` that bear its towns' names. A name that
// several places bear goes to the one nearest the middle of the areas whose postcodes begin
// with the same three digits (then two); a place farther than a town's reach from that middle
// gets no postcode, so that a stray name never moves a postcode across the country. Returns
// how many postcodes were filed.
std::size_t FilePostcodes(std::vector<GazetteerPlace>& places,
                          const std::vector<PostcodeArea>& areas, std::string_view iso2);

}  // namespace mapwell
