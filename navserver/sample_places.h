// The sample list from which the build makes the small gazetteer that tests start the stand-in
// with: ANSI text, one place a line,
//     country;zip;city;latitude;longitude
// for example "DE;10115;Berlin;52.5323;13.3846", decimal degrees with a point. Blank lines and
// lines starting with '#' are passed over, and so is a line that does not have five fields or
// whose coordinates are not numbers. Blanks around fields are ignored.
#pragma once

#include "navserver/gazetteer_file.h"

#include <string_view>
#include <vector>

namespace mapwell {

// The places, filed as the gazetteer builder files a place: under its name, the short spellings
// and first words of its name, and its zip.
std::vector<GazetteerPlace> ReadSamplePlaces(std::string_view fileBytes);

// The zip of a place read so; empty when it has none.
std::string_view ZipOf(const GazetteerPlace& place);

}  // namespace mapwell
