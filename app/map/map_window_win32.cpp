#include "app/map/map_window_win32.h"

#include "app/map/map_picture_win32.h"

#include <commctrl.h>

#include <memory>
#include <optional>

namespace mapwell {

namespace {

constexpr wchar_t kMapClass[] = L"MapwellMap";
constexpr int kSideWidth = 260;
constexpr int kGap = 6;
constexpr int kLabelHeight = 20;
constexpr double kHoverRadius = 6;

struct MapWindow {
    explicit MapWindow(MapScene s) : scene(std::move(s)) {}
    MapScene scene;
    HWND window = nullptr, label = nullptr, list = nullptr, tip = nullptr;
    std::unique_ptr<MapCanvas> canvas;
    std::optional<MapView> view;
    int hovered = -1;
    TOOLINFOW tool{};
};

int MapWidth(const RECT& client) {
    return std::max<int>(1, client.right - kSideWidth - kGap);
}

void OnSize(MapWindow& m, int width, int height) {
    const int mapWidth = std::max(1, width - kSideWidth - kGap);
    MoveWindow(m.label, mapWidth + kGap, kGap, kSideWidth - kGap, kLabelHeight, TRUE);
    MoveWindow(m.list, mapWidth + kGap, kGap + kLabelHeight, kSideWidth - kGap,
               std::max(1, height - 2 * kGap - kLabelHeight), TRUE);
    m.canvas.reset();
    m.view.reset();
    InvalidateRect(m.window, nullptr, FALSE);
}

void OnPaint(MapWindow& m) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m.window, &paint);
    RECT client;
    GetClientRect(m.window, &client);
    const int width = MapWidth(client), height = std::max<int>(1, client.bottom);
    if (!m.canvas || m.canvas->Width() != width || m.canvas->Height() != height) {
        m.canvas = std::make_unique<MapCanvas>(width, height);
    }
    m.view.emplace(m.scene.Bounds(), width, height, MapMargin(width, height));
    m.canvas->Render(m.scene, *m.view);
    BitBlt(dc, 0, 0, width, height, m.canvas->Dc(), 0, 0, SRCCOPY);
    RECT gap{width, 0, width + kGap, client.bottom};
    FillRect(dc, &gap, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(m.window, &paint);
}

void ShowTip(MapWindow& m, int mark, POINT at) {
    if (mark == m.hovered) {
        return;
    }
    m.hovered = mark;
    if (mark < 0) {
        SendMessageW(m.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&m.tool));
        return;
    }
    std::wstring text = m.scene.Marks()[static_cast<std::size_t>(mark)].Line;
    m.tool.lpszText = text.data();
    SendMessageW(m.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&m.tool));
    ClientToScreen(m.window, &at);
    SendMessageW(m.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x + 12, at.y + 12));
    SendMessageW(m.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m.tool));
}

void OnMouseMove(MapWindow& m, int x, int y) {
    if (!m.view) {
        return;
    }
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, m.window, 0};
    TrackMouseEvent(&leave);
    ShowTip(m, MarkAt(m.scene, *m.view, x, y, kHoverRadius), POINT{x, y});
}

void OnCreate(MapWindow& m) {
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring heading =
        L"Failed lines (ConvertError.txt): " + std::to_wstring(m.scene.Failed().size());
    m.label = CreateWindowExW(0, L"STATIC", heading.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                              m.window, nullptr, instance, nullptr);
    m.list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL |
                                 LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                             0, 0, 0, 0, m.window, nullptr, instance, nullptr);
    SendMessageW(m.label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(m.list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const std::wstring& line : m.scene.Failed()) {
        SendMessageW(m.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageW(m.list, LB_SETHORIZONTALEXTENT, 2000, 0);

    m.tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0,
                            0, 0, m.window, nullptr, instance, nullptr);
    m.tool.cbSize = sizeof m.tool;
    m.tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    m.tool.hwnd = m.window;
    m.tool.uId = 1;
    m.tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(m.tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m.tool));
    SendMessageW(m.tip, TTM_SETMAXTIPWIDTH, 0, 600);
}

LRESULT CALLBACK MapProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<MapWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        // The window owns its state from here on and deletes it at its end.
        m = static_cast<std::unique_ptr<MapWindow>*>(
                reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams)
                ->release();
        m->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m));
    }
    if (!m) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        switch (message) {
        case WM_CREATE: OnCreate(*m); return 0;
        case WM_SIZE: OnSize(*m, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_PAINT: OnPaint(*m); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEMOVE:
            OnMouseMove(*m, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_MOUSELEAVE: ShowTip(*m, -1, {}); return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete m;
            return DefWindowProcW(window, message, wParam, lParam);
        default: break;
        }
    } catch (...) {
        // A picture too large for memory stays unpainted; the window stays usable.
        if (message == WM_PAINT) {
            ValidateRect(window, nullptr);
        }
        return message == WM_CREATE ? -1 : 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND ShowMapWindow(HWND owner, MapScene scene, const std::wstring& resultName) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MapProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMapClass;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    RegisterClassExW(&windowClass);

    for (HWND open = FindWindowExW(nullptr, nullptr, kMapClass, nullptr); open;
         open = FindWindowExW(nullptr, nullptr, kMapClass, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(open, &process);
        if (process != GetCurrentProcessId()) {
            break;
        }
        DestroyWindow(open);
    }
    auto state = std::make_unique<MapWindow>(std::move(scene));
    const std::wstring caption = L"Mapwell - Map of " + resultName;
    HWND window = CreateWindowExW(0, kMapClass, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 900, 640, owner, nullptr, instance, &state);
    if (!window) {
        return nullptr;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

}  // namespace mapwell
