// Drives the main window in this process: the window and its message loop run on the test
// thread, a second thread works it as the user would (through the test driver).
#include "app/window/main_window_win32.h"

#include "app/web/web_route.h"

#include "app/window/events_win32.h"
#include "app/testing/test_win32.h"
#include "columns/import_add_layout.h"
#include "support/controls_win32.h"
#include "support/twips.h"

#include <gtest/gtest.h>

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
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mapwell");
    }

    std::wstring Write(const wchar_t* name, const std::string& bytes) {
        const std::wstring path = folder_ + L"\\" + name;
        td::WriteFile(path, bytes);
        return path;
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
std::wstring InfoOf(HWND window) {
    return td::Text(Item(window, IdInfo));
}
bool InfoBecomes(HWND window, const std::wstring& text) {
    return td::WaitUntil([&] { return InfoOf(window) == text; });
}

// Answers the column dialog that the evaluation of a source opens.
void AnswerColumnDialog(int button) {
    HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
    ASSERT_NE(dialog, nullptr);
    td::Click(GetDlgItem(dialog, button));
    td::WaitUntil([] { return !td::ColumnDialogOpen(GetCurrentProcessId()); });
}

constexpr char kList[] = "name;street;zipcode;city\r\nHans;Hauptstr. 5;12345;Berlin\r\n";

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
};
// clang-format on

// The window as designed, every instruction whole in its status label, and "Start Convert"
// before there is anything to convert.
TEST_F(MainWindowTest, TheWindowAsDesignedAndStartConvertWithNothingToConvert) {
    Run([&](HWND w) {
        const auto px = [dpi = WindowDpi(w)](int twips) { return TwipsToPixels(twips, dpi); };
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, px(5385));
        EXPECT_EQ(client.bottom, px(4260));
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
        EXPECT_EQ(td::Caption(w), L"Mapwell");
        EXPECT_EQ(SendMessageW(Item(w, IdOption3), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageW(Item(w, IdOption1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_TRUE(IsWindowEnabled(Item(w, IdNowImport)));
        // The status label is the only place where the program tells the user what to do next:
        // every instruction shows whole.
        for (const wchar_t* text :
             {L"Please select source-file.", L"Please set destination",
              L"Please start Navigon NCK5 or NavigatoR to convert Addresslist.",
              L"..\r\nPlease Start Navigon!", kInfoTryAgain, kInfoStartBrowser,
              L"Converting: 99999 of 99999\r\nFailed items are saved in ConvertError.txt",
              L"Address converting.. kunden - Error: Cancelled by user\r\nPlease Start Navigon!"}) {
            td::TypeText(Item(w, IdInfo), text);
            EXPECT_TRUE(td::ShowsAllItsText(Item(w, IdInfo))) << text;
        }
        EXPECT_TRUE(td::ShowsAllItsText(Item(w, IdLabel1)));

        // "Start Convert" asks for a destination, then for a source, and writes nothing.
        td::Click(Item(w, IdNowImport));
        EXPECT_TRUE(InfoBecomes(w, L"Please set destination"));
        td::TypeText(Item(w, IdExportFileTxt), folder_ + L"\\out.txt");
        td::Click(Item(w, IdNowImport));
        EXPECT_TRUE(InfoBecomes(w, L"Please select source-file."));
    });
    EXPECT_FALSE(td::FileThere(folder_ + L"\\out.txt"));
}

TEST_F(MainWindowTest, CancelOrClosingTheColumnDialogReportsTheCancelAndKeepsStartConvertOff) {
    const std::wstring source = Write(L"kunden.csv", kList);
    for (bool closeBox : {false, true}) {
        Run([&](HWND w) {
            td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
            HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\kunden_Geo.txt");
            EXPECT_EQ(InfoOf(w), L"..");
            if (closeBox) {
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            } else {
                td::Click(GetDlgItem(dialog, IdButExit));
            }
            EXPECT_TRUE(InfoBecomes(w, L"Address converting.. kunden - Error: Cancelled by user"));
            EXPECT_FALSE(IsWindowEnabled(Item(w, IdNowImport)));
        });
        EXPECT_FALSE(state_.SourceReady);
        EXPECT_TRUE(state_.ProfileName.empty());
    }
}

// The list's heading line has very many fields: its column dialog must still open (bounded only
// in the wait: a dialog that freezes while it fills its lists never appears).
TEST_F(MainWindowTest, OkMakesTheSourceReadyAndTheOptionsSetTheExtension) {
    const std::wstring source = Write(
        L"kunden.csv", "name;street;zipcode;city" + std::string(1048576, ';') + "\r\n" + kList);
    Run([&](HWND w) {
        td::Choose(Item(w, IdOption2));
        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(InfoBecomes(w, L"..\r\nPlease Start Navigon!"));
        EXPECT_TRUE(IsWindowEnabled(Item(w, IdNowImport)));
        // The proposal ends in "_Geo.txt" whatever option is chosen.
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\kunden_Geo.txt");

        // Each option puts its extension on; one without an extension gets it appended.
        const auto choose = [&](int option, const std::wstring& destination) {
            td::Choose(Item(w, option));
            EXPECT_TRUE(
                td::WaitUntil([&] { return td::Text(Item(w, IdExportFileTxt)) == destination; }));
            EXPECT_EQ(td::Text(Item(w, IdTxtSep)), L".");
        };
        choose(IdOption1, folder_ + L"\\kunden_Geo.asc");
        choose(IdOption3, folder_ + L"\\kunden_Geo.txt");
        td::TypeText(Item(w, IdExportFileTxt), L"C:\\out");
        choose(IdOption1, L"C:\\out.asc");
    });
    EXPECT_EQ(state_.ProfileName, L"kunden");
    EXPECT_TRUE(state_.SourceReady);
}

TEST_F(MainWindowTest, SetDestinationPutsTheSavedNameIntoTheBoxAndCancelChangesNothing) {
    const std::wstring chosen = folder_ + L"\\chosen.asc";
    Run([&](HWND w) {
        td::Click(Item(w, IdSetFile));
        HWND save = td::WaitForOpenDialog(GetCurrentProcessId());
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(td::ComboEntries(td::Control(save, cmb1)),
                  (std::vector<std::wstring>{L"POI-Format (*.asc)", L"CSV-Format (*.csv)",
                                             L"Other format (*.txt)"}));
        td::ChooseInOpenDialog(save, chosen);
        EXPECT_TRUE(td::WaitUntil([&] { return td::Text(Item(w, IdExportFileTxt)) == chosen; }));
        td::Click(Item(w, IdSetFile));
        save = td::WaitForOpenDialog(GetCurrentProcessId());
        PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
        td::WaitUntil([&] { return !IsWindow(save); });
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), chosen);
        EXPECT_EQ(SendMessageW(Item(w, IdOption3), BM_GETCHECK, 0, 0), BST_CHECKED);
    });
}

bool CaptionBecomes(HWND window, const std::wstring& caption) {
    return td::WaitUntil([&] { return td::Caption(window) == caption; });
}
// Clicks "Start Convert" without a navigation program and answers the question about the web
// route; "No" skips the file, the next one is loaded and its column dialog answered.
void StartWithoutNavigation(HWND window, int answer) {
    td::Click(Item(window, IdNowImport));
    HWND box = td::WaitForMessageBox(GetCurrentProcessId());
    ASSERT_NE(box, nullptr);
    td::Answer(box, answer);
}

TEST_F(MainWindowTest, ABatchOfThreeGivesEveryFileItsOwnDestinationAndNoSkipsOneFile) {
    for (const wchar_t* name : {L"a.csv", L"b.csv", L"c.csv"}) {
        Write(name, kList);
    }
    Run([&](HWND w) {
        td::Click(Item(w, IdSearchFile));
        td::ChooseInOpenDialog(td::WaitForOpenDialog(GetCurrentProcessId()),
                               L"\"a.csv\" \"b.csv\" \"c.csv\"");
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(CaptionBecomes(w, L"Mapwell - file 1 of 3"));
        EXPECT_EQ(td::Text(Item(w, IdImportFileTxt)), folder_ + L"\\a.csv");
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\a_Geo.txt");

        td::Click(Item(w, IdNowImport));
        HWND box = td::WaitForMessageBox(GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(td::Caption(box), L"No Navigon found");
        EXPECT_EQ(td::MessageBoxText(box), L"Will you convert the data by Internet?");
        EXPECT_EQ(InfoOf(w), L"Please start Navigon NCK5 or NavigatoR to convert Addresslist.");
        td::Answer(box, IDNO);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(CaptionBecomes(w, L"Mapwell - file 2 of 3"));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\b_Geo.txt");

        // The user may still change the destination's folder and format before Start Convert.
        td::TypeText(Item(w, IdExportFileTxt), folder_ + L"\\result.csv");
        StartWithoutNavigation(w, IDYES);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(CaptionBecomes(w, L"Mapwell - file 3 of 3"));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\c_Geo.csv");

        StartWithoutNavigation(w, IDNO);
        td::WaitUntil([&] { return td::TopWindows(GetCurrentProcessId(), L"#32770").empty(); });
        EXPECT_EQ(td::Caption(w), L"Mapwell - file 3 of 3");
    });
    EXPECT_EQ(state_.BatchIndex, 0);
}

TEST_F(MainWindowTest, AFailureInTheMiddleOfARunKeepsWhatWasWrittenAndGivesTheWindowBack) {
    const std::wstring source = Write(L"kunden.csv", kList);
    const std::wstring destination = folder_ + L"\\kunden_Geo.txt";
    state_.FinishWebRoute = [](WebCollection& rows, ResultFile& result, ErrorList&,
                               ConvertWin32& surroundings) -> int {
        WriteResultLine(result, surroundings.FormatInForce(), {}, L"1", L"2", rows.Rows()[1].Line);
        throw std::bad_alloc();
    };
    Run([&](HWND w) {
        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        AnswerColumnDialog(IdButOk);
        StartWithoutNavigation(w, IDYES);
        EXPECT_TRUE(InfoBecomes(w, L"Address converting.. kunden - Error: Out of memory"));
        for (int button : {IdNowImport, IdSearchFile, IdImportFileTxt}) {
            EXPECT_TRUE(IsWindowEnabled(Item(w, button))) << button;
        }
        // Both files are closed: they can be deleted.
        EXPECT_EQ(td::ReadFile(destination), "name;street;zipcode;city,\"1\",\"2\"\r\n");
        EXPECT_TRUE(DeleteFileW(destination.c_str()));
        EXPECT_TRUE(DeleteFileW(source.c_str()));
    });
    EXPECT_FALSE(state_.Converting);
    EXPECT_EQ(state_.Running, nullptr);
}

TEST_F(MainWindowTest, ASingleFileEndsABatchInProgress) {
    for (const wchar_t* name : {L"a.csv", L"b.csv", L"single.csv"}) {
        Write(name, kList);
    }
    Run([&](HWND w) {
        td::Click(Item(w, IdSearchFile));
        td::ChooseInOpenDialog(td::WaitForOpenDialog(GetCurrentProcessId()),
                               L"\"a.csv\" \"b.csv\"");
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(CaptionBecomes(w, L"Mapwell - file 1 of 2"));
        td::Click(Item(w, IdSearchFile));
        td::ChooseInOpenDialog(td::WaitForOpenDialog(GetCurrentProcessId()), L"single.csv");
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(CaptionBecomes(w, L"Mapwell"));
        EXPECT_EQ(td::Text(Item(w, IdImportFileTxt)), folder_ + L"\\single.csv");
    });
    EXPECT_EQ(state_.BatchIndex, 0);
    EXPECT_TRUE(state_.BatchFiles.empty());
}

TEST_F(MainWindowTest, EnterInATextBoxStartsNothingAndAltF4Closes) {
    HWND closed = nullptr;
    Run([&](HWND w) {
        for (int box : {IdImportFileTxt, IdExportFileTxt, IdTxtSep}) {
            PostMessageW(Item(w, box), WM_KEYDOWN, VK_RETURN, 1);
        }
        // Handled after the Enters; "Start Convert" would have asked for a destination.
        td::Click(Item(w, IdOption1));
        EXPECT_TRUE(td::WaitUntil([&] { return td::Text(Item(w, IdTxtSep)) == L"."; }));
        EXPECT_EQ(InfoOf(w), L"Please select source-file.");
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), L"");  // no extension onto nothing
        PostMessageW(Item(w, IdImportFileTxt), WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16));
        EXPECT_TRUE(td::WaitUntil([&] { return !IsWindow(w); }));
        closed = w;
    });
    EXPECT_NE(closed, nullptr);
}

TEST_F(MainWindowTest, TabWalksTheControlsFromTopToBottom) {
    Run([&](HWND w) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        const DWORD thread = GetWindowThreadProcessId(w, nullptr);
        auto focus = [&] {
            GetGUIThreadInfo(thread, &info);
            return info.hwndFocus;
        };
        const int order[] = {IdImportFileTxt, IdSearchFile, IdExportFileTxt, IdSetFile};
        EXPECT_TRUE(td::WaitUntil([&] { return focus() == Item(w, order[0]); }));
        for (std::size_t i = 1; i < std::size(order); ++i) {
            PostMessageW(focus(), WM_KEYDOWN, VK_TAB, 1);
            EXPECT_TRUE(td::WaitUntil([&] { return focus() == Item(w, order[i]); })) << i;
        }
    });
}

}  // namespace
}  // namespace mapwell
