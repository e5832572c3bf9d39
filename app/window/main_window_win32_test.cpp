// Drives the main window in this process: the window and its message loop run on the test
// thread, a second thread works it as the user would (through the test driver).
#include "app/window/main_window_win32.h"

#include "app/web/web_route.h"

#include "app/engine/events_win32.h"
#include "testing/test_win32.h"
#include "columns/import_add_layout.h"
#include "support/controls_win32.h"
#include "support/twips.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <dlgs.h>

#include <array>
#include <functional>
#include <new>
#include <thread>

namespace mapwell {
namespace {

namespace td = test;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentDirectoryW(folder_.c_str()); }
    void TearDown() override {
        SetCurrentDirectoryW(L"C:\\");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mapwell");
    }

    // Runs the window until `drive`, on its own thread, is done; then closes it.
    void Run(const std::function<void(HWND)>& drive) {
        HWND window = CreateImportWindow(GetModuleHandleW(nullptr), state_, SW_SHOW);
        ASSERT_NE(window, nullptr);
        std::thread driver([&] {
            drive(window);
            PostMessageW(window, WM_CLOSE, 0, 0);
        });
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            HandleMessage(message);
        }
        driver.join();
    }

    TestFolder temp_;
    const std::wstring folder_ = temp_.Path().wstring();
    ImportWindow state_;
};

HWND Item(HWND window, int id) {
    return td::Control(window, id);
}
bool Shows(HWND window, const std::wstring& text) {
    return td::WaitUntil([&] { return td::Text(window) == text; });
}

// Answers the column dialog that the evaluation of a source opens.
void AnswerColumnDialog(int button) {
    HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
    ASSERT_NE(dialog, nullptr);
    td::Click(GetDlgItem(dialog, button));
    td::WaitUntil([] { return !td::ColumnDialogOpen(GetCurrentProcessId()); });
}

// "Select Source...": `names` chosen in the open dialog, the first one's column dialog OK'd.
void SelectSource(HWND window, const wchar_t* names) {
    td::Click(Item(window, IdSearchFile));
    td::ChooseInOpenDialog(td::WaitForOpenDialog(GetCurrentProcessId()), names);
    AnswerColumnDialog(IdButOk);
}

// Clicks "Start Convert" without a navigation program and answers the question about the web
// route.
void StartWithoutNavigation(HWND window, int answer) {
    td::Click(Item(window, IdNowImport));
    HWND box = td::WaitForMessageBox(GetCurrentProcessId());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(td::Caption(box), L"No Navigon found");
    EXPECT_EQ(td::MessageBoxText(box), L"Will you convert the data by Internet?");
    EXPECT_EQ(td::Text(Item(window, IdInfo)),
              L"Please start Navigon NCK5 or NavigatoR to convert Addresslist.");
    td::Answer(box, answer);
}

constexpr char kList[] = "name;street;zipcode;city\r\nHans;Hauptstr. 5;12345;Berlin\r\n";

// Twips become pixels rounded to the nearest, at any DPI.
static_assert(TwipsToPixels(1440, 96) == 96 && TwipsToPixels(7, 96) == 0 &&
              TwipsToPixels(8, 96) == 1 && TwipsToPixels(5385, 144) == 539);

// The window as designed: every control's caption and its place in twips inside its container.
struct Designed {
    int id, container;
    const wchar_t* caption;
    int left, top, width, height;
};
// clang-format off
constexpr Designed kDesigned[] = {
    {IdFrame1, IdWindow, L"Source File (Address-file as CSV) ", 45, 90, 5280, 735},
    {IdImportFileTxt, IdFrame1, L"", 90, 270, 3435, 330},
    {IdPicture1, IdFrame1, L"", 3555, 135, 1680, 555},
    {IdSearchFile, IdPicture1, L"Select Source...", 45, 45, 1545, 420},
    {IdFrame2, IdWindow, L"Destination File (ASC, CSV, TXT) ", 45, 855, 5280, 780},
    {IdExportFileTxt, IdFrame2, L"", 90, 270, 3435, 330},
    {IdPicture2, IdFrame2, L"", 3555, 135, 1680, 555},
    {IdSetFile, IdPicture2, L"Set Destination...", 45, 45, 1545, 420},
    {IdFrame3, IdWindow, L"Options ", 45, 1620, 5280, 1005},
    {IdPicture3, IdFrame3, L"", 90, 180, 5100, 735},
    {IdOption1, IdPicture3, L"ASC output, for Import as POI", 0, 45, 3795, 240},
    {IdOption2, IdPicture3, L"CSV output, for other program", 0, 270, 3795, 240},
    {IdOption3, IdPicture3, L"no change on format, only append coordinates", 0, 495, 3795, 240},
    {IdLabel1, IdPicture3, L"decimal separator", 4320, 0, 735, 420},
    {IdTxtSep, IdPicture3, L",", 4500, 450, 330, 285},
    {IdFrame4, IdWindow, L"Informations ", 45, 2655, 5280, 960},
    {IdInfo, IdFrame4, L"Please select source-file.", 135, 225, 5010, 690},
    {IdNowImport, IdWindow, L"Start Convert", 45, 3690, 1410, 510},
    {IdCommand2, IdWindow, L"Exit", 3960, 3690, 1365, 510},
    {IdShowMap, IdWindow, L"Show Map", 1988, 3690, 1410, 510},
    // The progress of a run, in a strip under the buttons.
    {IdProgress, IdWindow, L"", 45, 4290, 1410, 255},
    {IdProgressText, IdWindow, L"", 1545, 4305, 3780, 255},
};
// clang-format on

// The window as designed; Tab walks it from top to bottom, Enter in a text box starts nothing
// (there is no default button); the longest instructions show whole; "Start Convert" without a
// destination or a source; the save dialog of "Set Destination..."; Alt+F4 closes.
TEST_F(MainWindowTest, TheWindowBeforeThereIsASource) {
    const std::wstring chosen = folder_ + L"\\chosen.csv";
    Run([&](HWND w) {
        const auto px = [dpi = WindowDpi(w)](int twips) { return TwipsToPixels(twips, dpi); };
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, px(5385));
        EXPECT_EQ(client.bottom, px(4620));
        for (const Designed& d : kDesigned) {
            HWND control = Item(w, d.id);
            HWND container = d.container == IdWindow ? w : Item(w, d.container);
            EXPECT_EQ(GetParent(control), container) << d.id;
            EXPECT_EQ(td::Text(control), d.caption) << d.id;
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ((std::array<LONG, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                      (std::array<LONG, 4>{px(d.left), px(d.top), px(d.width), px(d.height)}))
                << d.id;
        }

        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const auto focus = [&] {
            GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info);
            return info.hwndFocus;
        };
        for (int id : {IdImportFileTxt, IdSearchFile, IdExportFileTxt, IdSetFile}) {
            EXPECT_TRUE(td::WaitUntil([&] { return focus() == Item(w, id); })) << id;
            PostMessageW(focus(), WM_KEYDOWN, VK_TAB, 1);
        }
        for (int box : {IdImportFileTxt, IdExportFileTxt, IdTxtSep}) {
            PostMessageW(Item(w, box), WM_KEYDOWN, VK_RETURN, 1);
        }
        // Handled after the Enters; "Start Convert" would have asked for a destination.
        td::Choose(Item(w, IdOption1));
        EXPECT_TRUE(Shows(Item(w, IdTxtSep), L"."));
        EXPECT_EQ(td::Text(Item(w, IdInfo)), L"Please select source-file.");
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), L"");  // no extension onto nothing

        for (const wchar_t* text :
             {kInfoTryAgain,
              L"Address converting.. kunden - Error: Cancelled by user\r\nPlease Start Navigon!"}) {
            td::TypeText(Item(w, IdInfo), text);
            EXPECT_TRUE(td::ShowsAllItsText(Item(w, IdInfo))) << text;
        }
        EXPECT_TRUE(td::ShowsAllItsText(Item(w, IdLabel1)));

        EXPECT_FALSE(IsWindowEnabled(Item(w, IdShowMap)));  // no result yet
        td::Click(Item(w, IdNowImport));
        EXPECT_TRUE(Shows(Item(w, IdInfo), L"Please set destination"));
        td::Click(Item(w, IdSetFile));
        HWND save = td::WaitForOpenDialog(GetCurrentProcessId());
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(td::ComboEntries(td::Control(save, cmb1)),
                  (std::vector<std::wstring>{L"POI-Format (*.asc)", L"CSV-Format (*.csv)",
                                             L"Other format (*.txt)", L"GPX waypoints (*.gpx)",
                                             L"KML placemarks (*.kml)", L"GeoJSON (*.geojson)"}));
        td::ChooseInOpenDialog(save, chosen);
        EXPECT_TRUE(Shows(Item(w, IdExportFileTxt), chosen));
        td::Click(Item(w, IdSetFile));
        save = td::WaitForOpenDialog(GetCurrentProcessId());
        PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
        td::WaitUntil([&] { return !IsWindow(save); });
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), chosen);
        EXPECT_EQ(SendMessageW(Item(w, IdOption1), BM_GETCHECK, 0, 0), BST_CHECKED);
        td::Click(Item(w, IdNowImport));
        EXPECT_TRUE(Shows(Item(w, IdInfo), L"Please select source-file."));

        PostMessageW(Item(w, IdImportFileTxt), WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16));
        EXPECT_TRUE(td::WaitUntil([&] { return !IsWindow(w); }));
    });
    EXPECT_FALSE(td::FileThere(chosen));
}

// The column dialog's close box cancels, its OK makes the source ready; a failure in the middle
// of the run then keeps what was written, closes both files and gives the window back. A
// destination that is the list, in another letter case, is refused and the window stays ready.
TEST_F(MainWindowTest, FromTheColumnDialogToAFailureInTheMiddleOfTheRun) {
    const std::wstring source = folder_ + L"\\kunden.csv";
    td::WriteFile(source, kList);
    const std::wstring destination = folder_ + L"\\kunden_Geo.txt";
    // The bar after the lines, as the web route's exchange begins.
    std::array<LRESULT, 3> bar{};
    std::wstring barText;
    state_.FinishWebRoute = [&](WebCollection& rows, ResultFile& result, ErrorList&,
                                ConvertWin32& surroundings) -> int {
        HWND progress = Item(surroundings.Controls().MainWindow, IdProgress);
        bar = {SendMessageW(progress, PBM_GETRANGE, TRUE, 0),
               SendMessageW(progress, PBM_GETRANGE, FALSE, 0),
               SendMessageW(progress, PBM_GETPOS, 0, 0)};
        barText = td::Text(Item(surroundings.Controls().MainWindow, IdProgressText));
        WriteResultLine(result, surroundings.FormatInForce(), {}, L"1", L"2", rows.Rows()[1].Line);
        throw std::bad_alloc();
    };
    Run([&](HWND w) {
        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), destination);
        EXPECT_EQ(td::Text(Item(w, IdInfo)), L"..");
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(
            Shows(Item(w, IdInfo), L"Address converting.. kunden - Error: Cancelled by user"));
        EXPECT_FALSE(IsWindowEnabled(Item(w, IdNowImport)));

        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(Shows(Item(w, IdInfo), L"..\r\nPlease Start Navigon!"));
        StartWithoutNavigation(w, IDYES);
        EXPECT_TRUE(Shows(Item(w, IdInfo), L"Address converting.. kunden - Error: Out of memory"));
        // The result file is there: its map can be shown.
        for (int button : {IdNowImport, IdSearchFile, IdImportFileTxt, IdShowMap}) {
            EXPECT_TRUE(IsWindowEnabled(Item(w, button))) << button;
        }
        EXPECT_EQ(td::ReadFile(destination), "name;street;zipcode;city,\"1\",\"2\"\r\n");
        // Both lines of the list were done; after the run the bar is at rest.
        EXPECT_EQ(bar, (std::array<LRESULT, 3>{0, 2, 2}));
        EXPECT_EQ(barText, L"2 of 2 lines");
        EXPECT_EQ(SendMessageW(Item(w, IdProgress), PBM_GETPOS, 0, 0), 0);
        EXPECT_EQ(td::Text(Item(w, IdProgressText)), L"");

        const std::wstring itself = folder_ + L"\\KUNDEN.CSV";
        td::TypeText(Item(w, IdExportFileTxt), itself);
        StartWithoutNavigation(w, IDYES);
        EXPECT_TRUE(Shows(Item(w, IdInfo), L"The destination-file " + itself +
                                               L" is the list itself: please choose another "
                                               L"destination."));
        EXPECT_TRUE(IsWindowEnabled(Item(w, IdNowImport)));
        EXPECT_EQ(td::ReadFile(source), kList);
        EXPECT_TRUE(DeleteFileW(destination.c_str()));
        EXPECT_TRUE(DeleteFileW(source.c_str()));
    });
    EXPECT_EQ(state_.ProfileName, L"kunden");
    EXPECT_FALSE(state_.Converting);
    EXPECT_EQ(state_.Running, nullptr);
}

// The proposal ends in "_Geo.txt" whatever option is chosen. A single file ends a batch in
// progress. A batch walks its files after "Yes" and "No" alike, each with its own destination in
// the format the user chose; the last ends it.
TEST_F(MainWindowTest, ABatchGivesEveryFileItsOwnDestinationAndASingleFileEndsIt) {
    for (const wchar_t* name : {L"a.csv", L"b.csv", L"c.csv"}) {
        td::WriteFile(folder_ + L"\\" + name, kList);
    }
    Run([&](HWND w) {
        td::Choose(Item(w, IdOption2));
        SelectSource(w, L"\"a.csv\" \"b.csv\"");
        EXPECT_TRUE(Shows(w, L"Mapwell - file 1 of 2"));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\a_Geo.txt");
        SelectSource(w, L"c.csv");
        EXPECT_TRUE(Shows(w, L"Mapwell"));

        SelectSource(w, L"\"a.csv\" \"b.csv\"");
        EXPECT_TRUE(Shows(w, L"Mapwell - file 1 of 2"));
        td::Choose(Item(w, IdOption2));
        EXPECT_TRUE(Shows(Item(w, IdExportFileTxt), folder_ + L"\\a_Geo.csv"));
        StartWithoutNavigation(w, IDYES);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(Shows(w, L"Mapwell - file 2 of 2"));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\b_Geo.csv");
        StartWithoutNavigation(w, IDNO);
        td::WaitUntil([&] { return td::TopWindows(GetCurrentProcessId(), L"#32770").empty(); });
    });
    EXPECT_EQ(state_.BatchIndex, 0);
}

}  // namespace
}  // namespace mapwell
