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

// How precisely the navigation program placed a point, by the word its answer begins with;
// "town level" and "city level" alike are a town's centre.
enum class Precision { Street, District, Postcode, Town, Unknown };
constexpr int kPrecisionKinds = 5;
Precision PrecisionOfAnswer(std::wstring_view answer);

struct MapMark {
    double Latitude = 0, Longitude = 0;
    std::wstring Line, Answer;
    Precision Kind = Precision::Unknown;
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
    // The points of one precision that lie inside their country (or name none).
    int CountOf(Precision kind) const { return counts_[static_cast<int>(kind)]; }
    // The points' extent; a small box around the middle of the map's region when there are none.
    GeoBox Bounds() const;

private:
    std::vector<MapMark> marks_;
    std::vector<std::wstring> failed_;
    int outside_ = 0;
    int counts_[kPrecisionKinds] = {};
};

// One line of the map's legend: a kind of point and how many there are. The points outside
// their country come last, as one entry of their own, whatever their precision.
struct LegendEntry {
    Precision Kind;
    bool Outside;
    std::wstring Text;  // "postcode level: 30"
};
std::vector<LegendEntry> MapLegend(const MapScene& scene);

// "3 points lie outside the country their line names"; empty for none.
std::wstring OutsideSummary(int count);

// The lines of the error list, decoded as the source lists are; none when it cannot be read.
std::vector<std::wstring> ReadFailedLines(const std::filesystem::path& errorList);

struct Pixel {
    double X, Y;
};

struct Place {
    double Latitude, Longitude;
};

// A box of places in a rectangle of pixels: equidistant in both directions at the box's middle
// latitude, the box centred and as large as the rectangle allows less `margin` on every side.
// Zooming and panning keep that projection and move or scale it.
class MapView {
public:
    MapView(const GeoBox& box, int width, int height, int margin);
    Pixel ToPixel(double latitude, double longitude) const;
    Place ToPlace(double x, double y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    double Scale() const { return scale_; }  // pixels per degree of latitude

    // Scales by `factor` (within the view's limits) so that the place under (x, y) stays there.
    void ZoomAbout(double factor, double x, double y);
    void PanBy(double dx, double dy);
    void CentreOn(double latitude, double longitude);
    // A rectangle of another size around the same middle, at the same scale.
    void Resize(int width, int height);

private:
    int width_, height_;
    double midLat_, midLon_, lonFactor_, scale_, fittedScale_;
};

// The margin of a map of `width` x `height` pixels.
int MapMargin(int width, int height);

// The index of the mark nearest to (x, y) within `radius` pixels; -1 when none is.
int MarkAt(const MapScene& scene, const MapView& view, double x, double y, double radius);

// What the user of a map window does to it: the wheel zooms about the pointer, dragging pans, a
// double click fits all points again; choosing a line centres its point and marks it, choosing
// a point marks it. The map stays fitted to its points through resizing until the user moves it.
// It reads `scene`, which must outlive it.
class MapExplorer {
public:
    MapExplorer(const MapScene& scene, int width, int height);
    const MapView& View() const { return view_; }
    int Selected() const { return selected_; }  // the marked point; -1 when none

    void Resize(int width, int height);
    // `notches` of the wheel, positive away from the user (zooming in), about (x, y).
    void Wheel(double notches, double x, double y);
    void Drag(double dx, double dy);
    void FitAll();
    void ChooseLine(int mark);
    // The point at (x, y) becomes the marked one (none when there is none); returns it.
    int ChoosePointAt(double x, double y);

private:
    const MapScene& scene_;
    MapView view_;
    int selected_ = -1;
    bool fitted_ = true;
};

}  // namespace mapwell
