// End-to-end tests: the real Mapwell.exe and the stand-in navigation program NavServer.exe,
// driven from outside the way a user or a script works them.
#include "app/window/main_layout.h"
#include "app/testing/test_win32.h"
#include "columns/import_add_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mapwell {
namespace {

namespace td = test;

constexpr char kAddresses[] = "Hans Meier;Hauptstr. 5;10115;Berlin\r\n"
                              "Eva Schulz;Ring 2;20095;Hamburg\r\n";

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mapwell"); }

    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }
    std::string Read(const std::wstring& name) const { return td::ReadFile(Path(name)); }

    // NavServer.exe with the sample gazetteer, logging into the test's folder.
    void StartNavigation(const std::wstring& options = L"") {
        navigation_ =
            td::StartSampleNavServer(folder_, L"--log \"" + Path(L"nav.log") + L"\" " + options);
        ASSERT_TRUE(navigation_.Started());
    }
    // How many lines of the navigation program's log start with `what` ("announce from").
    int Count(const std::string& what) const {
        return td::CountLines(td::ReadLines(Path(L"nav.log")), what);
    }

    TestFolder temp_;
    const std::wstring folder_ = temp_.Path().wstring();
    td::Program navigation_, mapwell_;
};

// A navigation program that never returns from its third request: "Exit" still ends Mapwell,
// after the send under way, with the line converted before it whole on disk, in the format
// chosen. Mapwell.exe carries its icon.
TEST_F(EndToEnd, ExitWhileTheNavigationProgramHangsKeepsTheConvertedLines) {
    td::WriteFile(Path(L"list.csv"), "name;street;zipcode;city\r\n" + std::string(kAddresses));
    StartNavigation(L"--stall 600000 --stall-from 3");
    mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe", L"", folder_);
    HWND main = td::WaitForMainWindow(mapwell_.Id());
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(td::WaitUntil([&] { return Count("announce from") > 0; }));
    const auto item = [&](int id) { return td::Control(main, id); };
    td::TypeTextNoWait(item(IdImportFileTxt), Path(L"list.csv"));
    td::Click(GetDlgItem(td::WaitForColumnDialog(mapwell_.Id()), IdButOk));
    ASSERT_TRUE(td::WaitUntil([&] { return !td::ColumnDialogOpen(mapwell_.Id()); }));
    td::Choose(item(IdOption1));
    ASSERT_TRUE(
        td::WaitUntil([&] { return td::Text(item(IdExportFileTxt)) == Path(L"list_Geo.asc"); }));
    ASSERT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(item(IdNowImport)) != FALSE; }));
    td::Click(item(IdNowImport));
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 3; }));
    td::Click(item(IdCommand2));
    EXPECT_EQ(mapwell_.ExitCode(), 0);
    EXPECT_EQ(Read(L"list_Geo.asc"),
              "52.5323,13.3846,\"Hans Meier Hans Meier - Hauptstr. 5 10115 Berlin, \"\r\n");

    HMODULE exe = LoadLibraryExW((td::BinFolder() + L"Mapwell.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(LoadIconW(exe, MAKEINTRESOURCEW(1)), nullptr);
    FreeLibrary(exe);
}

// Mapwell.exe killed while the navigation program hangs on its third line: the two lines
// converted before it are in the result file.
TEST_F(EndToEnd, AKilledRunLeavesItsConvertedLinesOnDisk) {
    td::WriteFile(Path(L"list.csv"), std::string(kAddresses) + kAddresses);
    StartNavigation(L"--stall 600000 --stall-from 3");
    mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe",
                           L"/convert list.csv /columns street=2,zip=3,city=4", folder_);
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 3; }));
    mapwell_.Kill();
    EXPECT_EQ(
        td::ReadLines(Path(L"list_Geo.txt")),
        (std::vector<std::string>{"Hans Meier;Hauptstr. 5;10115;Berlin,\"52,5323\",\"13,3846\"",
                                  "Eva Schulz;Ring 2;20095;Hamburg,\"53,5503\",\"10,0006\""}));
}

// Mapwell.exe /convert, never with a window: what it says, its exit codes, and its result files
// byte for byte. An inline profile is used for its run only, unless /save keeps it.
TEST_F(EndToEnd, TheCommandLine) {
    td::WriteFile(Path(L"kunden.csv"), kAddresses);
    td::WriteFile(Path(L"a.csv"), kAddresses);
    td::WriteFile(Path(L"fremd.csv"),
                  "Ida Berg;Gasse 1;99999;Nirgendwo\r\n" + std::string(kAddresses));
    CreateDirectoryW(Path(L"out").c_str(), nullptr);
    const std::wstring columns = L" /columns name1=1,street=2,zip=3,city=4";
    const struct {
        bool navigation;
        std::wstring arguments;
        long exitCode;
        std::string says;
    } cases[] = {
        {false, L"/convert kunden.csv /wait 1" + columns, 3,
         "No navigation program announced itself within 1 seconds"},
        {false, L"/?", 0, "Mapwell.exe /convert <list> [more lists...] [options]"},
        {true, L"/convert fremd.csv" + columns, 1,
         "Converting: 2 of 3\r\n  Failed items are saved in ConvertError.txt"},
        {true, L"/convert fremd.csv", 2, "No column profile \"fremd\""},
        {true, L"/convert kunden.csv /format pdf", 2,
         "Mapwell: /format \"pdf\" is not valid: use asc, csv or txt."},
        {true, L"/convert missing.csv" + columns, 2, "Can't open source-file missing.csv"},
        {true, L"/convert kunden.csv /profile Kunden /save" + columns, 0,
         "Converting of 2 completed without errors."},
        {true, L"/CONVERT a.csv kunden.csv /Out out /format:csv /profile kunden", 0,
         "[2/2] kunden.csv -> out\\kunden_Geo.csv (profile kunden)"},
    };
    for (const auto& c : cases) {
        if (c.navigation && !navigation_.Started()) {
            StartNavigation();
        }
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE output = CreateFileW(Path(L"output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe", c.arguments, folder_, output);
        CloseHandle(output);
        bool showedWindow = false;
        td::WaitUntil([&] {
            showedWindow = showedWindow || !td::TopWindows(mapwell_.Id()).empty();
            return WaitForSingleObject(mapwell_.Handle(), 0) == WAIT_OBJECT_0;
        });
        const std::string said = Read(L"output.txt");
        EXPECT_EQ(mapwell_.ExitCode(0), c.exitCode) << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_FALSE(showedWindow);
    }
    EXPECT_EQ(Read(L"ConvertError.txt"), "Ida Berg;Gasse 1;99999;Nirgendwo\r\n");
    for (const wchar_t* name : {L"out\\a_Geo.csv", L"out\\kunden_Geo.csv"}) {
        EXPECT_EQ(Read(name), "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\","
                              "\"Description\",\"Latitude\",\"Longitude\"\r\n"
                              "\"Hans Meier\",\"\",\"Hauptstr. 5\",\"10115\",\"Berlin\",\"\","
                              "\"52,5323\",\"13,3846\"\r\n"
                              "\"Eva Schulz\",\"\",\"Ring 2\",\"20095\",\"Hamburg\",\"\","
                              "\"53,5503\",\"10,0006\"\r\n");
    }
}

}  // namespace
}  // namespace mapwell
