// The main window `Import`: source and destination selection, output options, the status label,
// "Start Convert" with the batch walk, and "Exit".
#pragma once

#include "app/engine/convert_win32.h"
#include "app/map/map_scene.h"
#include "app/window/main_layout.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mapwell {

class ConvertWin32;

// Everything the main window holds between two events. It belongs to the window: the window
// keeps a pointer to it, and it outlives the window so that a handler interrupted by the
// window's end can still look at `window`, which is then null.
struct ImportWindow {
    HWND window = nullptr;
    HFONT font = nullptr;
    std::array<HWND, IdProgressText - IdFrame1 + 1> controls{};

    std::wstring SourceFile;
    std::wstring StatusText;
    std::wstring ProfileName;
    std::wstring SourceBaseName;
    std::vector<std::wstring> BatchFiles;  // [0] the folder, [1..n] the names
    std::int16_t BatchIndex = 0;           // 1-based position of the loaded file; 0 = no batch
    bool SourceReady = false;
    // The web route after the engine's line loop; Mapwell.exe sets the real exchange.
    ConvertWin32::WebFinisher FinishWebRoute;

    bool Converting = false;
    bool ExitRequested = false;       // "Exit" came during a conversion
    ConvertWin32* Running = nullptr;  // the conversion under way, told to stop by "Exit"

    // The last conversion, for "Show Map": its points and its result file (full path).
    std::vector<ConvertedPoint> MapPoints;
    std::wstring MapResult;

    HWND Control(int id) const { return controls[static_cast<std::size_t>(id - IdFrame1)]; }
};

// Creates the main window for `state`, runs its load step and shows it; null on failure.
HWND CreateImportWindow(HINSTANCE instance, ImportWindow& state, int show);

// The window's controls that a conversion reads and writes.
ConvertControls ConversionControls(const ImportWindow& w);

// The conversion step of "Start Convert": `w.SourceFile` with `w.ProfileName` through
// `surroundings` (built on ConversionControls), the window busy meanwhile. The caller has
// settled the navigation question; the command line calls it directly.
RunOutcome ConvertSource(ImportWindow& w, ConvertWin32& surroundings);

// The map of the last conversion: its points and the failed lines in ConvertError.txt beside
// its result file.
MapScene LastResultMap(const ImportWindow& w);

}  // namespace mapwell
