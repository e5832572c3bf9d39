// Mapwell's entry point: registers the common controls, creates the main window and runs the
// message loop until the window is gone; with /convert, converts lists without showing it.
#include "app/window/command_line_win32.h"
#include "app/window/main_window_win32.h"
#include "app/engine/events_win32.h"
#include "app/web/web_route_win32.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);

    const mapwell::ParsedCommandLine command =
        mapwell::ParseCommandLine(mapwell::CommandLineArguments());
    if (command.Convert) {
        return mapwell::RunCommandLine(instance, command);
    }

    mapwell::ImportWindow state;
    state.FinishWebRoute = mapwell::FinishWebRoute;
    if (!mapwell::CreateImportWindow(instance, state, show)) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        mapwell::HandleMessage(message);
    }
    return static_cast<int>(message.wParam);
}
