// The result layouts that map programs read: GPX 1.1 waypoints, KML 2.2 placemarks and a GeoJSON
// FeatureCollection of points, each in UTF-8, with a decimal point in every coordinate.
// Platform-neutral.
#pragma once

#include "app/engine/output_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

bool IsMapFormat(OutputFormat format);

// The map format that a destination's extension names (".gpx", ".kml", ".geojson", in any
// letter case); nullopt for every other extension.
std::optional<OutputFormat> MapFormatOfPath(std::wstring_view path);

// The extension of a map format, ".gpx"; empty for the other formats.
std::wstring_view MapExtension(OutputFormat format);

// The parts of a map file: what comes before the first point, one point, and the closing part
// after the last one. `first` tells whether the point is the file's first (GeoJSON separates
// its features by commas). Coordinate texts may carry any one decimal separator; they are
// written with a point. `answer` is the navigation program's text for the line (GeoJSON's
// "answer" property, KML's ExtendedData, after the address in GPX's description), with the
// precision it begins with as a property of its own.
std::string MapOpening(OutputFormat format);
std::string MapPoint(OutputFormat format, const OutputFields& fields, std::wstring_view lat,
                     std::wstring_view lon, bool first, std::wstring_view answer = {});
std::string MapClosing(OutputFormat format);

// A point's name and description as the map layouts show them: the names, else the street,
// else the postcode and city; the address and the further text.
std::wstring MapPointName(const OutputFields& fields);
std::wstring MapPointDescription(const OutputFields& fields);

// The precision a navigation program's answer begins with ("postcode level: 10115 Berlin, DE"
// gives "postcode level"), in any letter case; empty when it begins with none of them.
std::wstring_view AnswerPrecision(std::wstring_view answer);

}  // namespace mapwell
