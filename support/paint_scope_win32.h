// One WM_PAINT's drawing context: BeginPaint on entry, EndPaint however the painting ends, so
// that a failure while drawing never leaves the window's update region unvalidated.
#pragma once

#include <windows.h>

namespace mapwell {

class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace mapwell
