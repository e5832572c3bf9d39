#include "app/map/map_scene.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(MapScene, PointsOutsideTheCountryTheirLineNames) {
    const struct {
        double lat, lon;
        const wchar_t* country;
        bool outside;
    } cases[] = {
        {47.5596, 7.5886, L"CH", false},          // Basel
        {47.5596, 7.5886, L"Deutschland", true},  // Basel placed in Germany's list
        {47.6156, 7.6614, L"D", false},           // Lörrach, a few km away
        {48.1370, 11.5750, L"\u00D6sterreich", true},
        {48.2082, 16.3738, L"A", false},
        {54.3233, 10.1228, L"Germany", false},  // Kiel, on the coast
        {55.6761, 12.5683, L"DK", false},       // Copenhagen, on an island
        {40.4168, -3.7038, L"Spanien", false},  // a country Mapwell does not know by name
        {48.1370, 11.5750, L"", false},
    };
    std::vector<ConvertedPoint> points;
    for (const auto& c : cases) {
        points.push_back({c.lat, c.lon, L"line", c.country});
    }
    const MapScene scene(points, {});
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(scene.Marks()[i].Outside, cases[i].outside) << i;
    }
    EXPECT_EQ(scene.OutsideCount(), 2);
    EXPECT_EQ(OutsideSummary(2), L"2 points lie outside the country their line names");
}

TEST(MapScene, FittedWithAMargin) {
    const MapScene scene({{47.0, 5.0, L"a", L""}, {48.0, 11.0, L"b", L""}}, {});
    const MapView view(scene.Bounds(), 400, 300, 20);
    const Pixel southWest = view.ToPixel(47.0, 5.0), northEast = view.ToPixel(48.0, 11.0);
    // The wider side fills the width less the margins; the map is centred.
    EXPECT_NEAR(southWest.X, 20, 0.01);
    EXPECT_NEAR(northEast.X, 380, 0.01);
    EXPECT_NEAR(southWest.Y + northEast.Y, 300, 0.01);
    EXPECT_GT(southWest.Y, northEast.Y);
    EXPECT_EQ(MarkAt(scene, view, northEast.X + 3, northEast.Y - 2, 6), 1);
    EXPECT_EQ(MarkAt(scene, view, 200, 150, 6), -1);
}

// The side list reads the error list as the conversion wrote it: in UTF-8 after a mark when a
// UTF-8 or UTF-16 list failed into it, else in ANSI.
TEST(MapScene, FailedLinesAreReadInTheErrorListsOwnEncoding) {
    TestFolder folder;
    TestFolder::Put(folder / "ConvertError.txt", "\xEF\xBB\xBFJ\xC3\xBCrgen;x\r\nb\r\n");
    EXPECT_EQ(ReadFailedLines(folder / "ConvertError.txt"),
              (std::vector<std::wstring>{L"J\u00FCrgen;x", L"b"}));
}

}  // namespace
}  // namespace mapwell
