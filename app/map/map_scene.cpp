#include "app/map/map_scene.h"

#include "app/map/border_table.h"
#include "app/map/map_format.h"
#include "support/country_names.h"
#include "support/encoding/line_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace mapwell {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kSmallestSpan = 0.2;  // degrees: the box around a single point
constexpr double kKmPerDegree = 111.2;
// The 1:50m outlines cut corners: a harbour town's centre may fall a few hundred metres into
// the sea (Copenhagen's does). A point this close to its country still counts as inside.
constexpr double kBorderToleranceKm = 1.5;
// The user may zoom out to a quarter of the fitted scale, and in to about a metre a pixel.
constexpr double kZoomOutLimit = 0.25;
constexpr double kMostPixelsPerDegree = 120000;
constexpr double kZoomPerNotch = 1.25;
constexpr double kHitRadius = 6;

// ISO 3166-1 numeric codes of the countries Mapwell knows by name or code.
constexpr struct {
    const char* iso2;
    int number;
} kIsoNumbers[] = {{"DE", 276}, {"AT", 40},  {"CH", 756}, {"LI", 438}, {"LU", 442}, {"IT", 380},
                   {"FR", 250}, {"NL", 528}, {"BE", 56},  {"DK", 208}, {"PL", 616}, {"CZ", 203}};

double LonOf(int point) {
    return kBorderGrid.West + kBorderPoints[2 * point] * kBorderGrid.LonStep;
}
double LatOf(int point) {
    return kBorderGrid.South + kBorderPoints[2 * point + 1] * kBorderGrid.LatStep;
}

}  // namespace

int BorderCountryNamed(std::wstring_view text) {
    const int known = FindCountry(text);
    if (known < 0) {
        return -1;
    }
    for (const auto& iso : kIsoNumbers) {
        if (std::string_view(iso.iso2) != kCountries[known].iso2) {
            continue;
        }
        for (int i = 0; i < kBorderCountryCount; ++i) {
            if (kBorderCountries[i].IsoNumber == iso.number) {
                return i;
            }
        }
    }
    return -1;
}

bool InBorderCountry(int country, double latitude, double longitude) {
    const BorderCountry& c = kBorderCountries[country];
    const double kx = std::cos(latitude * kPi / 180) * kKmPerDegree;
    bool inside = false;
    double nearest = kBorderToleranceKm * kBorderToleranceKm;
    bool near = false;
    for (int r = c.FirstRing; r < c.FirstRing + c.RingCount; ++r) {
        const BorderRing& ring = kBorderRings[r];
        for (int i = 0, j = ring.PointCount - 1; i < ring.PointCount; j = i++) {
            const int a = ring.FirstPoint + i, b = ring.FirstPoint + j;
            const double ya = LatOf(a), yb = LatOf(b);
            if ((ya > latitude) != (yb > latitude)) {
                const double x = LonOf(a) + (latitude - ya) * (LonOf(b) - LonOf(a)) / (yb - ya);
                if (longitude < x) {
                    inside = !inside;
                }
            }
            // The distance to the edge in km, the point at the origin.
            const double ax = (LonOf(a) - longitude) * kx, ay = (ya - latitude) * kKmPerDegree;
            const double dx = (LonOf(b) - longitude) * kx - ax,
                         dy = (yb - latitude) * kKmPerDegree - ay;
            const double length = dx * dx + dy * dy;
            const double t = length > 0 ? std::clamp(-(ax * dx + ay * dy) / length, 0.0, 1.0) : 0;
            const double ex = ax + t * dx, ey = ay + t * dy;
            near = near || ex * ex + ey * ey <= nearest;
        }
    }
    return inside || near;
}

Precision PrecisionOfAnswer(std::wstring_view answer) {
    const std::wstring_view word = AnswerPrecision(answer);
    if (word == L"street level") {
        return Precision::Street;
    }
    if (word == L"district level") {
        return Precision::District;
    }
    if (word == L"postcode level") {
        return Precision::Postcode;
    }
    return word.empty() ? Precision::Unknown : Precision::Town;
}

MapScene::MapScene(const std::vector<ConvertedPoint>& points, std::vector<std::wstring> failedLines)
    : failed_(std::move(failedLines)) {
    marks_.reserve(points.size());
    for (const ConvertedPoint& p : points) {
        const int country = BorderCountryNamed(p.Country);
        const bool outside = country >= 0 && !InBorderCountry(country, p.Latitude, p.Longitude);
        const Precision kind = PrecisionOfAnswer(p.Answer);
        outside_ += outside ? 1 : 0;
        counts_[static_cast<int>(kind)] += outside ? 0 : 1;
        marks_.push_back({p.Latitude, p.Longitude, p.Line, p.Answer, kind, outside});
    }
}

std::vector<LegendEntry> MapLegend(const MapScene& scene) {
    static constexpr const wchar_t* kNames[kPrecisionKinds] = {L"street level", L"district level",
                                                               L"postcode level", L"town level",
                                                               L"no precision given"};
    std::vector<LegendEntry> legend;
    for (int k = 0; k < kPrecisionKinds; ++k) {
        const auto kind = static_cast<Precision>(k);
        if (scene.CountOf(kind) > 0) {
            legend.push_back(
                {kind, false,
                 kNames[k] + std::wstring(L": ") + std::to_wstring(scene.CountOf(kind))});
        }
    }
    if (scene.OutsideCount() > 0) {
        legend.push_back({Precision::Unknown, true, OutsideSummary(scene.OutsideCount())});
    }
    return legend;
}

GeoBox MapScene::Bounds() const {
    if (marks_.empty()) {
        return {47, 5, 55, 15};
    }
    GeoBox box{90, 180, -90, -180};
    for (const MapMark& m : marks_) {
        box.South = std::min(box.South, m.Latitude);
        box.North = std::max(box.North, m.Latitude);
        box.West = std::min(box.West, m.Longitude);
        box.East = std::max(box.East, m.Longitude);
    }
    return box;
}

std::wstring OutsideSummary(int count) {
    if (count == 0) {
        return {};
    }
    return count == 1
               ? L"1 point lies outside the country its line names"
               : std::to_wstring(count) + L" points lie outside the country their line names";
}

std::vector<std::wstring> ReadFailedLines(const std::filesystem::path& errorList) {
    std::vector<std::wstring> lines;
    ByteFile file(errorList, ByteFile::Mode::Read);
    if (!file.IsOpen()) {
        return lines;
    }
    // Written in UTF-8 after a mark when a UTF-8 or UTF-16 list failed into it.
    LineReader reader(file.Get());
    const SourceEncoding encoding = reader.ReadEncoding();
    while (!reader.AtEnd()) {
        const std::string raw = reader.ReadLine(4096);
        if (!raw.empty() || !reader.AtEnd()) {
            lines.push_back(DecodeListLine(raw, encoding));
        }
    }
    return lines;
}

MapView::MapView(const GeoBox& box, int width, int height, int margin)
    : width_(width), height_(height) {
    midLat_ = (box.South + box.North) / 2;
    midLon_ = (box.West + box.East) / 2;
    lonFactor_ = std::cos(midLat_ * kPi / 180);
    const double spanX = std::max((box.East - box.West) * lonFactor_, kSmallestSpan);
    const double spanY = std::max(box.North - box.South, kSmallestSpan);
    scale_ = std::max(std::min((width - 2 * margin) / spanX, (height - 2 * margin) / spanY), 1e-6);
    fittedScale_ = scale_;
}

Pixel MapView::ToPixel(double latitude, double longitude) const {
    return {width_ / 2.0 + (longitude - midLon_) * lonFactor_ * scale_,
            height_ / 2.0 - (latitude - midLat_) * scale_};
}

Place MapView::ToPlace(double x, double y) const {
    return {midLat_ - (y - height_ / 2.0) / scale_,
            midLon_ + (x - width_ / 2.0) / (lonFactor_ * scale_)};
}

void MapView::ZoomAbout(double factor, double x, double y) {
    const Place fixed = ToPlace(x, y);
    scale_ = std::clamp(scale_ * factor, fittedScale_ * kZoomOutLimit,
                        std::max(kMostPixelsPerDegree, fittedScale_));
    midLat_ = fixed.Latitude + (y - height_ / 2.0) / scale_;
    midLon_ = fixed.Longitude - (x - width_ / 2.0) / (lonFactor_ * scale_);
}

void MapView::PanBy(double dx, double dy) {
    CentreOn(midLat_ + dy / scale_, midLon_ - dx / (lonFactor_ * scale_));
}

void MapView::CentreOn(double latitude, double longitude) {
    // Beyond the poles and the date line lies nothing to show.
    midLat_ = std::clamp(latitude, -90.0, 90.0);
    midLon_ = std::clamp(longitude, -180.0, 180.0);
}

void MapView::Resize(int width, int height) {
    width_ = width;
    height_ = height;
}

int MapMargin(int width, int height) {
    return std::max(16, std::min(width, height) / 12);
}

int MarkAt(const MapScene& scene, const MapView& view, double x, double y, double radius) {
    int nearest = -1;
    double best = radius * radius;
    const auto& marks = scene.Marks();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const Pixel p = view.ToPixel(marks[i].Latitude, marks[i].Longitude);
        const double d = (p.X - x) * (p.X - x) + (p.Y - y) * (p.Y - y);
        if (d <= best) {
            best = d;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

MapExplorer::MapExplorer(const MapScene& scene, int width, int height)
    : scene_(scene), view_(scene.Bounds(), width, height, MapMargin(width, height)) {}

void MapExplorer::Resize(int width, int height) {
    if (fitted_) {
        view_ = MapView(scene_.Bounds(), width, height, MapMargin(width, height));
    } else {
        view_.Resize(width, height);
    }
}

void MapExplorer::Wheel(double notches, double x, double y) {
    view_.ZoomAbout(std::pow(kZoomPerNotch, notches), x, y);
    fitted_ = false;
}

void MapExplorer::Drag(double dx, double dy) {
    view_.PanBy(dx, dy);
    fitted_ = false;
}

void MapExplorer::FitAll() {
    fitted_ = true;
    Resize(view_.Width(), view_.Height());
}

void MapExplorer::ChooseLine(int mark) {
    if (mark < 0 || static_cast<std::size_t>(mark) >= scene_.Marks().size()) {
        return;
    }
    selected_ = mark;
    const MapMark& m = scene_.Marks()[static_cast<std::size_t>(mark)];
    view_.CentreOn(m.Latitude, m.Longitude);
    fitted_ = false;
}

int MapExplorer::ChoosePointAt(double x, double y) {
    selected_ = MarkAt(scene_, view_, x, y, kHitRadius);
    return selected_;
}

}  // namespace mapwell
