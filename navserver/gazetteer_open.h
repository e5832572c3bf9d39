// The gazetteer that NavServer.exe reads at start: a compact gazetteer, or a damaged file, which
// it names in its window and on its output and which answers every request with
// kGazetteerDamaged.
#pragma once

#include "navserver/gazetteer_file.h"
#include "navserver/stand_in.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

struct OpenedGazetteer {
    std::optional<GazetteerFile> compact;
    // A file that is not a whole compact gazetteer (missing, empty, cut, other bytes): the
    // answer to every request, and the notice that says so ("The gazetteer
    // C:\maps\gazetteer.dat is damaged. ...").
    std::optional<PlaceMatch> damaged;
    std::wstring notice;
};

// The gazetteer in `bytes`, the whole file at `path`.
OpenedGazetteer OpenGazetteer(std::wstring_view path, std::vector<std::uint8_t> bytes);

}  // namespace mapwell
