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
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mapwell"); }
    void TearDown() override {
        mapwell_.Kill();
        navigation_.Kill();
    }

    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::string Read(const std::wstring& name) const { return td::ReadFile(Path(name)); }

    // NavServer.exe with the sample gazetteer, logging into the test's folder, and Mapwell.exe,
    // once its detection timer has announced it to the navigation program.
    void StartBoth(const std::wstring& navigationOptions = L"") {
        navigation_ = td::StartSampleNavServer(folder_, L"--log \"" + Path(L"nav.log") + L"\" " +
                                                            navigationOptions);
        ASSERT_TRUE(navigation_.Started());
        mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe", L"", folder_);
        ASSERT_TRUE(mapwell_.Started());
        main_ = td::WaitForMainWindow(mapwell_.Id());
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
        ASSERT_TRUE(td::WaitUntil([&] { return !td::ColumnDialogOpen(mapwell_.Id()); }));
    }

    TestFolder temp_;
    const std::wstring folder_ = temp_.Path().wstring();
    td::Program navigation_, mapwell_;
    HWND main_ = nullptr;
};

// A navigation program that never returns from its third request: "Exit" still ends Mapwell,
// after the send under way, with the line converted before it whole on disk, in the format
// chosen.
TEST_F(EndToEnd, ExitWhileTheNavigationProgramHangsKeepsTheConvertedLines) {
    td::WriteFile(Path(L"list.csv"),
                  kHeading + std::string(kAddress) + "Eva Schulz;Ring 2;20095;Hamburg\r\n");
    StartBoth(L"--stall 600000 --stall-from 3");
    td::TypeTextNoWait(Item(IdImportFileTxt), Path(L"list.csv"));
    Leave(td::WaitForColumnDialog(mapwell_.Id()), IdButOk);
    td::Choose(Item(IdOption1));
    ASSERT_TRUE(
        td::WaitUntil([&] { return td::Text(Item(IdExportFileTxt)) == Path(L"list_Geo.asc"); }));
    ASSERT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(Item(IdNowImport)) != FALSE; }));
    td::Click(Item(IdNowImport));
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 3; }));
    td::Click(Item(IdCommand2));
    EXPECT_EQ(mapwell_.ExitCode(), 0);
    EXPECT_EQ(Read(L"list_Geo.asc"),
              "52.5323,13.3846,\"Hans Meier Hans Meier - Hauptstr. 5 10115 Berlin, \"\r\n");
}

}  // namespace
}  // namespace mapwell
