#include "app/map/map_picture_win32.h"

#include "app/map/border_table.h"
#include "app/map/png_writer.h"
#include "support/byte_file.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mapwell {

namespace {

constexpr COLORREF kSea = RGB(214, 230, 242);
constexpr COLORREF kLand = RGB(246, 244, 236);
constexpr COLORREF kBorder = RGB(150, 150, 150);
constexpr int kChosenRadius = 7;
// The window's points by precision: the coarse ones first, so that the precise are on top.
constexpr Precision kDrawingOrder[] = {Precision::Unknown, Precision::Town, Precision::Postcode,
                                       Precision::District, Precision::Street};

// A bitmap pixel holds blue, green, red from the lowest byte up.
std::uint32_t BitmapPixel(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

void DrawBorders(HDC dc, const MapView& view) {
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (int c = 0; c < kBorderCountryCount; ++c) {
        points.clear();
        counts.clear();
        const BorderCountry& country = kBorderCountries[c];
        for (int r = country.FirstRing; r < country.FirstRing + country.RingCount; ++r) {
            const BorderRing& ring = kBorderRings[r];
            for (int i = ring.FirstPoint; i < ring.FirstPoint + ring.PointCount; ++i) {
                const Pixel p =
                    view.ToPixel(kBorderGrid.South + kBorderPoints[2 * i + 1] * kBorderGrid.LatStep,
                                 kBorderGrid.West + kBorderPoints[2 * i] * kBorderGrid.LonStep);
                points.push_back({std::lround(p.X), std::lround(p.Y)});
            }
            counts.push_back(ring.PointCount);
        }
        PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size()));
    }
}

void DrawNote(HDC dc, const std::wstring& text, int x, int y, COLORREF colour, bool bottom) {
    if (text.empty()) {
        return;
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT box{x, bottom ? y - size.cy - 4 : y, x + size.cx + 8, bottom ? y : y + size.cy + 4};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, colour);
    TextOutW(dc, box.left + 4, box.top + 2, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

COLORREF PrecisionColour(Precision kind) {
    switch (kind) {
    case Precision::Street: return RGB(0, 140, 70);
    case Precision::District: return RGB(0, 150, 160);
    case Precision::Postcode: return kMarkColour;
    case Precision::Town: return RGB(140, 60, 190);
    case Precision::Unknown: break;
    }
    return RGB(110, 110, 110);
}

MapCanvas::MapCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !bitmap_) {
        return;
    }
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
}

MapCanvas::~MapCanvas() {
    if (old_) {
        SelectObject(dc_, old_);
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
    if (dc_) {
        DeleteDC(dc_);
    }
}

void MapCanvas::SetMark(const Pixel& centre, COLORREF colour, int radius) {
    // Far outside the picture (a map zoomed in) nothing is set.
    if (!(centre.X > -radius - 2 && centre.Y > -radius - 2 && centre.X < width_ + radius + 2 &&
          centre.Y < height_ + radius + 2)) {
        return;
    }
    const long cx = std::lround(centre.X), cy = std::lround(centre.Y);
    const std::uint32_t fill = BitmapPixel(colour), rim = BitmapPixel(RGB(255, 255, 255));
    for (long dy = -radius - 1; dy <= radius + 1; ++dy) {
        for (long dx = -radius - 1; dx <= radius + 1; ++dx) {
            const long x = cx + dx, y = cy + dy, d = dx * dx + dy * dy;
            if (x < 0 || y < 0 || x >= width_ || y >= height_ || d > (radius + 1) * (radius + 1)) {
                continue;
            }
            bits_[y * width_ + x] = d <= radius * radius ? fill : rim;
        }
    }
}

void MapCanvas::DrawBackground(const MapView& view) {
    RECT all{0, 0, width_, height_};
    HBRUSH sea = CreateSolidBrush(kSea);
    FillRect(dc_, &all, sea);
    DeleteObject(sea);

    HBRUSH land = CreateSolidBrush(kLand);
    HPEN border = CreatePen(PS_SOLID, 1, kBorder);
    const HGDIOBJ oldBrush = SelectObject(dc_, land);
    const HGDIOBJ oldPen = SelectObject(dc_, border);
    SetPolyFillMode(dc_, ALTERNATE);
    DrawBorders(dc_, view);
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(land);
    DeleteObject(border);
    GdiFlush();
}

void MapCanvas::Render(const MapScene& scene, const MapView& view) {
    if (!Valid()) {
        return;
    }
    DrawBackground(view);
    // Points outside their country last, so that none is hidden under another.
    for (const bool outside : {false, true}) {
        for (const MapMark& mark : scene.Marks()) {
            if (mark.Outside == outside) {
                SetMark(view.ToPixel(mark.Latitude, mark.Longitude),
                        outside ? kOutsideColour : kMarkColour);
            }
        }
    }

    const HGDIOBJ oldFont = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc_, TRANSPARENT);
    DrawNote(dc_, OutsideSummary(scene.OutsideCount()), 4, 4, kOutsideColour, false);
    DrawNote(dc_, kBorderCredit, 4, height_ - 4, RGB(64, 64, 64), true);
    SelectObject(dc_, oldFont);
    GdiFlush();
}

void MapCanvas::RenderExplored(const MapScene& scene, const MapView& view, int chosen) {
    if (!Valid()) {
        return;
    }
    DrawBackground(view);
    for (const Precision kind : kDrawingOrder) {
        const COLORREF colour = PrecisionColour(kind);
        for (const MapMark& mark : scene.Marks()) {
            if (!mark.Outside && mark.Kind == kind) {
                SetMark(view.ToPixel(mark.Latitude, mark.Longitude), colour);
            }
        }
    }
    for (const MapMark& mark : scene.Marks()) {
        if (mark.Outside) {
            SetMark(view.ToPixel(mark.Latitude, mark.Longitude), kOutsideColour);
        }
    }
    if (chosen >= 0 && static_cast<std::size_t>(chosen) < scene.Marks().size()) {
        const MapMark& mark = scene.Marks()[static_cast<std::size_t>(chosen)];
        const Pixel at = view.ToPixel(mark.Latitude, mark.Longitude);
        SetMark(at, kChosenColour, kChosenRadius);
        SetMark(at, mark.Outside ? kOutsideColour : PrecisionColour(mark.Kind));
    }

    const HGDIOBJ oldFont = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc_, TRANSPARENT);
    DrawLegend(scene);
    DrawNote(dc_, kBorderCredit, 4, height_ - 4, RGB(64, 64, 64), true);
    SelectObject(dc_, oldFont);
    GdiFlush();
}

void MapCanvas::DrawLegend(const MapScene& scene) {
    const std::vector<LegendEntry> legend = MapLegend(scene);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    const int line = metrics.tmHeight + 2, dot = line;
    int width = 0;
    for (const LegendEntry& entry : legend) {
        SIZE size{};
        GetTextExtentPoint32W(dc_, entry.Text.c_str(), static_cast<int>(entry.Text.size()), &size);
        width = std::max<int>(width, size.cx);
    }
    RECT box{4, 4, 4 + dot + width + 10, 4 + line * static_cast<int>(legend.size()) + 4};
    FillRect(dc_, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiFlush();
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const LegendEntry& entry = legend[i];
        const COLORREF colour = entry.Outside ? kOutsideColour : PrecisionColour(entry.Kind);
        const int top = box.top + 2 + line * static_cast<int>(i);
        SetMark({box.left + 2.0 + dot / 2.0, top + line / 2.0}, colour);
        SetTextColor(dc_, entry.Outside ? kOutsideColour : RGB(32, 32, 32));
        TextOutW(dc_, box.left + 4 + dot, top + 1, entry.Text.c_str(),
                 static_cast<int>(entry.Text.size()));
    }
}

COLORREF MapCanvas::PixelAt(int x, int y) const {
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string MapCanvas::Rgb() const {
    std::string rgb;
    rgb.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
    for (int i = 0; i < width_ * height_; ++i) {
        rgb += static_cast<char>((bits_[i] >> 16) & 0xFF);
        rgb += static_cast<char>((bits_[i] >> 8) & 0xFF);
        rgb += static_cast<char>(bits_[i] & 0xFF);
    }
    return rgb;
}

bool WriteMapPicture(const MapScene& scene, const std::wstring& path, int width, int height) {
    MapCanvas canvas(width, height);
    if (!canvas.Valid()) {
        return false;
    }
    canvas.Render(scene, MapView(scene.Bounds(), width, height, MapMargin(width, height)));
    const std::string rgb = canvas.Rgb();
    ByteFile file(std::filesystem::path(path), ByteFile::Mode::Create);
    return file.IsOpen() &&
           file.Write(
               EncodePng(width, height, reinterpret_cast<const std::uint8_t*>(rgb.data()))) &&
           file.Close();
}

}  // namespace mapwell
