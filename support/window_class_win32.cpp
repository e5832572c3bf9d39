#include "support/window_class_win32.h"

namespace mapwell {

void RegisterWindowClass(HINSTANCE instance, const WindowClassSpec& spec) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, spec.name, &windowClass)) {
        return;
    }
    windowClass.style = spec.style;
    windowClass.lpfnWndProc = spec.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = spec.icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = spec.background;
    windowClass.lpszClassName = spec.name;
    RegisterClassExW(&windowClass);
}

}  // namespace mapwell
