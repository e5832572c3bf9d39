// The web route end to end through the real windows: Mapwell.exe runs without a navigation
// program, a stub browser records the page address, and the test plays the user who copies the
// list into the page and the page's answer back.
#include "app/web/clipboard_win32.h"
#include "app/web/form3_win32.h"
#include "app/window/main_layout.h"
#include "testing/test_win32.h"
#include "app/web/web_route.h"
#include "columns/import_add_layout.h"
#include "columns/profile_store_win32.h"
#include "support/program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace mapwell {
namespace {

namespace td = test;

// Wine's browser launcher pointed at a shell script that records the address it is given: no
// real browser starts. The test's own Wine prefix has no browser setting of its own to put back.
class StubBrowser {
public:
    StubBrowser() {
        const char* bin = std::getenv("MAPWELL_BIN");
        const std::string folder = std::string(bin ? bin : "/tmp") + "/web-route-browser";
        folder_ = L"Z:" + std::wstring(folder.begin(), folder.end());
        std::replace(folder_.begin(), folder_.end(), L'/', L'\\');
        CreateDirectoryW(folder_.c_str(), nullptr);
        DeleteFileW((folder_ + L"\\address.txt").c_str());
        td::WriteFile(folder_ + L"\\browser.sh",
                      "#!/bin/sh\nprintf '%s' \"$1\" > '" + folder + "/address.tmp' && mv '" +
                          folder + "/address.tmp' '" + folder + "/address.txt'\n");
        const std::wstring command =
            L"/bin/sh " + std::wstring(folder.begin(), folder.end()) + L"/browser.sh";
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Browsers", REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    ~StubBrowser() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Browsers"); }

    // The address the browser was started with, "" when it was not started within the wait.
    std::string AwaitAddress() const {
        const std::wstring path = folder_ + L"\\address.txt";
        td::WaitUntil([&] { return td::FileThere(path); });
        return td::ReadFile(path);
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\WineBrowser";
    std::wstring folder_;
};

// The list: a heading line, which the route collects like any address, an empty line, and a
// last line without a line end.
constexpr char kSource[] = "Name;Strasse;PLZ;Ort\r\n"
                           "Max;Hauptstr. 5a;10115;Berlin\r\n"
                           "\r\n"
                           "Eva;Am Ring 1;1010;Wien\r\n"
                           "J\xf6rg;K\xf6nigstr. 1;20095;Hamburg";

constexpr wchar_t kClipText[] = L"Address\tCity\tZipcode\tState\tDescription\r\n"
                                L"Strasse\tOrt\tPLZ\t\t1\r\n"
                                L"Hauptstr. 5a\tBerlin\t10115\t\t2\r\n"
                                L"Am Ring 1\tWien\t1010\t\t3\r\n"
                                L"K\u00f6nigstr. 1\tHamburg\t20095\t\t4\r\n";

// The page's answer as the user copies it: rows reordered, the heading failed by the page,
// item 3 left out of the copy, a row naming item 0, and a trailing line end.
constexpr wchar_t kGeocoded[] = L"Address\tCity\tZipcode\tState\tDescription\tbg_lat\tbg_long\r\n"
                                L"K\u00f6nigstr. 1\tHamburg\t20095\t\t4\t53.5534\t9.9926\r\n"
                                L"x\ty\t\t\t0\t1.5\t2.5\r\n"
                                L"Strasse\tOrt\tPLZ\t\t1\t0\t0\r\n"
                                L"Hauptstr. 5a\tBerlin\t10115\t\t2\t52.52\t13.405\r\n";

// The user's copy onto the clipboard, from a window of the test's own that is gone afterwards, so
// that no later clearing of the clipboard has to wait for this process.
void UserCopies(const std::wstring& text) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    PutClipboardText(owner, text);
    DestroyWindow(owner);
}

// A window's text from the window system's copy, which reads while its program sleeps.
std::wstring Shown(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

RECT PlaceIn(HWND window, HWND parent) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Whether the label shows all its text in its designed font, MS Sans Serif 9 points: the
// label's own font handle means nothing in another process.
bool ShowsAllItsText(HWND label) {
    RECT client{}, needed{};
    GetClientRect(label, &client);
    needed.right = client.right;
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0,
                             0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextW(dc, td::Text(label).c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    DeleteObject(SelectObject(dc, old));
    ReleaseDC(nullptr, dc);
    return needed.bottom <= client.bottom;
}

using Facts = std::vector<std::wstring>;

// What the user sees while the dialog is open.
Facts LookAt(HWND dialog, HWND main) {
    HWND label = td::Control(dialog, kForm3Label1);
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT frame = PlaceIn(dialog, nullptr), text = PlaceIn(label, dialog);
    const RECT import = PlaceIn(td::Control(dialog, kForm3Command1), dialog);
    const RECT cancel = PlaceIn(td::Control(dialog, kForm3Command2), dialog);
    return {Shown(td::Control(main, IdInfo)),
            std::to_wstring(frame.left) + L"," + std::to_wstring(frame.top),
            PlaceIn(main, nullptr).left == GetSystemMetrics(SM_CXSCREEN) ? L"main away" : L"?",
            IsWindowEnabled(main) ? L"main enabled" : L"main disabled",
            GetWindow(dialog, GW_OWNER) == main ? L"owned by main" : L"?",
            (GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"topmost" : L"?",
            ShowsAllItsText(label) ? L"shows all" : L"cut",
            text.bottom <= import.top && import.bottom <= cancel.top &&
                    cancel.bottom <= client.bottom
                ? L"label above buttons"
                : L"overlap"};
}

// Converts kSource through the web route; while the dialog is open the user copies `userCopies`
// (or nothing) and closes the dialog with `closeWith` (or the close box). Whatever is on the
// clipboard then is imported.
struct WebCase {
    int option;
    const wchar_t* userCopies;
    int closeWith;
    const wchar_t* afterDialog;
    const wchar_t* finalInfo;
    std::string result, errors;
};

void RunThroughWeb(const WebCase& c) {
    StubBrowser browser;
    TestFolder temp;
    const std::wstring folder = temp.Path().wstring();
    td::WriteFile(folder + L"\\kunden.csv", kSource);
    // The column dialog takes this profile over its own guess: Name1, Street, Zip, City.
    ProgramTitle = L"Mapwell";
    RegistryProfileStore store;
    SaveProfile(store, L"kunden", {0, -1, 1, 2, 3, -1, -1, -1}, L";");

    td::Program mapwell(td::BinFolder() + L"Mapwell.exe", L"", folder);
    HWND main = mapwell.Started() ? td::WaitForMainWindow(mapwell.Id()) : nullptr;
    auto item = [&](int id) { return td::Control(main, id); };
    td::Choose(item(c.option));
    td::TypeTextNoWait(item(IdImportFileTxt), folder + L"\\kunden.csv");
    td::Click(GetDlgItem(td::WaitForColumnDialog(mapwell.Id()), IdButOk));
    ASSERT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(item(IdNowImport)) != FALSE; }));
    const std::wstring destination = td::Text(item(IdExportFileTxt));
    const LONG left = PlaceIn(main, nullptr).left;
    td::Click(item(IdNowImport));
    td::Answer(td::WaitForMessageBox(mapwell.Id()), IDYES);

    HWND dialog = td::WaitForWindow(mapwell.Id(), [](HWND window) {
        return td::Caption(window) == L"Geocoding" && td::Control(window, kForm3Command2);
    });
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ReadClipboardText(nullptr), kClipText);
    EXPECT_EQ(LookAt(dialog, main), (Facts{L"Start Internetbrowser to get coordinates..", L"0,50",
                                           L"main away", L"main disabled", L"owned by main",
                                           L"topmost", L"shows all", L"label above buttons"}));
    if (c.userCopies) {
        UserCopies(c.userCopies);
    }
    if (c.closeWith) {
        td::Click(td::Control(dialog, c.closeWith));
    } else {
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    EXPECT_TRUE(td::WaitUntil([&] { return Shown(item(IdInfo)) == c.afterDialog; }));
    td::WaitUntil([&] { return Shown(item(IdInfo)).rfind(L"Converting", 0) == 0; });
    EXPECT_EQ(Shown(item(IdInfo)), c.finalInfo);
    EXPECT_EQ(PlaceIn(main, nullptr).left, left);
    // The page address is already in the form the browser launcher gives on.
    const std::wstring page = kGeocodingPage;
    EXPECT_EQ(browser.AwaitAddress(), std::string(page.begin(), page.end()));
    EXPECT_EQ(td::ReadFile(destination), c.result);
    EXPECT_EQ(td::ReadFile(folder + L"\\ConvertError.txt"), c.errors);
    td::Click(item(IdCommand2));
    EXPECT_EQ(mapwell.ExitCode(), 0);
}

TEST(WebRouteEndToEnd, WritesTheRowsThatCameBackAndKeepsTheRestInTheErrorList) {
    // The blank line is no address: not counted, no entry.
    const std::string none = "Name;Strasse;PLZ;Ort\r\nMax;Hauptstr. 5a;10115;Berlin\r\n"
                             "Eva;Am Ring 1;1010;Wien\r\nJ\xf6rg;K\xf6nigstr. 1;20095;Hamburg\r\n";
    const WebCase cases[] = {
        {IdOption3, kGeocoded, kForm3Command1, L"Convert address to coordinates..",
         L"Converting: 2 of 4\r\nFailed items are saved in ConvertError.txt",
         "J\xf6rg;K\xf6nigstr. 1;20095;Hamburg,\"9.9926\",\"53.5534\"\r\n"
         "Max;Hauptstr. 5a;10115;Berlin,\"13.405\",\"52.52\"\r\n",
         "Name;Strasse;PLZ;Ort\r\nEva;Am Ring 1;1010;Wien\r\n"},
        {IdOption2, L"Address\tCity\r\nnothing geocoded\r\n", kForm3Command2,
         L"Please try again and copy the datas from Internetbrowser to Clipboard..",
         L"Converting: 0 of 4\r\nFailed items are saved in ConvertError.txt",
         "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\",\"Description\","
         "\"Latitude\",\"Longitude\"\r\n",
         none},
        {IdOption1, nullptr, 0,
         L"Please try again and copy the datas from Internetbrowser to Clipboard..",
         L"Converting: 0 of 4\r\nFailed items are saved in ConvertError.txt", "", none},
    };
    for (const WebCase& c : cases) {
        SCOPED_TRACE(c.option);
        RunThroughWeb(c);
    }
}

}  // namespace
}  // namespace mapwell
