// The map window: the points of the last result over the country borders, the failed lines
// beside them, a point's line shown while the mouse rests on it. Modeless and resizable.
#pragma once

#include "app/map/map_scene.h"

#include <windows.h>

#include <string>

namespace mapwell {

// Opens the map of `scene` owned by `owner`, replacing a map window that is already open;
// `resultName` goes into the caption. Null when the window cannot be created.
HWND ShowMapWindow(HWND owner, MapScene scene, const std::wstring& resultName);

}  // namespace mapwell
