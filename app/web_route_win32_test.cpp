// The web route's Windows side inside one test process: the clipboard, the instruction dialog
// Form3, and the whole exchange with a stub browser and a test thread playing the user.
#include "app/clipboard_win32.h"
#include "app/form3_win32.h"
#include "app/byte_file.h"
#include "app/stub_browser_win32.h"
#include "app/web_route_win32.h"
#include "app/web_row_for_tests.h"
#include "app/main_window_controls_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace mapwell {
namespace {

using test::Row;

constexpr DWORD kPatience = 30000;

int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
int Px(int twips) {
    return MulDiv(twips, Dpi(), 1440);
}

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
    const ConvertControls& Controls() const { return host_.controls; }
    void Choose(HWND option) { host_.Check(option); }
    RECT Place() const {
        RECT place{};
        GetWindowRect(get(), &place);
        return place;
    }

private:
    MainWindowControls host_;
};

HWND WaitForForm3() {
    for (DWORD waited = 0; waited < kPatience; waited += 20) {
        HWND dialog = FindWindowW(L"#32770", L"Geocoding");
        if (dialog && IsWindowVisible(dialog) && GetDlgItem(dialog, kForm3Command2)) {
            return dialog;
        }
        Sleep(20);
    }
    return nullptr;
}

enum class CloseBy { Import, Cancel, CloseBox };

void Close(HWND dialog, CloseBy how) {
    switch (how) {
    case CloseBy::Import:
    case CloseBy::Cancel: {
        const int id = how == CloseBy::Import ? kForm3Command1 : kForm3Command2;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        break;
    }
    case CloseBy::CloseBox: PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
}

// Runs `user` on a second thread while `modal` holds this one, the way a user acts while the
// program waits in its dialog. GoogleTest assertions stay on this thread: the user only records.
void WhileModal(const std::function<void()>& modal, const std::function<void(HWND)>& user,
                CloseBy how) {
    std::thread player([&] {
        HWND dialog = WaitForForm3();
        if (!dialog) {
            return;
        }
        user(dialog);
        Close(dialog, how);
    });
    modal();
    player.join();
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

RECT ClientRectOf(HWND control, HWND parent) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string RectText(const RECT& r) {
    std::ostringstream out;
    out << r.left << "," << r.top << " " << (r.right - r.left) << "x" << (r.bottom - r.top);
    return out.str();
}
std::string TwipsRect(int left, int top, int width, int height) {
    return RectText({Px(left), Px(top), Px(left) + Px(width), Px(top) + Px(height)});
}

// What the user sees of Form3 while it is open.
struct Form3Seen {
    bool found = false;
    std::wstring caption, label, command1, command2;
    std::wstring fontFace;
    LONG fontHeight = 0, fontWeight = 0;
    LONG_PTR labelAlign = -1;
    std::string client, labelRect, command1Rect, command2Rect;
    POINT origin{};
    bool topmost = false, ownedByMain = false, mainDisabled = false, iconOfMain = false;
    LONG mainLeft = 0;
};

Form3Seen LookAt(HWND dialog, HWND main) {
    Form3Seen seen;
    seen.found = true;
    seen.caption = WindowText(dialog);
    HWND label = GetDlgItem(dialog, kForm3Label1);
    HWND command1 = GetDlgItem(dialog, kForm3Command1);
    HWND command2 = GetDlgItem(dialog, kForm3Command2);
    seen.label = WindowText(label);
    seen.command1 = WindowText(command1);
    seen.command2 = WindowText(command2);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), sizeof font, &font);
    seen.fontFace = font.lfFaceName;
    seen.fontHeight = font.lfHeight;
    seen.fontWeight = font.lfWeight;
    seen.labelAlign = GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK;
    RECT client{};
    GetClientRect(dialog, &client);
    seen.client = RectText(client);
    seen.labelRect = RectText(ClientRectOf(label, dialog));
    seen.command1Rect = RectText(ClientRectOf(command1, dialog));
    seen.command2Rect = RectText(ClientRectOf(command2, dialog));
    RECT frame{};
    GetWindowRect(dialog, &frame);
    seen.origin = {frame.left, frame.top};
    seen.topmost = (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    seen.ownedByMain = GetWindow(dialog, GW_OWNER) == main;
    seen.mainDisabled = !IsWindowEnabled(main);
    seen.iconOfMain = SendMessageW(dialog, WM_GETICON, ICON_BIG, 0) ==
                      reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_INFORMATION));
    RECT mainPlace{};
    GetWindowRect(main, &mainPlace);
    seen.mainLeft = mainPlace.left;
    return seen;
}

TEST(Form3, ShowsTheInstructionAsDesignedWhileTheMainWindowWaitsOffTheScreen) {
    MainWindow main;
    const RECT before = main.Place();
    Form3Seen seen;
    WhileModal([&] { ShowForm3(main.get(), kGeocodingCaption, kGeocodingInstruction); },
               [&](HWND dialog) { seen = LookAt(dialog, main.get()); }, CloseBy::Import);

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, L"Geocoding");
    EXPECT_EQ(seen.label, L"For auto import close this message after all complete.\r\n\r\n"
                          L"Steps on geocoding site.\r\n"
                          L"1. Paste Clipboard into textarea of Step 2\r\n"
                          L"2. Click 'Validate Source' in Step 3\r\n"
                          L"3. Click 'Run Geocoder' in Step 5\r\n"
                          L"4. Copy textarea of Step 6 into Clipboard\r\n"
                          L"5. Close Internetbrowser\r\n"
                          L"6. Click on 'Import' in this message");
    EXPECT_EQ(seen.command1, L"Import");
    EXPECT_EQ(seen.command2, L"Cancel");
    EXPECT_EQ(seen.fontFace, L"MS Sans Serif");
    EXPECT_EQ(seen.fontHeight, -MulDiv(9, Dpi(), 72));
    EXPECT_EQ(seen.fontWeight, FW_NORMAL);
    EXPECT_EQ(seen.labelAlign, SS_LEFT);
    EXPECT_EQ(seen.client, TwipsRect(0, 0, 3270, 4320));
    EXPECT_EQ(seen.labelRect, TwipsRect(90, 90, 3075, 2535));
    EXPECT_EQ(seen.command1Rect, TwipsRect(90, 2700, 1590, 465));
    EXPECT_EQ(seen.command2Rect, TwipsRect(90, 3240, 1590, 465));
    EXPECT_EQ(seen.origin.x, 0);
    EXPECT_EQ(seen.origin.y, 50);
    EXPECT_TRUE(seen.topmost);
    EXPECT_TRUE(seen.ownedByMain);
    EXPECT_TRUE(seen.mainDisabled);
    EXPECT_TRUE(seen.iconOfMain);
    EXPECT_EQ(seen.mainLeft, GetSystemMetrics(SM_CXSCREEN));

    const RECT after = main.Place();
    EXPECT_EQ(RectText(after), RectText(before));
    EXPECT_TRUE(IsWindowEnabled(main.get()));
}

TEST(Form3, CancelAndTheCloseBoxJustCloseItToo) {
    MainWindow main;
    const RECT before = main.Place();
    for (CloseBy how : {CloseBy::Cancel, CloseBy::CloseBox}) {
        bool seen = false;
        WhileModal([&] { ShowForm3(main.get(), kGeocodingCaption, L"text"); },
                   [&](HWND) { seen = true; }, how);
        EXPECT_TRUE(seen);
        EXPECT_EQ(FindWindowW(L"#32770", L"Geocoding"), nullptr);
        EXPECT_EQ(RectText(main.Place()), RectText(before));
    }
}

std::wstring RawUnicodeText() {
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

std::string RawAnsiText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

void PutRaw(UINT format, const void* bytes, std::size_t size) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
    CloseClipboard();
}

TEST(Clipboard, TextGoesOnAsUnicodeAndIsOfferedAsAnsiToo) {
    MainWindow main;
    const UINT custom = RegisterClipboardFormatW(L"MapwellTestFormat");
    const char stale[] = "stale";
    PutRaw(custom, stale, sizeof stale);

    const std::wstring text = L"Address\tCity\r\nK\u00f6nigsallee 1\tD\u00fcsseldorf\t\t\t1\r\n";
    ASSERT_TRUE(PutClipboardText(main.get(), text));
    EXPECT_EQ(RawUnicodeText(), text);
    EXPECT_EQ(RawAnsiText(), "Address\tCity\r\nK\xf6nigsallee 1\tD\xfc"
                             "sseldorf\t\t\t1\r\n");
    EXPECT_FALSE(IsClipboardFormatAvailable(custom));
    EXPECT_EQ(ReadClipboardText(main.get()), text);
}

TEST(Clipboard, ReadsTextThatAnotherProgramPutOnAsAnsi) {
    const char ansi[] = "bg_lat\r\nx\ty\r\n";
    PutRaw(CF_TEXT, ansi, sizeof ansi);
    EXPECT_EQ(ReadClipboardText(nullptr), L"bg_lat\r\nx\ty\r\n");
}

TEST(Clipboard, AClipboardWithoutTextReadsAsEmpty) {
    const UINT custom = RegisterClipboardFormatW(L"MapwellTestFormat");
    const char bytes[] = "not text";
    PutRaw(custom, bytes, sizeof bytes);
    EXPECT_EQ(ReadClipboardText(nullptr), L"");
}

// --- The whole exchange, with a stub browser -------------------------------------------------

WebCollection ThreeAddresses() {
    WebCollection collection;
    collection.Collect(Row(L"Hauptstr. 5a", L"Berlin", L"10115", "Hauptstr. 5a;10115;Berlin"));
    collection.Collect(Row(L"Am Ring", L"Wien", L"", "Am Ring;;Wien"));
    collection.Collect(
        Row(L"Jungfernstieg 1", L"Hamburg", L"20095", "Jungfernstieg 1;20095;Hamburg"));
    return collection;
}

constexpr wchar_t kGeocoded[] = L"Address\tCity\tZipcode\tState\tDescription\tbg_lat\tbg_long\r\n"
                                L"Jungfernstieg 1\tHamburg\t20095\t\t3\t53.5534\t9.9926\r\n"
                                L"Am Ring\tWien\t\t\t2\t0\t0\r\n"
                                L"x\ty\t\t\t0\t1.5\t2.5\r\n"
                                L"Hauptstr. 5a\tBerlin\t10115\t\t1\t52.5200\t13.4050\r\n";

// A folder of the test's own under the temporary folder, emptied first.
std::wstring TestFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / L"mapwell-web-route-test";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder);
    return folder.wstring();
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string FileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Exchange {
    int converted = -1;
    std::wstring infoWhileOpen, infoAfter, clipboardSeen;
    std::string browserAddress;
    LONG mainLeftSeen = 0;
    std::string result, errors;
};

// One exchange as the engine runs it after its line loop: the result file created, the user
// copying `userCopies` while the dialog is open and closing it `how`.
Exchange RunExchange(const std::wstring& userCopies, CloseBy how,
                     OutputFormat format = OutputFormat::Append) {
    StubBrowser browser;
    MainWindow main;
    const ConvertControls& controls = main.Controls();
    main.Choose(format == OutputFormat::Poi   ? controls.Option1
                : format == OutputFormat::Csv ? controls.Option2
                                              : controls.Option3);
    const std::wstring folder = TestFolder();
    const std::wstring destination = folder + L"\\kunden_Geo.txt";
    SetWindowTextW(controls.ExportFileTxt, destination.c_str());
    WriteFileBytes(folder + L"\\ConvertError.txt", "empty line of the loop\r\n");

    Exchange got;
    ConvertWin32 surroundings(controls);
    WebCollection rows = ThreeAddresses();
    {
        FileResultFile result(std::filesystem::path{destination});
        WriteResultHeader(result, format);
        ErrorListFile errors(folder + L"\\ConvertError.txt");
        WhileModal([&] { got.converted = FinishWebRoute(rows, result, errors, surroundings); },
                   [&](HWND) {
                       got.clipboardSeen = ReadClipboardText(nullptr);
                       got.infoWhileOpen = WindowText(controls.Info);
                       got.mainLeftSeen = main.Place().left;
                       PutClipboardText(main.get(), userCopies);
                   },
                   how);
    }
    got.browserAddress = browser.AwaitAddress();
    got.infoAfter = WindowText(controls.Info);
    got.result = FileBytes(destination);
    got.errors = FileBytes(folder + L"\\ConvertError.txt");
    return got;
}

TEST(FinishWebRoute, HandsTheListToThePageAndWritesWhatComesBack) {
    const Exchange got = RunExchange(kGeocoded, CloseBy::Import);

    const std::wstring page = kGeocodingPage;
    EXPECT_EQ(Normalised(got.browserAddress), Normalised(std::string(page.begin(), page.end())));
    EXPECT_EQ(got.clipboardSeen, L"Address\tCity\tZipcode\tState\tDescription\r\n"
                                 L"Hauptstr. 5a\tBerlin\t10115\t\t1\r\n"
                                 L"Am Ring\tWien\t\t\t2\r\n"
                                 L"Jungfernstieg 1\tHamburg\t20095\t\t3\r\n");
    EXPECT_EQ(got.mainLeftSeen, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(got.infoWhileOpen, L"Start Internetbrowser to get coordinates..");
    EXPECT_EQ(got.infoAfter, L"Convert address to coordinates..");
    EXPECT_EQ(got.converted, 2);
    EXPECT_EQ(got.result, "Jungfernstieg 1;20095;Hamburg,\"9.9926\",\"53.5534\"\r\n"
                          "Hauptstr. 5a;10115;Berlin,\"13.4050\",\"52.5200\"\r\n");
    EXPECT_EQ(got.errors, "empty line of the loop\r\nAm Ring;;Wien\r\n");
}

TEST(FinishWebRoute, CancelAfterCopyingImportsAllTheSame) {
    const Exchange got = RunExchange(kGeocoded, CloseBy::Cancel, OutputFormat::Poi);
    EXPECT_EQ(got.converted, 2);
    EXPECT_EQ(got.result, "9.9926,53.5534,\"  - Jungfernstieg 1 20095 Hamburg, \"\r\n"
                          "13.4050,52.5200,\"  - Hauptstr. 5a 10115 Berlin, \"\r\n");
}

TEST(FinishWebRoute, WithoutAGeocodedTextAsksToTryAgainAndKeepsEveryLineAsFailed) {
    const Exchange got =
        RunExchange(L"Address\tCity\tZipcode\tState\tDescription\r\nx\ty\t\t\t1\r\n",
                    CloseBy::CloseBox, OutputFormat::Csv);
    EXPECT_EQ(got.infoWhileOpen, L"Start Internetbrowser to get coordinates..");
    EXPECT_EQ(got.infoAfter,
              L"Please try again and copy the datas from Internetbrowser to Clipboard..");
    EXPECT_EQ(got.converted, 0);
    EXPECT_EQ(got.result, "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\","
                          "\"Description\",\"Latitude\",\"Longitude\"\r\n");
    EXPECT_EQ(got.errors, "empty line of the loop\r\nHauptstr. 5a;10115;Berlin\r\nAm Ring;;Wien\r\n"
                          "Jungfernstieg 1;20095;Hamburg\r\n");
}

}  // namespace
}  // namespace mapwell
