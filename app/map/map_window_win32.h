// The map window: the points of the last result over the country borders, coloured by their
// precision under a legend; beside them the converted lines and the failed ones. The wheel
// zooms, dragging pans, a double click fits all points; choosing a line centres and marks its
// point, clicking a point selects its line; a point's line and answer show while the mouse rests
// on it. Modeless and resizable.
#pragma once

#include "app/map/map_scene.h"

#include <windows.h>

#include <string>

namespace mapwell {

// Opens the map of `scene` owned by `owner`, replacing a map window that is already open;
// `resultName` goes into the caption. Null when the window cannot be created.
HWND ShowMapWindow(HWND owner, MapScene scene, const std::wstring& resultName);

}  // namespace mapwell
