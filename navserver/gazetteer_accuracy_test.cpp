// How well the full gazetteer finds real addresses: the share of a committed list of addresses
// in Germany, Austria and Switzerland that it places within 10 km of the town's centre, taken
// from sources other than the gazetteer (see testdata/accuracy.csv). It prints the rates and
// every miss. Of the addresses that name a postal town, at least 97% must be found; the others
// name districts, villages and airfields, most of which the data leaves out, and only guard
// the rate measured (10 of 38) from falling. Needs the built gazetteer file; skipped without it.
#include "navserver/place_matcher.h"

#include "navserver/distance.h"

#include "support/byte_file.h"
#include "support/encoding/codepage.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace mapwell {
namespace {

TEST(GazetteerAccuracy, PlacesRealAddressesWithin10Km) {
    std::vector<std::uint8_t> bytes = ReadFileBytes(GAZETTEER_FILE);
    if (bytes.empty()) {
        GTEST_SKIP() << "no gazetteer file at " << GAZETTEER_FILE;
    }
    const auto file = GazetteerFile::Read(std::move(bytes));
    ASSERT_TRUE(file);
    PlaceMatcher matcher(*file);
    struct Tally {
        int addresses = 0, hits = 0;
    } postal, others;
    const std::vector<std::uint8_t> list =
        ReadFileBytes(NAVSERVER_SOURCE_DIR "/testdata/accuracy.csv");
    for (const std::wstring& line :
         SplitText(Utf8ToWide(std::string(list.begin(), list.end())), L"\n")) {
        const std::vector<std::wstring> f = SplitText(line, L";");
        if (line.empty() || line[0] == L'#' || f.size() < 8) {
            continue;
        }
        Tally& tally = f[7] == L"yes" ? postal : others;
        ++tally.addresses;
        // The request record carries the first four characters of the country.
        const PlaceMatch match = matcher.Match(f[0].substr(0, 4), f[1], f[2]);
        const double km = match.status != 0
                              ? -1
                              : DistanceKm(std::stod(f[4]), std::stod(f[5]), match.place.latitude,
                                           match.place.longitude);
        if (km >= 0 && km <= 10) {
            ++tally.hits;
        } else {
            std::printf("miss: %s -> %s (%.1f km)\n", WideToAnsi(line).c_str(),
                        WideToAnsi(match.text).c_str(), km);
        }
    }
    for (const auto& [tally, what] :
         {std::pair{postal, "postal towns"}, {others, "other places"}}) {
        std::printf("%s: %d of %d within 10 km (%.1f%%)\n", what, tally.hits, tally.addresses,
                    tally.addresses ? 100.0 * tally.hits / tally.addresses : 0.0);
    }
    EXPECT_GE(postal.addresses, 200);
    EXPECT_GE(postal.hits * 100, postal.addresses * 97);
    EXPECT_GE(others.hits, 10);
}

}  // namespace
}  // namespace mapwell
