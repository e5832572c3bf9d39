// What the main window needs from the navigation link and the conversion engine, in one place:
// starting the link, the announce command, and one conversion run over the window's controls.
#pragma once

#include <windows.h>

#include <string>

namespace mapwell {

// The main window's controls and state that a conversion run reads and writes.
struct ConversionControls {
    HWND window = nullptr;
    HWND ExportFileTxt = nullptr;
    HWND TxtSep = nullptr;
    HWND Option1 = nullptr;
    HWND Option2 = nullptr;
    HWND Option3 = nullptr;
    HWND Info = nullptr;
};

// Hooks the window for the navigation program's messages and starts the detection timer.
void StartLink(HWND window);

// Announces the program to a navigation program (command 0).
void Announce();

// Converts `source` through the profile `profileName`; returns when the list is done or, soon
// after `stopRequested` became true, with every line converted so far written.
bool ConvertList(const ConversionControls& controls, const std::wstring& source,
                 const std::wstring& profileName, volatile bool& stopRequested);

}  // namespace mapwell
