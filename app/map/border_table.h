// The country borders that the map draws: Natural Earth's 1:50m countries (public domain),
// clipped to Europe, generated at build time by borders_table.py from the npm package
// world-atlas. Platform-neutral.
#pragma once

#include <cstdint>

namespace mapwell {

// A point of the table is (x, y) in grid units from the region's south-west corner:
// longitude = west + x * lonStep, latitude = south + y * latStep.
struct BorderGrid {
    double West, South, LonStep, LatStep;
};

struct BorderCountry {
    int IsoNumber;  // ISO 3166-1 numeric; 0 for the few the source gives none
    const char* Name;
    int FirstRing, RingCount;
};

// A closed ring of points (the last joins the first): an outline or a hole.
struct BorderRing {
    int FirstPoint, PointCount;
};

extern const BorderGrid kBorderGrid;
extern const BorderCountry kBorderCountries[];
extern const int kBorderCountryCount;
extern const BorderRing kBorderRings[];
extern const int kBorderRingCount;
extern const std::uint16_t kBorderPoints[];  // x, y of each point in turn

}  // namespace mapwell
