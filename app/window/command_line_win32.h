// Mapwell.exe /convert on Windows: the main window, hidden, converts the lists through the
// navigation program link and the conversion engine, and reports on the console.
#pragma once

#include "app/window/command_line.h"

#include <windows.h>

#include <string>
#include <vector>

namespace mapwell {

// The program's arguments after its own name.
std::vector<std::wstring> CommandLineArguments();

// Runs a command line that ParseCommandLine took as a conversion; returns the exit code.
int RunCommandLine(HINSTANCE instance, const ParsedCommandLine& command);

}  // namespace mapwell
