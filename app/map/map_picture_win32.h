// The picture of a map: borders drawn with GDI into a bitmap of our own, the points set into its
// pixels directly (ten thousand of them in a few milliseconds), the count and the data credit on
// top. The map window shows it; /map writes it as a PNG file.
#pragma once

#include "app/map/map_scene.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace mapwell {

constexpr COLORREF kMarkColour = RGB(0, 84, 196);
constexpr COLORREF kOutsideColour = RGB(220, 0, 0);
constexpr COLORREF kChosenColour = RGB(255, 200, 0);
// The colour of a point inside its country, by its precision, on the window's map.
COLORREF PrecisionColour(Precision kind);
constexpr wchar_t kBorderCredit[] = L"Borders: Natural Earth (public domain)";

class MapCanvas {
public:
    MapCanvas(int width, int height);
    ~MapCanvas();
    MapCanvas(const MapCanvas&) = delete;
    MapCanvas& operator=(const MapCanvas&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_; }
    // The picture of a result: its points in one colour, those outside their country red and
    // counted. The window's map colours them by precision under a legend and rings the marked
    // point (`chosen`, -1 for none).
    void Render(const MapScene& scene, const MapView& view);
    void RenderExplored(const MapScene& scene, const MapView& view, int chosen);
    COLORREF PixelAt(int x, int y) const;
    // The picture as 8-bit RGB rows, top row first.
    std::string Rgb() const;

private:
    void DrawBackground(const MapView& view);
    void DrawLegend(const MapScene& scene);
    void SetMark(const Pixel& centre, COLORREF colour, int radius = 3);
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Writes the map of `scene`, `width` x `height` pixels, to a PNG file; false when it cannot.
bool WriteMapPicture(const MapScene& scene, const std::wstring& path, int width, int height);

}  // namespace mapwell
