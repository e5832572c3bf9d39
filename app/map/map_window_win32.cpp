#include "app/map/map_window_win32.h"

#include "app/map/map_picture_win32.h"
#include "support/paint_scope_win32.h"
#include "support/window_class_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

namespace mapwell {

namespace {

constexpr wchar_t kMapClass[] = L"MapwellMap";
constexpr int kSideWidth = 260;
constexpr int kGap = 6;
constexpr int kLabelHeight = 20;
constexpr double kHoverRadius = 6;
constexpr int kDragSlop = 3;          // pixels a press may move and still be a click
constexpr int kListTextWidth = 2000;  // long lines scroll sideways

struct MapWindow {
    explicit MapWindow(MapScene s) : scene(std::move(s)) {}
    MapScene scene;
    HWND window = nullptr, convertedLabel = nullptr, converted = nullptr, failedLabel = nullptr,
         failed = nullptr, tip = nullptr;
    std::unique_ptr<MapCanvas> canvas;
    std::optional<MapExplorer> explorer;
    int hovered = -1;
    std::wstring tipText;
    TOOLINFOW tool{};
    bool pressed = false, dragged = false, choosingFromMap = false;
    POINT pressedAt{}, last{};
};

int MapWidth(int clientWidth) {
    return std::max(1, clientWidth - kSideWidth - kGap);
}

HWND SideControl(MapWindow& m, DWORD exStyle, const wchar_t* cls, const std::wstring& text,
                 DWORD style) {
    HWND control = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                                   0, 0, m.window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

void OnSize(MapWindow& m, int width, int height) {
    const int left = MapWidth(width) + kGap, listWidth = kSideWidth - kGap;
    const int lists = std::max(2, height - 2 * kGap - 2 * kLabelHeight);
    const int convertedHeight = lists * 3 / 5, failedTop = kGap + kLabelHeight + convertedHeight;
    MoveWindow(m.convertedLabel, left, kGap, listWidth, kLabelHeight, TRUE);
    MoveWindow(m.converted, left, kGap + kLabelHeight, listWidth, convertedHeight, TRUE);
    MoveWindow(m.failedLabel, left, failedTop, listWidth, kLabelHeight, TRUE);
    MoveWindow(m.failed, left, failedTop + kLabelHeight, listWidth, lists - convertedHeight, TRUE);
    if (m.explorer) {
        m.explorer->Resize(MapWidth(width), std::max(1, height));
    } else {
        m.explorer.emplace(m.scene, MapWidth(width), std::max(1, height));
    }
    InvalidateRect(m.window, nullptr, FALSE);
}

void OnPaint(MapWindow& m) {
    const PaintScope paint(m.window);
    const HDC dc = paint.Dc();
    RECT client;
    GetClientRect(m.window, &client);
    if (m.explorer) {
        const MapView& view = m.explorer->View();
        if (!m.canvas || m.canvas->Width() != view.Width() || m.canvas->Height() != view.Height()) {
            m.canvas.reset();
            m.canvas = std::make_unique<MapCanvas>(view.Width(), view.Height());
        }
        m.canvas->RenderExplored(m.scene, view, m.explorer->Selected());
        BitBlt(dc, 0, 0, view.Width(), view.Height(), m.canvas->Dc(), 0, 0, SRCCOPY);
        RECT gap{view.Width(), 0, view.Width() + kGap, client.bottom};
        FillRect(dc, &gap, GetSysColorBrush(COLOR_BTNFACE));
    }
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
    const MapMark& shown = m.scene.Marks()[static_cast<std::size_t>(mark)];
    m.tipText = shown.Answer.empty() ? shown.Line : shown.Line + L"\r\n" + shown.Answer;
    m.tool.lpszText = m.tipText.data();
    SendMessageW(m.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&m.tool));
    ClientToScreen(m.window, &at);
    SendMessageW(m.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x + 12, at.y + 12));
    SendMessageW(m.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&m.tool));
}

// The map has moved under the pointer: it is redrawn and the tip goes.
void Moved(MapWindow& m) {
    ShowTip(m, -1, {});
    InvalidateRect(m.window, nullptr, FALSE);
}

void OnMouseMove(MapWindow& m, POINT at) {
    if (!m.explorer) {
        return;
    }
    if (m.pressed) {
        m.dragged = m.dragged || std::abs(at.x - m.pressedAt.x) > kDragSlop ||
                    std::abs(at.y - m.pressedAt.y) > kDragSlop;
        if (m.dragged) {
            m.explorer->Drag(at.x - m.last.x, at.y - m.last.y);
            m.last = at;
            Moved(m);
        }
        return;
    }
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, m.window, 0};
    TrackMouseEvent(&leave);
    ShowTip(m, MarkAt(m.scene, m.explorer->View(), at.x, at.y, kHoverRadius), at);
}

void OnButtonDown(MapWindow& m, POINT at) {
    SetFocus(m.window);
    SetCapture(m.window);
    m.pressed = true;
    m.dragged = false;
    m.pressedAt = m.last = at;
}

// A click without a drag chooses the point under it and selects its line.
void OnButtonUp(MapWindow& m, POINT at) {
    const bool click = m.pressed && !m.dragged;
    m.pressed = false;
    ReleaseCapture();
    if (!click || !m.explorer) {
        return;
    }
    const int mark = m.explorer->ChoosePointAt(at.x, at.y);
    m.choosingFromMap = true;
    ListView_SetItemState(m.converted, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (mark >= 0) {
        ListView_SetItemState(m.converted, mark, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(m.converted, mark, FALSE);
    }
    m.choosingFromMap = false;
    InvalidateRect(m.window, nullptr, FALSE);
}

void OnDoubleClick(MapWindow& m) {
    if (m.explorer) {
        m.explorer->FitAll();
        Moved(m);
    }
}

void OnWheel(MapWindow& m, WPARAM wParam, LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m.window, &at);
    if (m.explorer && at.x < m.explorer->View().Width()) {
        m.explorer->Wheel(GET_WHEEL_DELTA_WPARAM(wParam) / static_cast<double>(WHEEL_DELTA), at.x,
                          at.y);
        Moved(m);
    }
}

// The converted lines' list holds no texts of its own: it asks for the ones it shows.
LRESULT OnNotify(MapWindow& m, NMHDR& header) {
    if (header.hwndFrom != m.converted) {
        return 0;
    }
    if (header.code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        const auto& marks = m.scene.Marks();
        if ((item.mask & LVIF_TEXT) && item.iItem >= 0 &&
            static_cast<std::size_t>(item.iItem) < marks.size() && item.cchTextMax > 0) {
            const std::wstring& line = marks[static_cast<std::size_t>(item.iItem)].Line;
            const std::size_t n = std::min<std::size_t>(line.size(), item.cchTextMax - 1);
            std::copy_n(line.data(), n, item.pszText);
            item.pszText[n] = L'\0';
        }
    } else if (header.code == LVN_ITEMCHANGED && !m.choosingFromMap && m.explorer) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
            m.explorer->ChooseLine(change.iItem);
            Moved(m);
        }
    }
    return 0;
}

void OnCreate(MapWindow& m) {
    const auto& marks = m.scene.Marks();
    m.convertedLabel =
        SideControl(m, 0, L"STATIC", L"Converted lines: " + std::to_wstring(marks.size()), 0);
    m.converted = SideControl(m, WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_NOCOLUMNHEADER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = kListTextWidth;
    ListView_InsertColumn(m.converted, 0, &column);
    ListView_SetExtendedListViewStyle(m.converted, LVS_EX_FULLROWSELECT);
    ListView_SetItemCountEx(m.converted, static_cast<int>(marks.size()), LVSICF_NOINVALIDATEALL);

    m.failedLabel = SideControl(
        m, 0, L"STATIC",
        L"Failed lines (ConvertError.txt): " + std::to_wstring(m.scene.Failed().size()), 0);
    m.failed = SideControl(m, WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                           WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
    for (const std::wstring& line : m.scene.Failed()) {
        SendMessageW(m.failed, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageW(m.failed, LB_SETHORIZONTALEXTENT, kListTextWidth, 0);

    m.tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0,
                            0, 0, m.window, nullptr, GetModuleHandleW(nullptr), nullptr);
    m.tool.cbSize = sizeof m.tool;
    m.tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    m.tool.hwnd = m.window;
    m.tool.uId = 1;
    m.tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(m.tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&m.tool));
    SendMessageW(m.tip, TTM_SETMAXTIPWIDTH, 0, 600);
}

POINT At(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

LRESULT Dispatch(MapWindow& m, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(m); return 0;
    case WM_SIZE: OnSize(m, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(m); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE: OnMouseMove(m, At(lParam)); return 0;
    case WM_MOUSELEAVE: ShowTip(m, -1, {}); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(m, At(lParam)); return 0;
    case WM_LBUTTONUP: OnButtonUp(m, At(lParam)); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(m); return 0;
    case WM_CAPTURECHANGED: m.pressed = false; return 0;
    case WM_MOUSEWHEEL: OnWheel(m, wParam, lParam); return 0;
    case WM_NOTIFY: return OnNotify(m, *reinterpret_cast<NMHDR*>(lParam));
    default: return DefWindowProcW(m.window, message, wParam, lParam);
    }
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
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete m;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return Dispatch(*m, message, wParam, lParam);
    } catch (...) {
        // A picture too large for memory stays unpainted; the window stays usable.
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

HWND ShowMapWindow(HWND owner, MapScene scene, const std::wstring& resultName) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWindowClass(instance, {kMapClass, MapProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                   LoadIconW(instance, MAKEINTRESOURCEW(1)), CS_DBLCLKS});

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
