// End-to-end tests: the real Mapwell.exe and the stand-in navigation program NavServer.exe,
// driven from outside through the test driver, the way a user works them.
#include "app/window/main_layout.h"
#include "app/testing/test_win32.h"
#include "columns/import_add_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace mapwell {
namespace {

namespace td = test;

constexpr char kHeading[] = "name;street;zipcode;city\r\n";
constexpr char kAddress[] = "Hans Meier;Hauptstr. 5;10115;Berlin\r\n";

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mapwell");
        folder_ = td::MakeTempFolder(L"mwe2e");
    }
    void TearDown() override {
        mapwell_.Kill();
        navigation_.Kill();
        td::RemoveFolder(folder_);
    }

    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::string Read(const std::wstring& name) const { return td::ReadFile(Path(name)); }

    // NavServer.exe with the sample gazetteer, logging into the test's folder, and Mapwell.exe,
    // once its detection timer has announced it to the navigation program.
    void StartBoth(const std::wstring& navigationOptions = L"") {
        navigation_ = td::StartSampleNavServer(folder_, L"--log \"" + Path(L"nav.log") + L"\" " +
                                                            navigationOptions);
        ASSERT_TRUE(navigation_.started());
        mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe", L"", folder_);
        ASSERT_TRUE(mapwell_.started());
        main_ = td::WaitForMainWindow(mapwell_.id());
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(td::WaitUntil([&] { return Count("announce from") > 0; }));
    }

    // How many lines of the navigation program's log start with `what` ("announce from").
    int Count(const std::string& what) const {
        return td::CountLines(td::ReadLines(Path(L"nav.log")), what);
    }

    HWND Item(int id) const { return td::Control(main_, id); }
    std::wstring Info() const { return td::Text(Item(IdInfo)); }

    void Leave(HWND dialog, int button) {
        ASSERT_NE(dialog, nullptr);
        td::Click(GetDlgItem(dialog, button));
        ASSERT_TRUE(td::WaitUntil([&] { return !td::ColumnDialogOpen(mapwell_.id()); }));
    }

    std::wstring folder_;
    td::Program navigation_, mapwell_;
    HWND main_ = nullptr;
};

// The third list's heading line has very many fields: its column dialog must still open
// (bounded only in the wait: a dialog that freezes while it fills its lists never appears).
TEST_F(EndToEnd, ABatchOfThreeListsEachInTheFormatChosenForIt) {
    const std::string wide = "name;street;zipcode;city" + std::string(1048576, ';') + "\r\n";
    const struct {
        int option;
        const wchar_t* result;
        std::string bytes;
    } files[] = {
        {IdOption1, L"a_Geo.asc",
         "52.5323,13.3846,\"Hans Meier Hans Meier - Hauptstr. 5 10115 Berlin, \"\r\n"},
        // The "." that the POI format put into the decimal separator box stays.
        {IdOption2, L"b_Geo.csv",
         "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\",\"Description\","
         "\"Latitude\",\"Longitude\"\r\n"
         "\"Hans Meier\",\"Hans Meier\",\"Hauptstr. 5\",\"10115\",\"Berlin\",\"\",\"52.5323\","
         "\"13.3846\"\r\n"},
        {IdOption3, L"c_Geo.txt",
         "Hans Meier;Hauptstr. 5;10115;Berlin,\"52.5323\",\"13.3846\"\r\n"},
    };
    td::WriteFile(Path(L"a.csv"), kHeading + std::string(kAddress));
    td::WriteFile(Path(L"b.csv"), kHeading + std::string(kAddress));
    td::WriteFile(Path(L"c.csv"), wide + kAddress);
    StartBoth();
    td::Click(Item(IdSearchFile));
    td::ChooseInOpenDialog(td::WaitForOpenDialog(mapwell_.id()), L"\"a.csv\" \"b.csv\" \"c.csv\"");
    Leave(td::WaitForColumnDialog(mapwell_.id()), IdButOk);
    for (int i = 0; i < 3; ++i) {
        const std::wstring caption = L"Mapwell - file " + std::to_wstring(i + 1) + L" of 3";
        EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(main_) == caption; }));
        td::Choose(Item(files[i].option));
        ASSERT_TRUE(td::WaitUntil(
            [&] { return td::Text(Item(IdExportFileTxt)) == Path(files[i].result); }));
        const int announced = Count("announce from");
        td::Click(Item(IdNowImport));
        if (i < 2) {
            // The next file's column dialog replaces the summary at once. A found reply leaves
            // the link down until the detection timer has announced the program again;
            // "Start Convert" before that would ask about the web route.
            HWND next = td::WaitForColumnDialog(mapwell_.id(), 120000);
            ASSERT_TRUE(td::WaitUntil([&] { return Count("announce from") > announced; }));
            Sleep(300);
            Leave(next, IdButOk);
        }
    }
    // Each heading line fails like any address the navigation program does not know.
    EXPECT_TRUE(td::WaitUntil(
        [&] {
            return Info() == L"Converting: 1 of 2\r\nFailed items are saved in ConvertError.txt";
        },
        120000))
        << Info();
    for (const auto& file : files) {
        EXPECT_EQ(Read(file.result), file.bytes);
    }
    EXPECT_EQ(Read(L"ConvertError.txt"), kHeading + std::string(kHeading) + wide);
}

// A navigation program that never returns from its third request: "Exit" still ends Mapwell,
// after the send under way, with the line converted before it whole on disk.
TEST_F(EndToEnd, ExitWhileTheNavigationProgramHangsKeepsTheConvertedLines) {
    td::WriteFile(Path(L"list.csv"),
                  kHeading + std::string(kAddress) + "Eva Schulz;Ring 2;20095;Hamburg\r\n");
    StartBoth(L"--stall 600000 --stall-from 3");
    td::TypeTextNoWait(Item(IdImportFileTxt), Path(L"list.csv"));
    Leave(td::WaitForColumnDialog(mapwell_.id()), IdButOk);
    ASSERT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(Item(IdNowImport)) != FALSE; }));
    td::Click(Item(IdNowImport));
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 3; }));
    td::Click(Item(IdCommand2));
    EXPECT_EQ(mapwell_.ExitCode(), 0);
    EXPECT_EQ(Read(L"list_Geo.txt"),
              "Hans Meier;Hauptstr. 5;10115;Berlin,\"52,5323\",\"13,3846\"\r\n");
}

}  // namespace
}  // namespace mapwell
