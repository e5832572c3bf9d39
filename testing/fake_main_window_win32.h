// A hidden stand-in of the main window with the controls that a conversion reads and writes,
// for the engine's and the web route's Windows tests and the throughput benchmark. Not part
// of the program.
#pragma once

#include "app/engine/convert_win32.h"
#include "support/controls_win32.h"
#include "support/window_class_win32.h"

#include <windows.h>

#include <string>

namespace mapwell {

class MainWindowControls {
public:
    // `procedure` handles the main window's own messages; its class is registered once under
    // `windowClass`.
    explicit MainWindowControls(const wchar_t* windowClass = L"MapwellConvertHost",
                                WNDPROC procedure = DefWindowProcW) {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        RegisterWindowClass(instance, {windowClass, procedure});
        controls.MainWindow = CreateWindowExW(0, windowClass, L"Mapwell", WS_OVERLAPPEDWINDOW, 0, 0,
                                              400, 300, nullptr, nullptr, instance, nullptr);
        controls.ExportFileTxt = Child(L"EDIT", L"", 0);
        controls.TxtSep = Child(L"EDIT", L",", 0);
        controls.Option1 = Child(L"BUTTON", L"ASC", BS_AUTORADIOBUTTON | WS_GROUP);
        controls.Option2 = Child(L"BUTTON", L"CSV", BS_AUTORADIOBUTTON);
        controls.Option3 = Child(L"BUTTON", L"TXT", BS_AUTORADIOBUTTON);
        controls.Info = Child(L"STATIC", L"", 0);
    }
    ~MainWindowControls() { DestroyWindow(controls.MainWindow); }
    MainWindowControls(const MainWindowControls&) = delete;
    MainWindowControls& operator=(const MainWindowControls&) = delete;

    void Check(HWND option) {
        for (HWND each : {controls.Option1, controls.Option2, controls.Option3}) {
            SendMessageW(each, BM_SETCHECK, each == option ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    static std::wstring Text(HWND control) { return WindowTextOf(control); }

    ConvertControls controls;

private:
    HWND Child(const wchar_t* kind, const wchar_t* text, DWORD style) {
        return CreateWindowExW(0, kind, text, WS_CHILD | style, 0, 0, 100, 20, controls.MainWindow,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    }
};

}  // namespace mapwell
