// What the map of a result shows, independent of how it is drawn: the converted points with
// their lines and the country check, the failed lines, the projection fitted to the points, and
// the point under the mouse. Platform-neutral.
#pragma once

#include "app/engine/convert_engine.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The index into kBorderCountries of the country a line names, by any name or code that
// Mapwell knows; -1 when it names none that the border table holds.
int BorderCountryNamed(std::wstring_view text);

// True when the place lies inside the borders of kBorderCountries[country], or within 1.5 km of
// them.
bool InBorderCountry(int country, double latitude, double longitude);

struct MapMark {
    double Latitude = 0, Longitude = 0;
    std::wstring Line;
    bool Outside = false;  // outside the country its line names
};

struct GeoBox {
    double South, West, North, East;
};

class MapScene {
public:
    MapScene(const std::vector<ConvertedPoint>& points, std::vector<std::wstring> failedLines);

    const std::vector<MapMark>& Marks() const { return marks_; }
    const std::vector<std::wstring>& Failed() const { return failed_; }
    int OutsideCount() const { return outside_; }
    // The points' extent; a small box around the middle of the map's region when there are none.
    GeoBox Bounds() const;

private:
    std::vector<MapMark> marks_;
    std::vector<std::wstring> failed_;
    int outside_ = 0;
};

// "3 points lie outside the country their line names"; empty for none.
std::wstring OutsideSummary(int count);

// The lines of the error list, decoded as the source lists are; none when it cannot be read.
std::vector<std::wstring> ReadFailedLines(const std::filesystem::path& errorList);

struct Pixel {
    double X, Y;
};

// A box of places in a rectangle of pixels: equidistant in both directions at the box's middle
// latitude, the box centred and as large as the rectangle allows less `margin` on every side.
class MapView {
public:
    MapView(const GeoBox& box, int width, int height, int margin);
    Pixel ToPixel(double latitude, double longitude) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    double midLat_, midLon_, lonFactor_, scale_;
};

// The margin of a map of `width` x `height` pixels.
int MapMargin(int width, int height);

// The index of the mark nearest to (x, y) within `radius` pixels; -1 when none is.
int MarkAt(const MapScene& scene, const MapView& view, double x, double y, double radius);

}  // namespace mapwell
