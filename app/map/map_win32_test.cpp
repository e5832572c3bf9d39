// The map as drawn: points where the projection puts them, red exactly for the lines outside
// their country; the window's lists, a point's line under the mouse, and the wiring of clicks,
// the list, the wheel and the double click (their arithmetic is tested natively).
#include "app/map/map_picture_win32.h"
#include "app/map/map_window_win32.h"
#include "testing/test_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace mapwell {
namespace {

namespace td = test;

const std::vector<ConvertedPoint> kPoints = {
    {47.5596, 7.5886, L"Kunde Basel;Deutschland", L"Deutschland",
     L"street level: Basel"},  // outside
    {47.6156, 7.6614, L"Kunde L\u00F6rrach;D", L"D", L"street level: L\u00F6rrach, DE"},
    {47.3769, 8.5417, L"Kunde Z\u00FCrich;Schweiz", L"Schweiz", L"city level: Z\u00FCrich, CH"},
    {48.1370, 11.5750, L"Kunde M\u00FCnchen;A", L"A", L""},  // outside
    {48.2082, 16.3738, L"Kunde Wien;", L"", L"postcode level: 1010 Wien, AT"},
};

// The picture of /map in one colour; the window's by precision. Red in both exactly for the
// points outside their country.
TEST(MapPicture, PointsLandWhereTheProjectionPutsThemAndRedOnesAreCounted) {
    const MapScene scene(kPoints, {});
    constexpr int kWidth = 640, kHeight = 480;
    MapCanvas canvas(kWidth, kHeight);
    ASSERT_TRUE(canvas.Valid());
    const MapView view(scene.Bounds(), kWidth, kHeight, MapMargin(kWidth, kHeight));
    for (const bool explored : {false, true}) {
        if (explored) {
            canvas.RenderExplored(scene, view, -1);
        } else {
            canvas.Render(scene, view);
        }
        int red = 0;
        for (const MapMark& mark : scene.Marks()) {
            const COLORREF colour = mark.Outside ? kOutsideColour
                                    : explored   ? PrecisionColour(mark.Kind)
                                                 : kMarkColour;
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
    }
    EXPECT_EQ(scene.OutsideCount(), 2);
}

// The map's tip window: of the tip windows (the list of lines has one too), the one that
// knows the map's tool.
HWND MapTip(HWND window, TOOLINFOW& tool) {
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = 1;
    for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
         tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
            return tip;
        }
    }
    return nullptr;
}

// The tip's text once the mouse rests at (x, y) of the map. The text is read, not whether the
// tip shows: the real pointer is elsewhere, so the window is told at once that it has left.
std::wstring TipAt(HWND window, long x, long y) {
    TOOLINFOW tool{};
    HWND tip = MapTip(window, tool);
    wchar_t text[200] = {};
    tool.lpszText = text;
    SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    PostMessageW(window, WM_MOUSELEAVE, 0, 0);
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    td::PumpUntil([&] {
        SendMessageW(tip, TTM_GETTEXTW, 200, reinterpret_cast<LPARAM>(&tool));
        return text[0] != 0;
    });
    return text;
}

TEST(MapWindow, ListsTheLinesAndFindsAPointByItsLineAndALineByItsPoint) {
    HWND window =
        ShowMapWindow(nullptr, MapScene(kPoints, {L"a;failed", L"b;failed"}), L"kunden_Geo.csv");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(td::Caption(window), L"Mapwell - Map of kunden_Geo.csv");
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    HWND failed = FindWindowExW(window, nullptr, L"LISTBOX", nullptr);
    EXPECT_EQ(SendMessageW(failed, LB_GETCOUNT, 0, 0), 2);
    HWND lines = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_EQ(ListView_GetItemCount(lines), 5);
    wchar_t line[100] = {};
    ListView_GetItemText(lines, 2, 0, line, 100);
    EXPECT_STREQ(line, L"Kunde Z\u00FCrich;Schweiz");

    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - 260 - 6, height = client.bottom;
    const MapView view(MapScene(kPoints, {}).Bounds(), width, height, MapMargin(width, height));
    const Pixel wien = view.ToPixel(48.2082, 16.3738), loerrach = view.ToPixel(47.6156, 7.6614);
    EXPECT_EQ(TipAt(window, std::lround(wien.X) + 2, std::lround(wien.Y) - 1),
              L"Kunde Wien;\r\npostcode level: 1010 Wien, AT");

    // A click on a point selects its line.
    const LPARAM onLoerrach = MAKELPARAM(std::lround(loerrach.X), std::lround(loerrach.Y));
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, onLoerrach);
    PostMessageW(window, WM_LBUTTONUP, 0, onLoerrach);
    EXPECT_TRUE(td::PumpUntil([&] { return ListView_GetNextItem(lines, -1, LVNI_SELECTED) == 1; }));

    // Choosing a line puts its point in the middle; the wheel zooms about the pointer there.
    ListView_SetItemState(lines, 4, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(TipAt(window, width / 2, height / 2).substr(0, 11), L"Kunde Wien;");
    POINT middle{width / 2, height / 2};
    ClientToScreen(window, &middle);
    PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA),
                 MAKELPARAM(middle.x, middle.y));
    MapView zoomed = view;
    zoomed.CentreOn(48.2082, 16.3738);
    zoomed.ZoomAbout(1.25 * 1.25 * 1.25, width / 2, height / 2);
    const Pixel muenchen = zoomed.ToPixel(48.1370, 11.5750);
    EXPECT_EQ(TipAt(window, std::lround(muenchen.X), std::lround(muenchen.Y)),
              L"Kunde M\u00FCnchen;A");

    // A double click fits all points again.
    PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, onLoerrach);
    EXPECT_EQ(TipAt(window, std::lround(loerrach.X), std::lround(loerrach.Y)),
              L"Kunde L\u00F6rrach;D\r\nstreet level: L\u00F6rrach, DE");
    DestroyWindow(window);
}

}  // namespace
}  // namespace mapwell
