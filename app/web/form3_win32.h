// Form3, the instruction dialog of the web route: it tells the user what to do on the geocoding
// page and holds the conversion until the user closes it.
#pragma once

#include <windows.h>

#include <string>

namespace mapwell {

// Control ids of Form3, for anyone who drives the dialog from outside.
inline constexpr int kForm3Label1 = 101;
inline constexpr int kForm3Command1 = 102;  // "Import"
inline constexpr int kForm3Command2 = 103;  // "Cancel"

// Shows Form3 modally over `mainWindow` with `caption` and `instruction` in Label1. While it is
// open the dialog stands topmost at the screen's left edge and the main window waits off the
// screen to the right. "Import", "Cancel" and the close box all just close it.
void ShowForm3(HWND mainWindow, const std::wstring& caption, const std::wstring& instruction);

}  // namespace mapwell
