// The result layouts that map programs read: GPX 1.1 waypoints, KML 2.2 placemarks and a GeoJSON
// FeatureCollection of points, each in UTF-8, with a decimal point in every coordinate; and the
// writer that the window plugs into a run for them. Platform-neutral.
#pragma once

#include "app/engine/output_format.h"

#include <string>
#include <string_view>

namespace mapwell {

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

// Writes the parts above into a result file, for both routes of a run.
class MapFileWriter : public MapFileSink {
public:
    bool Opening(ResultFile& file, OutputFormat format) override;
    bool Point(ResultFile& file, OutputFormat format, const OutputFields& fields,
               std::wstring_view lat, std::wstring_view lon, bool first,
               std::wstring_view answer) override;
    bool Closing(ResultFile& file, OutputFormat format) override;
};

// A point's name and description as the map layouts show them: the names, else the street,
// else the postcode and city; the address and the further text.
std::wstring MapPointName(const OutputFields& fields);
std::wstring MapPointDescription(const OutputFields& fields);

// The precision a navigation program's answer begins with ("postcode level: 10115 Berlin, DE"
// gives "postcode level"), in any letter case; empty when it begins with none of them.
std::wstring_view AnswerPrecision(std::wstring_view answer);

}  // namespace mapwell
