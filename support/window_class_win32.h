// The program's own window classes: each registered once per process, from one description.
#pragma once

#include <windows.h>

namespace mapwell {

struct WindowClassSpec {
    const wchar_t* name;
    WNDPROC procedure;
    HBRUSH background = nullptr;  // a system colour brush, reinterpret_cast<HBRUSH>(COLOR_... + 1)
    HICON icon = nullptr;
    UINT style = 0;  // CS_DBLCLKS for a window that takes double clicks
};

// Registers the class with the arrow cursor, unless this module has registered it already.
void RegisterWindowClass(HINSTANCE instance, const WindowClassSpec& spec);

}  // namespace mapwell
