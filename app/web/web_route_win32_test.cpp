// The web route's Windows side inside one test process: the clipboard and the instruction dialog
// Form3, with a test thread playing the user. The whole exchange runs end to end in
// web_route_e2e_win32_test.cpp.
#include "app/web/clipboard_win32.h"
#include "app/web/form3_win32.h"
#include "app/window/main_window_controls_win32.h"
#include "app/testing/test_win32.h"
#include "app/web/web_route.h"
#include "support/controls_win32.h"
#include "support/twips.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace mapwell {
namespace {

using Facts = std::vector<std::wstring>;
constexpr auto Text = MainWindowControls::Text;

// A stand-in for the main window: visible, at a place of its own and with an icon of its own.
class MainWindow {
public:
    MainWindow() : host_(L"MapwellWebRouteTestMain") {
        SendMessageW(get(), WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_INFORMATION)));
        SetWindowPos(get(), nullptr, 120, 80, 360, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(get(), SW_SHOWNORMAL);
    }
    HWND get() const { return host_.controls.MainWindow; }

private:
    MainWindowControls host_;
};

std::wstring RectText(RECT r) {
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L" " +
           std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top);
}
RECT PlaceIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

enum class CloseBy { Import, Cancel, CloseBox };

// Shows Form3 over `main` while a second thread, playing the user, records what it sees through
// `look` and closes it `how`. GoogleTest assertions stay on this thread.
Facts WhileOpen(MainWindow& main, CloseBy how, Facts (*look)(HWND dialog, HWND main)) {
    Facts seen;
    std::thread user([&] {
        HWND dialog = test::WaitForWindow(GetCurrentProcessId(), [](HWND w) {
            return test::Caption(w) == L"Geocoding" && GetDlgItem(w, kForm3Command2);
        });
        if (!dialog) {
            return;
        }
        seen = look(dialog, main.get());
        if (how == CloseBy::CloseBox) {
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            test::Click(
                GetDlgItem(dialog, how == CloseBy::Import ? kForm3Command1 : kForm3Command2));
        }
    });
    ShowForm3(main.get(), kGeocodingCaption, kGeocodingInstruction);
    user.join();
    return seen;
}

// The dialog's geometry is designed in twips; a label that needs more room than designed for
// the font grows downwards and pushes the buttons and the bottom down with it.
Facts Geometry(HWND dialog, int labelGrowth) {
    const int dpi = WindowDpi(dialog);
    auto px = [&](int l, int t, int w, int h, int down, int taller) {
        const RECT r{TwipsToPixels(l, dpi), TwipsToPixels(t, dpi) + down,
                     TwipsToPixels(l, dpi) + TwipsToPixels(w, dpi),
                     TwipsToPixels(t, dpi) + down + TwipsToPixels(h, dpi) + taller};
        return RectText(r);
    };
    return {px(0, 0, 3270, 4320, 0, labelGrowth), px(90, 90, 3075, 2535, 0, labelGrowth),
            px(90, 2700, 1590, 465, labelGrowth, 0), px(90, 3240, 1590, 465, labelGrowth, 0)};
}

Facts LookAt(HWND dialog, HWND main) {
    HWND label = GetDlgItem(dialog, kForm3Label1);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
    RECT client{}, frame{}, mainPlace{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    GetWindowRect(main, &mainPlace);
    const RECT labelRect = PlaceIn(label, dialog);
    const int growth = labelRect.bottom - labelRect.top - TwipsToPixels(2535, WindowDpi(dialog));
    const bool iconOfMain = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) ==
                            reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_INFORMATION));
    Facts seen{Text(dialog),
               Text(label),
               Text(GetDlgItem(dialog, kForm3Command1)),
               Text(GetDlgItem(dialog, kForm3Command2)),
               std::wstring(font.lfFaceName) + L" " + std::to_wstring(font.lfHeight) + L" " +
                   std::to_wstring(font.lfWeight),
               (GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT ? L"left" : L"?",
               test::ShowsAllItsText(label) && growth >= 0 ? L"shows all" : L"cut",
               std::to_wstring(frame.left) + L"," + std::to_wstring(frame.top),
               (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"topmost" : L"?",
               GetWindow(dialog, GW_OWNER) == main ? L"owned by main" : L"?",
               IsWindowEnabled(main) ? L"main enabled" : L"main disabled",
               iconOfMain ? L"icon of main" : L"?",
               std::to_wstring(mainPlace.left - GetSystemMetrics(SM_CXSCREEN))};
    for (const RECT& r : {client, labelRect, PlaceIn(GetDlgItem(dialog, kForm3Command1), dialog),
                          PlaceIn(GetDlgItem(dialog, kForm3Command2), dialog)}) {
        seen.push_back(RectText(r));
    }
    const Facts designed = Geometry(dialog, growth);
    seen.insert(seen.end(), designed.begin(), designed.end());
    return seen;
}

// Import, Cancel and the close box each just close it and give the main window back.
TEST(Form3, ShowsTheInstructionAsDesignedWhileTheMainWindowWaitsOffTheScreen) {
    MainWindow main;
    const RECT before = PlaceIn(main.get(), nullptr);
    const int font = -MulDiv(9, WindowDpi(main.get()), 72);
    for (CloseBy how : {CloseBy::Import, CloseBy::Cancel, CloseBy::CloseBox}) {
        const Facts seen = WhileOpen(main, how, LookAt);
        ASSERT_EQ(seen.size(), 21u);
        EXPECT_EQ(Facts(seen.begin(), seen.begin() + 13),
                  (Facts{L"Geocoding",
                         L"For auto import close this message after all complete.\r\n\r\n"
                         L"Steps on geocoding site.\r\n"
                         L"1. Paste Clipboard into textarea of Step 2\r\n"
                         L"2. Click 'Validate Source' in Step 3\r\n"
                         L"3. Click 'Run Geocoder' in Step 5\r\n"
                         L"4. Copy textarea of Step 6 into Clipboard\r\n"
                         L"5. Close Internetbrowser\r\n"
                         L"6. Click on 'Import' in this message",
                         L"Import", L"Cancel", L"MS Sans Serif " + std::to_wstring(font) + L" 400",
                         L"left", L"shows all", L"0,50", L"topmost", L"owned by main",
                         L"main disabled", L"icon of main", L"0"}));
        // Measured rectangles (client, label, Import, Cancel) against the designed ones.
        EXPECT_EQ(Facts(seen.begin() + 13, seen.begin() + 17),
                  Facts(seen.begin() + 17, seen.end()));
        EXPECT_EQ(FindWindowW(L"#32770", L"Geocoding"), nullptr);
        EXPECT_EQ(RectText(PlaceIn(main.get(), nullptr)), RectText(before));
        EXPECT_TRUE(IsWindowEnabled(main.get()));
    }
}

template <typename Char> std::basic_string<Char> RawText(UINT format) {
    std::basic_string<Char> text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(format)) {
            text = static_cast<const Char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void PutRaw(UINT format, const char* bytes) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(bytes) + 1);
    std::memcpy(GlobalLock(memory), bytes, std::strlen(bytes) + 1);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
    CloseClipboard();
}

// Putting text on empties the clipboard first and offers ANSI beside Unicode; another program's
// ANSI text reads too, and no text reads as empty.
TEST(Clipboard, TextGoesOnAsUnicodeAndIsOfferedAsAnsiToo) {
    MainWindow main;
    const UINT custom = RegisterClipboardFormatW(L"MapwellTestFormat");
    PutRaw(custom, "stale");
    const std::wstring text = L"Address\tCity\r\nK\u00f6nigsallee 1\tD\u00fcsseldorf\t\t\t1\r\n";
    ASSERT_TRUE(PutClipboardText(main.get(), text));
    EXPECT_EQ(RawText<wchar_t>(CF_UNICODETEXT), text);
    EXPECT_EQ(RawText<char>(CF_TEXT), "Address\tCity\r\nK\xf6nigsallee 1\tD\xfc"
                                      "sseldorf\t\t\t1\r\n");
    EXPECT_FALSE(IsClipboardFormatAvailable(custom));
    PutRaw(CF_TEXT, "bg_lat\r\nx\ty\r\n");
    EXPECT_EQ(ReadClipboardText(nullptr), L"bg_lat\r\nx\ty\r\n");
    PutRaw(custom, "not text");
    EXPECT_EQ(ReadClipboardText(nullptr), L"");
}

}  // namespace
}  // namespace mapwell
