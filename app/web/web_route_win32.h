// The web route's exchange with the batch-geocoding page: the list onto the clipboard, the page
// in the browser, the instruction dialog, and the geocoded text read back into the result file.
#pragma once

#include "app/engine/convert_win32.h"
#include "app/web/web_route.h"

namespace mapwell {

// The web route after the engine's line loop, as the finisher of ConvertWin32. Result lines go
// into `result` in the format in force; collected lines that do not come back go to the run's
// error list. Returns the new RowsConverted.
int FinishWebRoute(WebCollection& rows, ResultFile& result, ErrorList& errors,
                   ConvertWin32& surroundings);

// The user's regional number format, as the coordinate test reads it.
RegionalNumberFormat SystemNumberFormat(RunSettings& surroundings);

}  // namespace mapwell
