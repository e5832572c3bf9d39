// A read-only label over the whole client area of NavServer's window.
#include "navserver/credit_win32.h"

namespace mapwell {

void ShowGazetteerCredit(HWND window, const std::wstring& text) {
    RECT client{};
    GetClientRect(window, &client);
    constexpr int kMargin = 8;
    HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                                 kMargin, kMargin, client.right - 2 * kMargin,
                                 client.bottom - 2 * kMargin, window, nullptr, nullptr, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
}

}  // namespace mapwell
