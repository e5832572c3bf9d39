// The web route end to end through the real windows: Mapwell.exe runs without a navigation
// program, a stub browser records the page address, and the test plays the user who copies the
// list into the page and the page's answer back.
#include "app/web/clipboard_win32.h"
#include "app/web/form3_win32.h"
#include "app/window/main_layout.h"
#include "app/web/stub_browser_win32.h"
#include "app/testing/test_win32.h"
#include "app/web/web_route.h"
#include "columns/import_add_layout.h"
#include "columns/profile_store_win32.h"
#include "support/program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace mapwell {
namespace {

namespace td = test;

// The list: a heading line, which the route collects like any address, an empty line, and a
// last line without a line end.
constexpr char kSource[] = "Name;Strasse;PLZ;Ort\r\n"
                           "Max;Hauptstr. 5a;10115;Berlin\r\n"
                           "\r\n"
                           "Eva;Am Ring 1;1010;Wien\r\n"
                           "Tom;Jungfernstieg 1;20095;Hamburg";

constexpr wchar_t kClipText[] = L"Address\tCity\tZipcode\tState\tDescription\r\n"
                                L"Strasse\tOrt\tPLZ\t\t1\r\n"
                                L"Hauptstr. 5a\tBerlin\t10115\t\t2\r\n"
                                L"Am Ring 1\tWien\t1010\t\t3\r\n"
                                L"Jungfernstieg 1\tHamburg\t20095\t\t4\r\n";

// The page's answer as the user copies it: rows reordered, the heading failed by the page,
// item 3 left out of the copy, a row naming item 0, and a trailing line end.
constexpr wchar_t kGeocoded[] = L"Address\tCity\tZipcode\tState\tDescription\tbg_lat\tbg_long\r\n"
                                L"Jungfernstieg 1\tHamburg\t20095\t\t4\t53.5534\t9.9926\r\n"
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

struct WebRun {
    std::vector<std::wstring> infos;
    std::wstring clipboard, finalInfo;
    std::string browserAddress, result, errors;
    bool dialogSeen = false;
};

// Converts kSource through the web route with output option `option`; the user copies
// `userCopies` while the dialog is open and closes it with "Import" or "Cancel".
WebRun RunThroughWeb(int option, const std::wstring& userCopies, bool import) {
    WebRun run;
    StubBrowser browser;
    TestFolder temp;
    const std::wstring folder = temp.Path().wstring();
    td::WriteFile(folder + L"\\kunden.csv", kSource);
    // The column dialog takes this profile over its own guess: Name1, Street, Zip, City.
    ProgramTitle = L"Mapwell";
    RegistryProfileStore store;
    SaveProfile(store, L"kunden", {0, -1, 1, 2, 3, -1, -1, -1}, L";");

    td::Program mapwell = td::Program(td::BinFolder() + L"Mapwell.exe", L"", folder);
    HWND main = mapwell.Started() ? td::WaitForMainWindow(mapwell.Id()) : nullptr;
    auto item = [&](int id) { return td::Control(main, id); };
    td::Choose(item(option));
    td::TypeTextNoWait(item(IdImportFileTxt), folder + L"\\kunden.csv");
    td::Click(GetDlgItem(td::WaitForColumnDialog(mapwell.Id()), IdButOk));
    if (!td::WaitUntil([&] { return IsWindowEnabled(item(IdNowImport)) != FALSE; })) {
        ADD_FAILURE() << "the list was not made ready";
        return run;
    }
    const std::wstring destination = td::Text(item(IdExportFileTxt));

    // Every text the status label shows, in order, read from the window system's copy so that
    // the label of a program that sleeps still reads.
    std::atomic<bool> watching{true};
    std::thread watcher([&] {
        for (wchar_t text[1024]; watching; Sleep(5)) {
            GetWindowTextW(item(IdInfo), text, 1024);
            if (run.infos.empty() || run.infos.back() != text) {
                run.infos.push_back(text);
            }
        }
    });
    td::Click(item(IdNowImport));
    td::Answer(td::WaitForMessageBox(mapwell.Id()), IDYES);

    HWND dialog = td::WaitForWindow(mapwell.Id(), [](HWND window) {
        return td::Caption(window) == L"Geocoding" && td::Control(window, kForm3Command2);
    });
    if (dialog) {
        run.dialogSeen = true;
        run.clipboard = ReadClipboardText(nullptr);
        UserCopies(userCopies);
        td::Click(td::Control(dialog, import ? kForm3Command1 : kForm3Command2));
    }
    td::WaitUntil([&] { return td::Text(item(IdInfo)).rfind(L"Converting", 0) == 0; });
    watching = false;
    watcher.join();
    run.finalInfo = td::Text(item(IdInfo));
    run.browserAddress = browser.AwaitAddress();
    run.result = td::ReadFile(destination);
    run.errors = td::ReadFile(folder + L"\\ConvertError.txt");

    td::Click(item(IdCommand2));
    EXPECT_EQ(mapwell.ExitCode(), 0);
    return run;
}

constexpr char kCsvHeader[] = "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\","
                              "\"Description\",\"Latitude\",\"Longitude\"\r\n";

// Whether the user imports or cancels, what is on the clipboard then is imported.
TEST(WebRouteEndToEnd, WritesTheRowsThatCameBackAndKeepsTheRestInTheErrorList) {
    const struct {
        int option;
        const wchar_t* userCopies;
        bool import;
        const wchar_t* afterDialog;
        const wchar_t* finalInfo;
        std::string result, errors;
    } cases[] = {
        {IdOption3, kGeocoded, true, L"Convert address to coordinates..",
         L"Converting: 2 of 5\r\nFailed items are saved in ConvertError.txt",
         "Tom;Jungfernstieg 1;20095;Hamburg,\"9.9926\",\"53.5534\"\r\n"
         "Max;Hauptstr. 5a;10115;Berlin,\"13.405\",\"52.52\"\r\n",
         "\r\nName;Strasse;PLZ;Ort\r\nEva;Am Ring 1;1010;Wien\r\n"},
        {IdOption2, L"Address\tCity\r\nnothing geocoded\r\n", false,
         L"Please try again and copy the datas from Internetbrowser to Clipboard..",
         L"Converting: 0 of 5\r\nFailed items are saved in ConvertError.txt", kCsvHeader,
         "\r\nName;Strasse;PLZ;Ort\r\nMax;Hauptstr. 5a;10115;Berlin\r\n"
         "Eva;Am Ring 1;1010;Wien\r\nTom;Jungfernstieg 1;20095;Hamburg\r\n"},
    };
    const std::wstring page = kGeocodingPage;
    for (const auto& c : cases) {
        const WebRun run = RunThroughWeb(c.option, c.userCopies, c.import);
        ASSERT_TRUE(run.dialogSeen);
        EXPECT_EQ(run.clipboard, kClipText);
        // The page address is already in the form the browser launcher gives on.
        EXPECT_EQ(run.browserAddress, std::string(page.begin(), page.end()));
        // The empty source line fails with status 1 while the list is collected.
        const auto saw = [&](const std::wstring& text) {
            return std::find(run.infos.begin(), run.infos.end(), text) != run.infos.end();
        };
        EXPECT_TRUE(saw(L"Error get coordinate for Addressindex 3 - \r\n(1)"));
        EXPECT_TRUE(saw(L"Start Internetbrowser to get coordinates.."));
        EXPECT_TRUE(saw(c.afterDialog));
        EXPECT_EQ(run.finalInfo, c.finalInfo);
        EXPECT_EQ(run.result, c.result);
        EXPECT_EQ(run.errors, c.errors);
    }
}

}  // namespace
}  // namespace mapwell
