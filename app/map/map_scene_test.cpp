#include "app/map/map_scene.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

#include <cmath>

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
        points.push_back({c.lat, c.lon, L"line", c.country, L"city level: x"});
    }
    const MapScene scene(points, {});
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(scene.Marks()[i].Outside, cases[i].outside) << i;
    }
    EXPECT_EQ(scene.OutsideCount(), 2);
    EXPECT_EQ(OutsideSummary(2), L"2 points lie outside the country their line names");
}

TEST(MapScene, FittedWithAMargin) {
    const MapScene scene({{47.0, 5.0, L"a", L"", L""}, {48.0, 11.0, L"b", L"", L""}}, {});
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

TEST(MapScene, PointsAreCountedByTheirAnswersPrecisionAndOutsideOnesApart) {
    const struct {
        const wchar_t* answer;
        Precision kind;
    } cases[] = {
        {L"street level: Hauptstr. 5, 10115 Berlin, DE", Precision::Street},
        {L"district level: 13597 Spandau, DE", Precision::District},
        {L"Postcode level: 10115 Berlin, DE", Precision::Postcode},
        {L"town level: Berlin, DE", Precision::Town},
        {L"city level: Berlin, DE", Precision::Town},
        {L"found: Berlin", Precision::Unknown},
        {L"", Precision::Unknown},
    };
    std::vector<ConvertedPoint> points;
    for (const auto& c : cases) {
        EXPECT_EQ(PrecisionOfAnswer(c.answer), c.kind) << c.answer;
        points.push_back({52.52, 13.40, L"line", L"DE", c.answer});
    }
    points.push_back({48.2082, 16.3738, L"Wien placed in Germany's list", L"DE",
                      L"postcode level: 1010 Wien, AT"});
    const MapScene scene(points, {});
    std::vector<std::wstring> texts;
    for (const LegendEntry& entry : MapLegend(scene)) {
        texts.push_back(entry.Text);
    }
    EXPECT_EQ(texts,
              (std::vector<std::wstring>{
                  L"street level: 1", L"district level: 1", L"postcode level: 1", L"town level: 2",
                  L"no precision given: 2", L"1 point lies outside the country its line names"}));
    EXPECT_TRUE(MapLegend(scene).back().Outside);
}

// Two points 6 degrees apart on a map of 400 x 300 pixels.
struct Explored : ::testing::Test {
    double Fitted() const { return MapView(scene.Bounds(), 400, 300, MapMargin(400, 300)).Scale(); }
    const MapScene scene{{{47.0, 5.0, L"a", L"", L""}, {48.0, 11.0, L"b", L"", L""}}, {}};
    MapExplorer map{scene, 400, 300};
    Pixel At(int mark) const {
        const MapMark& m = scene.Marks()[static_cast<std::size_t>(mark)];
        return map.View().ToPixel(m.Latitude, m.Longitude);
    }
};

TEST_F(Explored, TheWheelZoomsAboutThePointerAndDraggingPans) {
    const Pixel before = At(1);
    map.Wheel(2, before.X, before.Y);
    EXPECT_NEAR(map.View().Scale(), Fitted() * 1.5625, 1e-6);
    EXPECT_NEAR(At(1).X, before.X, 1e-6);  // the point under the pointer stays there
    EXPECT_NEAR(At(1).Y, before.Y, 1e-6);
    const Pixel other = At(0);
    map.Drag(30, -12);
    EXPECT_NEAR(At(0).X, other.X + 30, 1e-6);
    EXPECT_NEAR(At(0).Y, other.Y - 12, 1e-6);
    // Resizing a moved map keeps its scale; a double click fits it to the new size.
    const double scale = map.View().Scale();
    map.Resize(800, 600);
    EXPECT_EQ(map.View().Scale(), scale);
    map.FitAll();
    EXPECT_NEAR(At(0).X, MapMargin(800, 600), 0.01);
    EXPECT_NEAR(At(1).X, 800 - MapMargin(800, 600), 0.01);
}

TEST_F(Explored, ZoomStopsAtItsLimits) {
    map.Wheel(-40, 200, 150);
    EXPECT_NEAR(map.View().Scale(), Fitted() / 4, 1e-6);
    map.Wheel(400, 200, 150);
    EXPECT_NEAR(map.View().Scale(), 120000, 1e-6);
    EXPECT_TRUE(std::isfinite(At(0).X));
}

TEST_F(Explored, ChoosingALineCentresAndMarksItsPointChoosingAPointMarksIt) {
    map.ChooseLine(0);
    EXPECT_EQ(map.Selected(), 0);
    EXPECT_NEAR(At(0).X, 200, 1e-6);
    EXPECT_NEAR(At(0).Y, 150, 1e-6);
    const Pixel b = At(1);
    EXPECT_EQ(map.ChoosePointAt(b.X - 3, b.Y + 2), 1);
    EXPECT_EQ(map.Selected(), 1);
    EXPECT_NEAR(At(1).X, b.X, 1e-6);  // choosing a point does not move the map
    EXPECT_EQ(map.ChoosePointAt(b.X - 30, b.Y), -1);
    EXPECT_EQ(map.Selected(), -1);
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
