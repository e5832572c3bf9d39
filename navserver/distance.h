// Distances between places, near enough on the scale of towns and postcode areas.
#pragma once

#include <cmath>

namespace mapwell {

inline double DistanceKm(double latitude1, double longitude1, double latitude2, double longitude2) {
    constexpr double kRadians = 3.14159265358979323846 / 180;
    return 6371.0 * kRadians *
           std::hypot(latitude2 - latitude1,
                      (longitude2 - longitude1) * std::cos((latitude1 + latitude2) / 2 * kRadians));
}

}  // namespace mapwell
