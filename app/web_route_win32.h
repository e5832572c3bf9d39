// The web route's exchange with the batch-geocoding page: the list onto the clipboard, the page
// in the browser, the instruction dialog, and the geocoded text read back into the result file.
#pragma once

#include "app/web_route.h"

#include <windows.h>

#include <functional>
#include <string>

namespace mapwell {

// What the exchange needs of the main window.
struct WebRouteWindow {
    HWND mainWindow = nullptr;  // owns the dialog and the clipboard; leaves the screen meanwhile
    std::function<void(const std::wstring&)> showInfo;  // the status label Info
};

// Runs the exchange after the engine's line loop and writes what comes back. Returns the new
// RowsConverted: the number of result lines written.
int FinishWebRoute(const WebCollection& collection, const WebRouteWindow& window,
                   WebResultWriter& writer, ErrorList& errors);

// The user's regional number format, as the coordinate test reads it.
RegionalNumberFormat SystemNumberFormat();

}  // namespace mapwell
