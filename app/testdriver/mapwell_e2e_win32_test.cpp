// End-to-end tests: the real Mapwell.exe and the stand-in navigation program NavServer.exe,
// driven from outside through the test driver, the way a user works them.
#include "app/main_layout.h"
#include "app/testdriver/driver.h"
#include "columns/import_add_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace mapwell {
namespace {

namespace td = testdriver;

constexpr char kList[] = "name;street;zipcode;city\r\n"
                         "Hans Meier;Hauptstr. 5;10115;Berlin\r\n"
                         "Eva Schulz;Ring 2;20095;Hamburg\r\n";

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.rfind(prefix, 0) == 0;
}

int CountLines(const std::string& bytes) {
    int lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
         at = bytes.find("\r\n", at + 2)) {
        ++lines;
    }
    return lines;
}

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
    void Write(const std::wstring& name, const std::string& bytes) {
        td::WriteFile(Path(name), bytes);
    }

    // NavServer.exe with the sample gazetteer, logging into the test's folder.
    void StartNavigation(const std::wstring& options = L"") {
        navigation_ =
            td::StartSampleNavServer(folder_, L"--log \"" + Path(L"nav.log") + L"\" " + options);
        ASSERT_TRUE(navigation_.Started());
    }

    void StartMapwell() {
        mapwell_ = td::Start(td::SiblingPath(L"Mapwell.exe"), L"", folder_);
        ASSERT_TRUE(mapwell_.Started());
        main_ = td::WaitForMainWindow(mapwell_.Id());
        ASSERT_NE(main_, nullptr);
    }

    // The detection timer has found the navigation program and announced Mapwell to it.
    void WaitForLink() {
        ASSERT_TRUE(td::WaitUntil([&] {
            return td::ReadFile(Path(L"nav.log")).find("announce from") != std::string::npos;
        }));
    }

    // How often the navigation program's log holds `what` ("announce from", "command 5").
    int Count(const std::string& what) const {
        const std::string log = td::ReadFile(Path(L"nav.log"));
        int count = 0;
        for (std::size_t at = log.find(what); at != std::string::npos;
             at = log.find(what, at + 1)) {
            ++count;
        }
        return count;
    }

    // A found reply leaves the link marked down until the detection timer has announced the
    // program again and the navigation program has answered; "Start Convert" before that asks
    // about the web route. A user never clicks that fast; the test waits for the answer.
    void WaitForRelink(int announcementsBefore) {
        ASSERT_TRUE(td::WaitUntil([&] { return Count("announce from") > announcementsBefore; }));
        Sleep(300);
    }

    HWND Item(int id) const { return td::Control(main_, id); }
    std::wstring Info() const { return td::Text(Item(IdInfo)); }

    // Puts a source into the source box and waits for its column dialog.
    HWND OpenColumnDialog(const std::wstring& name) {
        td::TypeTextNoWait(Item(IdImportFileTxt), Path(name));
        return td::WaitForColumnDialog(mapwell_.Id());
    }
    void Leave(HWND dialog, int button) {
        td::Click(GetDlgItem(dialog, button));
        ASSERT_TRUE(td::WaitUntil([&] { return !td::ColumnDialogOpen(mapwell_.Id()); }));
    }
    void Evaluate(const std::wstring& name) {
        HWND dialog = OpenColumnDialog(name);
        ASSERT_NE(dialog, nullptr);
        Leave(dialog, IdButOk);
        ASSERT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(Item(IdNowImport)) != FALSE; }));
    }
    // "Start Convert" with a navigation program linked: waits for the engine's summary or, in a
    // batch, for the next file's column dialog, which replaces the summary at once.
    void Convert() {
        td::Click(Item(IdNowImport));
        ASSERT_TRUE(td::WaitUntil(
            [&] { return StartsWith(Info(), L"Convert") || td::ColumnDialogOpen(mapwell_.Id()); },
            120000))
            << Info();
    }

    std::wstring folder_;
    td::Program navigation_, mapwell_;
    HWND main_ = nullptr;
};

TEST_F(EndToEnd, ASingleListInEachFormat) {
    Write(L"kunden.csv", kList);
    StartNavigation();
    StartMapwell();
    WaitForLink();
    struct Case {
        int option;
        const wchar_t* result;
    };
    const Case cases[] = {{IdOption1, L"kunden_Geo.asc"},
                          {IdOption2, L"kunden_Geo.csv"},
                          {IdOption3, L"kunden_Geo.txt"}};
    int announced = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        td::TypeText(Item(IdExportFileTxt), L"");
        if (c.option != IdOption1) {
            WaitForRelink(announced);
        }
        announced = Count("announce from");
        Evaluate(L"kunden.csv");
        EXPECT_EQ(Info(), L"..");
        td::Choose(Item(c.option));
        ASSERT_TRUE(
            td::WaitUntil([&] { return td::Text(Item(IdExportFileTxt)) == Path(c.result); }));
        Convert();
        // The heading line fails like any address the navigation program does not know.
        EXPECT_EQ(Info(), L"Converting: 2 of 3\r\nFailed items are saved in ConvertError.txt")
            << td::ReadFile(Path(L"nav.log"));
        const std::string result = td::ReadFile(Path(c.result));
        EXPECT_NE(result.find("Berlin"), std::string::npos) << result;
        EXPECT_NE(result.find("Hamburg"), std::string::npos) << result;
        EXPECT_NE(result.find("52"), std::string::npos) << result;
        if (c.option == IdOption3) {
            EXPECT_EQ(result.rfind("Hans Meier;Hauptstr. 5;10115;Berlin", 0), 0u) << result;
            EXPECT_EQ(CountLines(result), 2) << result;
        }
    }
    EXPECT_NE(td::ReadFile(Path(L"ConvertError.txt")).find("name;street;zipcode;city"),
              std::string::npos);
}

TEST_F(EndToEnd, ABatchOfThreeWritesThreeResults) {
    Write(L"a.csv", kList);
    Write(L"b.csv", "name;street;zipcode;city\r\nEva Schulz;Ring 2;20095;Hamburg\r\n");
    Write(L"c.csv", "name;street;zipcode;city\r\nIda Berg;Gasse 1;1010;Wien\r\n");
    StartNavigation();
    StartMapwell();
    WaitForLink();
    td::Click(Item(IdSearchFile));
    HWND open = td::WaitForOpenDialog(mapwell_.Id());
    ASSERT_NE(open, nullptr);
    td::ChooseInOpenDialog(open, L"\"a.csv\" \"b.csv\" \"c.csv\"");
    Leave(td::WaitForColumnDialog(mapwell_.Id()), IdButOk);
    EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(main_) == L"Mapwell - file 1 of 3"; }));
    for (int file = 1; file <= 3; ++file) {
        const int announced = Count("announce from");
        Convert();
        if (file < 3) {
            HWND dialog = td::WaitForColumnDialog(mapwell_.Id());
            WaitForRelink(announced);
            Leave(dialog, IdButOk);
            const std::wstring caption = L"Mapwell - file " + std::to_wstring(file + 1) + L" of 3";
            EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(main_) == caption; }));
        }
    }
    EXPECT_EQ(td::Caption(main_), L"Mapwell - file 3 of 3");
    EXPECT_EQ(CountLines(td::ReadFile(Path(L"a_Geo.txt"))), 2);
    EXPECT_NE(td::ReadFile(Path(L"b_Geo.txt")).find("Hamburg"), std::string::npos);
    EXPECT_NE(td::ReadFile(Path(L"c_Geo.txt")).find("Wien"), std::string::npos);
}

TEST_F(EndToEnd, CancelInTheColumnDialogLeavesTheListUnconverted) {
    Write(L"kunden.csv", kList);
    StartMapwell();
    HWND dialog = OpenColumnDialog(L"kunden.csv");
    ASSERT_NE(dialog, nullptr);
    Leave(dialog, IdButExit);
    EXPECT_TRUE(td::WaitUntil(
        [&] { return Info() == L"Address converting.. kunden - Error: Cancelled by user"; }));
    EXPECT_FALSE(IsWindowEnabled(Item(IdNowImport)));
    // A click that reaches the handler anyway finds no evaluated source.
    td::Click(Item(IdNowImport));
    EXPECT_TRUE(td::WaitUntil([&] { return Info() == L"Please select source-file."; }));
    EXPECT_FALSE(td::FileThere(Path(L"kunden_Geo.txt")));
}

TEST_F(EndToEnd, NoToTheInternetQuestionSkipsOneFileOfABatch) {
    Write(L"a.csv", kList);
    Write(L"b.csv", kList);
    StartMapwell();
    td::Click(Item(IdSearchFile));
    td::ChooseInOpenDialog(td::WaitForOpenDialog(mapwell_.Id()), L"\"a.csv\" \"b.csv\"");
    Leave(td::WaitForColumnDialog(mapwell_.Id()), IdButOk);
    EXPECT_TRUE(td::WaitUntil([&] { return Info() == L"..\r\nPlease Start Navigon!"; }));
    td::Click(Item(IdNowImport));
    HWND box = td::WaitForMessageBox(mapwell_.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(td::Caption(box), L"No Navigon found");
    EXPECT_EQ(td::MessageBoxText(box), L"Will you convert the data by Internet?");
    td::Answer(box, IDNO);
    HWND next = td::WaitForColumnDialog(mapwell_.Id());
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(td::Caption(next), Path(L"b.csv"));
    Leave(next, IdButOk);
    EXPECT_TRUE(td::WaitUntil([&] { return td::Caption(main_) == L"Mapwell - file 2 of 2"; }));
    EXPECT_FALSE(td::FileThere(Path(L"a_Geo.txt")));
    EXPECT_EQ(td::Text(Item(IdExportFileTxt)), Path(L"b_Geo.txt"));
}

TEST_F(EndToEnd, AStoredProfileIsLoadedForTheNextListOfThatName) {
    Write(L"liste.csv", "x;y;z;w\r\nHans;Hauptstr. 5;10115;Berlin\r\n");
    StartMapwell();
    HWND dialog = OpenColumnDialog(L"liste.csv");
    ASSERT_NE(dialog, nullptr);
    td::PickComboEntry(GetDlgItem(dialog, IdComboStr), 1);
    td::PickComboEntry(GetDlgItem(dialog, IdComboPLZ), 2);
    td::PickComboEntry(GetDlgItem(dialog, IdComboCity), 3);
    Leave(dialog, IdButOk);

    const std::wstring other = Path(L"other");
    CreateDirectoryW(other.c_str(), nullptr);
    td::WriteFile(other + L"\\liste.csv", "x;y;z;w\r\nEva;Ring 2;20095;Hamburg\r\n");
    dialog = OpenColumnDialog(L"other\\liste.csv");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(td::Text(GetDlgItem(dialog, IdImpText)), L"liste");
    EXPECT_EQ(td::ComboSelection(GetDlgItem(dialog, IdComboStr)), 1);
    EXPECT_EQ(td::ComboSelection(GetDlgItem(dialog, IdComboPLZ)), 2);
    EXPECT_EQ(td::ComboSelection(GetDlgItem(dialog, IdComboCity)), 3);
    EXPECT_EQ(td::Text(GetDlgItem(dialog, IdTCity)), L"w");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IdButOk)));
    Leave(dialog, IdButExit);
    DeleteFileW((other + L"\\liste.csv").c_str());
    RemoveDirectoryW(other.c_str());
}

TEST_F(EndToEnd, AHeaderThatPreselectsNothingKeepsOkOffUntilStreetAndCityAreChosen) {
    Write(L"caps.csv", "Name,Street,Zip,City\r\nHans,Hauptstr. 5,10115,Berlin\r\n");
    StartMapwell();
    HWND dialog = OpenColumnDialog(L"caps.csv");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(td::ComboSelection(GetDlgItem(dialog, IdComboN1)), -1);
    EXPECT_EQ(td::ComboSelection(GetDlgItem(dialog, IdComboStr)), -1);
    EXPECT_EQ(td::ScrollPosition(GetDlgItem(dialog, IdHScroll1)), 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IdButOk)));
    td::PickComboEntry(GetDlgItem(dialog, IdComboStr), 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IdButOk)));
    td::PickComboEntry(GetDlgItem(dialog, IdComboCity), 3);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IdButOk)));
    EXPECT_EQ(td::Text(GetDlgItem(dialog, IdTStr)), L"Street");
    td::ScrollTo(GetDlgItem(dialog, IdHScroll1), 2);
    EXPECT_EQ(td::Text(GetDlgItem(dialog, IdTStr)), L"Hauptstr. 5");
    EXPECT_EQ(td::Text(GetDlgItem(dialog, IdTCity)), L"Berlin");
    Leave(dialog, IdButOk);
    EXPECT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(Item(IdNowImport)) != FALSE; }));
}

// Every answer comes after the line's wait has run out, so each one arrives while the next line
// waits: no line may take it as its own.
TEST_F(EndToEnd, LateAnswersNeverGiveALineAnotherLinesPlace) {
    Write(L"late.csv", "name;street;zipcode;city\r\n"
                       "Hans Meier;Hauptstr. 5;10115;Berlin\r\n"
                       "Eva Schulz;Ring 2;20095;Hamburg\r\n"
                       "Karl Ott;Zeil 1;60311;Frankfurt am Main\r\n"
                       "No Where;Weg 1;99999;Nirgendwo\r\n");
    StartNavigation(L"--delay 2600");
    StartMapwell();
    WaitForLink();
    Evaluate(L"late.csv");
    Convert();
    // A line whose wait was long enough under a slow machine may still have its own place.
    const std::string places[] = {"Berlin,\"52,5323\",\"13,3846\"",
                                  "Hamburg,\"53,5503\",\"10,0006\"",
                                  "Frankfurt am Main,\"50,1109\",\"8,6821\""};
    const std::string result = td::ReadFile(Path(L"late_Geo.txt"));
    int own = 0;
    for (const std::string& place : places) {
        own += result.find(place + "\r\n") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(CountLines(result), own) << result;
    EXPECT_EQ(CountLines(td::ReadFile(Path(L"ConvertError.txt"))), 5 - own);
}

TEST_F(EndToEnd, AFirstLineOfVeryManyFieldsStillOpensTheColumnDialogAndConverts) {
    Write(L"wide.csv", "name;street;zipcode;city" + std::string(1048576, ';') +
                           "\r\nHans Meier;Hauptstr. 5;10115;Berlin\r\n");
    StartNavigation();
    StartMapwell();
    WaitForLink();
    // Bounded only in its wait: a dialog that freezes while it fills its lists never appears.
    HWND dialog = OpenColumnDialog(L"wide.csv");
    ASSERT_NE(dialog, nullptr);
    Leave(dialog, IdButOk);
    ASSERT_TRUE(td::WaitUntil([&] { return IsWindowEnabled(Item(IdNowImport)) != FALSE; }));
    Convert();
    EXPECT_EQ(td::ReadFile(Path(L"wide_Geo.txt")).rfind("Hans Meier;Hauptstr. 5;10115;Berlin,", 0),
              0u);
}

TEST_F(EndToEnd, ExitDuringAConversionKeepsEveryConvertedLineAndEndsTheProgram) {
    std::string list = "name;street;zipcode;city\r\n";
    for (int i = 0; i < 200; ++i) {
        list += "Hans " + std::to_string(i) + ";Hauptstr. 5;10115;Berlin\r\n";
    }
    Write(L"long.csv", list);
    // Every answer comes a while after its request, so that the run is still going.
    StartNavigation(L"--delay 50");
    StartMapwell();
    WaitForLink();
    Evaluate(L"long.csv");
    td::Click(Item(IdNowImport));
    // Some requests are through while the run goes on.
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 10; }));
    td::Click(Item(IdCommand2));
    EXPECT_EQ(mapwell_.WaitForExit(), 0);
    const std::string result = td::ReadFile(Path(L"long_Geo.txt"));
    const int lines = CountLines(result);
    EXPECT_GT(lines, 0);
    EXPECT_LT(lines, 200);
    // Every line on disk is whole.
    EXPECT_EQ(result.size() >= 2 ? result.substr(result.size() - 2) : "", "\r\n");
}

// A navigation program that never returns from its third request: "Exit" still ends Mapwell,
// after the send under way, with the line converted before it.
TEST_F(EndToEnd, ExitWhileTheNavigationProgramHangsKeepsTheConvertedLines) {
    Write(L"hang.csv", "name;street;zipcode;city\r\n"
                       "Hans Meier;Hauptstr. 5;10115;Berlin\r\n"
                       "Eva Schulz;Ring 2;20095;Hamburg\r\n");
    StartNavigation(L"--stall 600000 --stall-from 3");
    StartMapwell();
    WaitForLink();
    Evaluate(L"hang.csv");
    td::Click(Item(IdNowImport));
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") == 3; }));
    td::Click(Item(IdCommand2));
    EXPECT_EQ(mapwell_.WaitForExit(), 0);
    EXPECT_EQ(td::ReadFile(Path(L"hang_Geo.txt")),
              "Hans Meier;Hauptstr. 5;10115;Berlin,\"52,5323\",\"13,3846\"\r\n");
}

}  // namespace
}  // namespace mapwell
