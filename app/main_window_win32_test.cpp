// Drives the main window in this process: the window and its message loop run on the test
// thread, a second thread works it as the user would (through the test driver).
#include "app/main_window_win32.h"

#include "app/events_win32.h"
#include "app/testdriver/driver.h"
#include "columns/import_add_layout.h"
#include "support/controls_win32.h"
#include "support/twips.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <thread>

namespace mapwell {
namespace {

namespace td = testdriver;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = td::MakeTempFolder(L"mwmain");
        SetCurrentDirectoryW(folder_.c_str());
    }
    void TearDown() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        td::RemoveFolder(folder_);
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

    std::wstring folder_;
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

TEST_F(MainWindowTest, EveryControlStandsWhereTheLayoutPutsIt) {
    Run([&](HWND w) {
        const int dpi = WindowDpi(w);
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, TwipsToPixels(kMainClientWidth, dpi));
        EXPECT_EQ(client.bottom, TwipsToPixels(kMainClientHeight, dpi));
        for (const ControlSpec& spec : MainControls()) {
            HWND control = Item(w, spec.id);
            ASSERT_NE(control, nullptr) << spec.name;
            HWND container = spec.container == IdWindow ? w : Item(w, spec.container);
            EXPECT_EQ(GetParent(control), container) << spec.name;
            RECT rect;
            GetWindowRect(control, &rect);
            MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(rect.left, TwipsToPixels(spec.left, dpi)) << spec.name;
            EXPECT_EQ(rect.top, TwipsToPixels(spec.top, dpi)) << spec.name;
            EXPECT_EQ(rect.right - rect.left, TwipsToPixels(spec.width, dpi)) << spec.name;
            EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(spec.height, dpi)) << spec.name;
            if (spec.id != IdInfo) {
                EXPECT_EQ(td::Text(control), spec.caption) << spec.name;
            }
        }
        EXPECT_EQ(td::Caption(w), L"Mapwell");
        EXPECT_EQ(InfoOf(w), L"Please select source-file.");
        EXPECT_EQ(SendMessageW(Item(w, IdOption3), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageW(Item(w, IdOption1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_TRUE(IsWindowEnabled(Item(w, IdNowImport)));
    });
}

TEST_F(MainWindowTest, StartConvertAsksForADestinationAndThenForASource) {
    const std::wstring destination = folder_ + L"\\out.txt";
    Run([&](HWND w) {
        td::Click(Item(w, IdNowImport));
        EXPECT_TRUE(InfoBecomes(w, L"Please set destination"));
        td::TypeText(Item(w, IdExportFileTxt), destination);
        td::Click(Item(w, IdNowImport));
        EXPECT_TRUE(InfoBecomes(w, L"Please select source-file."));
    });
    EXPECT_FALSE(td::FileThere(destination));
}

TEST_F(MainWindowTest, CancelInTheColumnDialogReportsTheCancelAndKeepsStartConvertOff) {
    const std::wstring source = Write(L"kunden.csv", kList);
    Run([&](HWND w) {
        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\kunden_Geo.txt");
        EXPECT_EQ(InfoOf(w), L"..");
        td::Click(GetDlgItem(dialog, IdButExit));
        EXPECT_TRUE(InfoBecomes(w, L"Address converting.. kunden - Error: Cancelled by user"));
        EXPECT_FALSE(IsWindowEnabled(Item(w, IdNowImport)));
    });
    EXPECT_FALSE(state_.SourceReady);
}

TEST_F(MainWindowTest, ClosingTheColumnDialogsWindowCountsAsCancel) {
    const std::wstring source = Write(L"kunden.csv", kList);
    Run([&](HWND w) {
        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
        ASSERT_NE(dialog, nullptr);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(InfoBecomes(w, L"Address converting.. kunden - Error: Cancelled by user"));
        EXPECT_FALSE(IsWindowEnabled(Item(w, IdNowImport)));
    });
    EXPECT_TRUE(state_.ProfileName.empty());
}

TEST_F(MainWindowTest, OkMakesTheSourceReadyAndTheOptionsSetTheExtension) {
    const std::wstring source = Write(L"kunden.csv", kList);
    Run([&](HWND w) {
        td::Choose(Item(w, IdOption2));
        td::TypeTextNoWait(Item(w, IdImportFileTxt), source);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(InfoBecomes(w, L"..\r\nPlease Start Navigon!"));
        EXPECT_TRUE(IsWindowEnabled(Item(w, IdNowImport)));
        // The proposal ends in "_Geo.txt" whatever option is chosen.
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\kunden_Geo.txt");

        td::Choose(Item(w, IdOption1));
        EXPECT_TRUE(td::WaitUntil(
            [&] { return td::Text(Item(w, IdExportFileTxt)) == folder_ + L"\\kunden_Geo.asc"; }));
        EXPECT_EQ(td::Text(Item(w, IdTxtSep)), L".");
        td::Choose(Item(w, IdOption3));
        EXPECT_TRUE(td::WaitUntil(
            [&] { return td::Text(Item(w, IdExportFileTxt)) == folder_ + L"\\kunden_Geo.txt"; }));
        EXPECT_EQ(td::Text(Item(w, IdTxtSep)), L".");

        // A destination without an extension gets one appended.
        td::TypeText(Item(w, IdExportFileTxt), L"C:\\out");
        td::Choose(Item(w, IdOption1));
        EXPECT_TRUE(
            td::WaitUntil([&] { return td::Text(Item(w, IdExportFileTxt)) == L"C:\\out.asc"; }));
    });
    EXPECT_EQ(state_.ProfileName, L"kunden");
    EXPECT_TRUE(state_.SourceReady);
}

TEST_F(MainWindowTest, OptionsWithAnEmptyDestination) {
    Run([&](HWND w) {
        td::Choose(Item(w, IdOption2));
        td::Choose(Item(w, IdOption1));
        EXPECT_TRUE(td::WaitUntil([&] { return td::Text(Item(w, IdTxtSep)) == L"."; }));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), L"");
    });
}

TEST_F(MainWindowTest, ABatchOfThreeGivesEveryFileItsOwnDestinationAndNoSkipsOneFile) {
    Write(L"a.csv", kList);
    Write(L"b.csv", kList);
    Write(L"c.csv", kList);
    Run([&](HWND w) {
        td::Click(Item(w, IdSearchFile));
        HWND open = td::WaitForOpenDialog(GetCurrentProcessId());
        ASSERT_NE(open, nullptr);
        td::ChooseInOpenDialog(open, L"\"a.csv\" \"b.csv\" \"c.csv\"");
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(w) == L"Mapwell - file 1 of 3"; }));
        EXPECT_EQ(td::Text(Item(w, IdImportFileTxt)), folder_ + L"\\a.csv");
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\a_Geo.txt");

        // No: file 1 is skipped, file 2 is loaded.
        td::Click(Item(w, IdNowImport));
        HWND box = td::WaitForMessageBox(GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(td::Caption(box), L"No Navigon found");
        EXPECT_EQ(td::MessageBoxText(box), L"Will you convert the data by Internet?");
        EXPECT_EQ(InfoOf(w), L"Please start Navigon NCK5 or NavigatoR to convert Addresslist.");
        td::Answer(box, IDNO);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(w) == L"Mapwell - file 2 of 3"; }));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\b_Geo.txt");

        // The user may still change the destination's folder and format before Start Convert.
        td::TypeText(Item(w, IdExportFileTxt), folder_ + L"\\result.csv");
        td::Click(Item(w, IdNowImport));
        box = td::WaitForMessageBox(GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        td::Answer(box, IDYES);
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(w) == L"Mapwell - file 3 of 3"; }));
        EXPECT_EQ(td::Text(Item(w, IdExportFileTxt)), folder_ + L"\\c_Geo.csv");

        td::Click(Item(w, IdNowImport));
        box = td::WaitForMessageBox(GetCurrentProcessId());
        ASSERT_NE(box, nullptr);
        td::Answer(box, IDNO);
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
        td::Click(Item(w, IdNowImport));
        td::Answer(td::WaitForMessageBox(GetCurrentProcessId()), IDYES);
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
    Write(L"a.csv", kList);
    Write(L"b.csv", kList);
    Write(L"single.csv", kList);
    Run([&](HWND w) {
        td::Click(Item(w, IdSearchFile));
        td::ChooseInOpenDialog(td::WaitForOpenDialog(GetCurrentProcessId()),
                               L"\"a.csv\" \"b.csv\"");
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(w) == L"Mapwell - file 1 of 2"; }));
        td::Click(Item(w, IdSearchFile));
        td::ChooseInOpenDialog(td::WaitForOpenDialog(GetCurrentProcessId()), L"single.csv");
        AnswerColumnDialog(IdButOk);
        EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(w) == L"Mapwell"; }));
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
