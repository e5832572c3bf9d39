// The map as drawn: points where the projection puts them, red exactly for the lines outside
// their country; the window's list of failed lines and a point's line under the mouse.
#include "app/map/map_picture_win32.h"
#include "app/map/map_window_win32.h"
#include "testing/test_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace mapwell {
namespace {

namespace td = test;

const std::vector<ConvertedPoint> kPoints = {
    {47.5596, 7.5886, L"Kunde Basel;Deutschland", L"Deutschland"},  // outside
    {47.6156, 7.6614, L"Kunde L\u00F6rrach;D", L"D"},
    {47.3769, 8.5417, L"Kunde Z\u00FCrich;Schweiz", L"Schweiz"},
    {48.1370, 11.5750, L"Kunde M\u00FCnchen;A", L"A"},  // outside
    {48.2082, 16.3738, L"Kunde Wien;", L""},
};

TEST(MapPicture, PointsLandWhereTheProjectionPutsThemAndRedOnesAreCounted) {
    const MapScene scene(kPoints, {});
    constexpr int kWidth = 640, kHeight = 480;
    MapCanvas canvas(kWidth, kHeight);
    ASSERT_TRUE(canvas.Valid());
    const MapView view(scene.Bounds(), kWidth, kHeight, MapMargin(kWidth, kHeight));
    canvas.Render(scene, view);
    int red = 0;
    for (const MapMark& mark : scene.Marks()) {
        const COLORREF colour = mark.Outside ? kOutsideColour : kMarkColour;
        const Pixel at = view.ToPixel(mark.Latitude, mark.Longitude);
        // The centre of the mark's pixels near its place.
        double sumX = 0, sumY = 0, count = 0;
        for (int y = static_cast<int>(at.Y) - 8; y <= static_cast<int>(at.Y) + 8; ++y) {
            for (int x = static_cast<int>(at.X) - 8; x <= static_cast<int>(at.X) + 8; ++x) {
                if (x >= 0 && y >= 0 && x < kWidth && y < kHeight &&
                    canvas.PixelAt(x, y) == colour) {
                    sumX += x, sumY += y, ++count;
                }
            }
        }
        ASSERT_GT(count, 0) << mark.Line;
        EXPECT_NEAR(sumX / count, at.X, 2) << mark.Line;
        EXPECT_NEAR(sumY / count, at.Y, 2) << mark.Line;
        const COLORREF centre = canvas.PixelAt(static_cast<int>(std::lround(at.X)),
                                               static_cast<int>(std::lround(at.Y)));
        red += centre == kOutsideColour ? 1 : 0;
    }
    EXPECT_EQ(red, 2);
    EXPECT_EQ(scene.OutsideCount(), 2);
}

TEST(MapWindow, ListsTheFailedLinesAndShowsAPointsLine) {
    HWND window =
        ShowMapWindow(nullptr, MapScene(kPoints, {L"a;failed", L"b;failed"}), L"kunden_Geo.csv");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(td::Caption(window), L"Mapwell - Map of kunden_Geo.csv");
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    HWND list = FindWindowExW(window, nullptr, L"LISTBOX", nullptr);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);

    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - 260 - 6, height = client.bottom;
    const MapView view(MapScene(kPoints, {}).Bounds(), width, height, MapMargin(width, height));
    const Pixel wien = view.ToPixel(48.2082, 16.3738);
    PostMessageW(window, WM_MOUSEMOVE, 0,
                 MAKELPARAM(std::lround(wien.X) + 2, std::lround(wien.Y) - 1));
    HWND tip = nullptr;
    EXPECT_TRUE(td::PumpUntil([&] {
        tip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
        return tip && IsWindowVisible(tip);
    }));
    wchar_t text[200] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 200, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Kunde Wien;");
    DestroyWindow(window);
}

}  // namespace
}  // namespace mapwell
