// The gazetteer that NavServer.exe reads at start: a compact gazetteer, a sample list, or a
// damaged file, which it names in its window and on its output and which answers every request
// with kGazetteerDamaged.
#pragma once

#include "navserver/gazetteer.h"
#include "navserver/gazetteer_file.h"
#include "navserver/place_matcher.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

struct OpenedGazetteer {
    std::optional<GazetteerFile> compact;
    std::vector<Place> sample;
    // A file named *.dat, or one that begins as a compact gazetteer does, that is not a whole
    // one (empty, cut, other bytes) is never read as a sample list: the answer to every
    // request, and the notice that says so ("The gazetteer C:\maps\gazetteer.dat is damaged.
    // ...").
    std::optional<PlaceMatch> damaged;
    std::wstring notice;
};

// The gazetteer in `bytes`, the whole file at `path`.
OpenedGazetteer OpenGazetteer(std::wstring_view path, std::vector<std::uint8_t> bytes);

}  // namespace mapwell
