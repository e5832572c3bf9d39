// End-to-end tests: the real Mapwell.exe and the stand-in navigation program NavServer.exe,
// driven from outside the way a user or a script works them.
#include "app/window/main_layout.h"
#include "testing/test_win32.h"
#include "columns/import_add_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
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
    // Mapwell.exe with `arguments`, to its end; what it said. It never shows a window.
    std::string RunCommandLine(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE output = CreateFileW(Path(L"output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe", arguments, folder_, output);
        CloseHandle(output);
        bool showedWindow = false;
        td::WaitUntil([&] {
            showedWindow = showedWindow || !td::TopWindows(mapwell_.Id()).empty();
            return WaitForSingleObject(mapwell_.Handle(), 0) == WAIT_OBJECT_0;
        });
        EXPECT_FALSE(showedWindow);
        return Read(L"output.txt");
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

// The session ending during /convert: the run stops after the line under way, the lines written
// stay whole, and the exit code says that the run was stopped.
TEST_F(EndToEnd, TheSessionEndingStopsACommandLineRun) {
    td::WriteFile(Path(L"list.csv"), std::string(kAddresses) + kAddresses);
    StartNavigation(L"--stall 600000 --stall-from 3");
    mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe",
                           L"/convert list.csv /columns name1=1,street=2,zip=3,city=4", folder_);
    ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 3; }));
    HWND hidden = nullptr;
    while ((hidden = FindWindowExW(nullptr, hidden, L"MapwellImport", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hidden, &owner);
        if (owner == mapwell_.Id()) {
            break;
        }
    }
    ASSERT_NE(hidden, nullptr);
    PostMessageW(hidden, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    EXPECT_EQ(mapwell_.ExitCode(), 4);
    EXPECT_EQ(Read(L"list_Geo.txt"),
              "Hans Meier;Hauptstr. 5;10115;Berlin,\"52,5323\",\"13,3846\"\r\n"
              "Eva Schulz;Ring 2;20095;Hamburg,\"53,5503\",\"10,0006\"\r\n");
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

// The places of the sample gazetteer that the lines below name, as a .txt result writes them.
struct SamplePlace {
    const char *zip, *city, *coordinates;
};
constexpr SamplePlace kPlaces[] = {
    {"10115", "Berlin", "\"52,5323\",\"13,3846\""},
    {"20095", "Hamburg", "\"53,5503\",\"10,0006\""},
    {"60311", "Frankfurt am Main", "\"50,1109\",\"8,6821\""},
    {"01067", "Dresden", "\"51,0504\",\"13,7373\""},
    {"04109", "Leipzig", "\"51,3397\",\"12,3731\""},
};

// A list line: name, street (empty for a line of a city only), zip and city of place `place`.
std::string ListLine(int line, int place, bool cityOnly) {
    const SamplePlace& p = kPlaces[place % std::size(kPlaces)];
    const std::string n = std::to_string(line);
    return "Name " + n + ";" + (cityOnly ? ";" : "Weg " + n + ";" + p.zip) + ";" + p.city + "\r\n";
}

// Mapwell.exe /convert of list.csv (name, street, zip, city) against NavServer.exe with
// `options`: its output, once it has ended within `ms`.
class LinkEndToEnd : public EndToEnd {
protected:
    std::string Convert(const std::string& list, const std::wstring& options,
                        const std::function<void()>& meanwhile = {}) {
        td::WriteFile(Path(L"list.csv"), list);
        StartNavigation(options);
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE output = CreateFileW(Path(L"output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        mapwell_ = td::Program(td::BinFolder() + L"Mapwell.exe",
                               L"/convert list.csv /columns name1=1,street=2,zip=3,city=4", folder_,
                               output);
        CloseHandle(output);
        if (meanwhile) {
            meanwhile();
        }
        EXPECT_TRUE(mapwell_.WaitForExit(300000));
        return Read(L"output.txt");
    }
    // Every line of the list is either in the result with its own place or in the error list;
    // the number of lines in the result.
    int CheckEveryLinesPlace(const std::string& list) {
        const std::vector<std::string> results = td::ReadLines(Path(L"list_Geo.txt"));
        const std::vector<std::string> errors = td::ReadLines(Path(L"ConvertError.txt"));
        std::size_t next = 0;
        int converted = 0;
        std::istringstream lines(list);
        for (std::string line; std::getline(lines, line);) {
            line.pop_back();  // the CR
            const std::string city = line.substr(line.rfind(';') + 1);
            const auto place = std::find_if(std::begin(kPlaces), std::end(kPlaces),
                                            [&](const SamplePlace& p) { return city == p.city; });
            const std::string own = line + "," + place->coordinates;
            if (next < results.size() && results[next].starts_with(line + ",")) {
                EXPECT_EQ(results[next], own);
                ++next;
                ++converted;
            } else {
                EXPECT_NE(std::find(errors.begin(), errors.end(), line), errors.end()) << line;
            }
        }
        EXPECT_EQ(next, results.size());
        return converted;
    }
};

// A navigation program that holds every other request, from the first, until the next one
// reaches it, and then answers it first naming only city and postcode: the answer comes after
// the run gave the request up, and no line takes it. Pairs of lines share a city and a postcode.
TEST_F(LinkEndToEnd, AnAnswerHeldUntilTheNextRequestIsNobodysPlace) {
    std::string list;
    for (int i = 1; i <= 50; ++i) {
        list += ListLine(i, i / 2, false);
    }
    Convert(list, L"--hold-every 2 --reply-address echo");
    EXPECT_GE(CheckEveryLinesPlace(list), 24);
}

// A navigation program that answers one request at a time, each 600 ms after it could start on
// it, the third after 2.5 s, naming only the city as the list spells it; city-only lines stand
// before and after that third line, in its city.
TEST_F(LinkEndToEnd, OneSlowAnswerAmongCityOnlyAnswersShiftsNoLine) {
    std::string list;
    for (int i = 1; i <= 50; ++i) {
        const bool slowCity = i >= 2 && i <= 4;
        list += ListLine(i, slowCity ? 0 : i, i % 3 == 2 || i == 4);
    }
    const std::string said = Convert(
        list, L"--serial 600 --slow-request 3 --slow-ms 2500 --reply-address city-as-asked");
    EXPECT_GE(CheckEveryLinesPlace(list), 40) << said;  // 49 on a quiet machine
}

// The navigation program's window closes in the middle of a run (the stand-in hangs on the
// fourth request and is ended): every later line fails at once, saying so, and none shows
// another line's reply text.
TEST_F(LinkEndToEnd, ANavigationProgramClosingMidRunFailsTheRestAtOnce) {
    std::string list;
    for (int i = 1; i <= 10; ++i) {
        list += ListLine(i, i, false);
    }
    ULONGLONG closed = 0;
    const std::string said =
        Convert(list, L"--reply-address empty --stall 600000 --stall-from 4", [&] {
            ASSERT_TRUE(td::WaitUntil([&] { return Count("command 5") >= 4; }));
            navigation_.Kill();
            closed = GetTickCount64();
        });
    // Waiting out the lateness limit before each line would take 70 s.
    EXPECT_LT(GetTickCount64() - closed, 40000u);
    EXPECT_EQ(CheckEveryLinesPlace(list), 3);
    std::size_t messages = 0;
    for (std::size_t at = 0;
         (at = said.find("The navigation program has closed(0)", at)) != std::string::npos; ++at) {
        ++messages;
    }
    EXPECT_EQ(messages, 7u) << said;
    EXPECT_EQ(said.find("level:"), std::string::npos) << said;
}

// A navigation program that takes requests but answers none: after three requests in a row
// without anything coming back, the run says so and waits no longer for earlier answers.
TEST_F(LinkEndToEnd, ANavigationProgramThatAnswersNothingIsNamed) {
    std::string list;
    for (int i = 1; i <= 5; ++i) {
        list += ListLine(i, i, false);
    }
    const std::string said = Convert(list, L"--never-answer");
    EXPECT_NE(said.find("Addressindex 3 - Name 3 \r\n  The navigation program does not answer"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("Addressindex 5 - Name 5 \r\n  The navigation program does not answer"),
              std::string::npos)
        << said;
}

// Mapwell.exe /convert, never with a window: what it says, its exit codes, and its result files
// byte for byte. An inline profile is used for its run only, unless /save keeps it. Lists as
// spreadsheets save them: UTF-8 without a mark, UTF-16 with tabs, ANSI with tabs, and LF line
// ends with quoted cells, a heading and a blank last line.
TEST_F(EndToEnd, TheCommandLine) {
    td::WriteFile(Path(L"kunden.csv"), kAddresses);
    td::WriteFile(Path(L"a.csv"), kAddresses);
    CreateDirectoryW(Path(L"sub").c_str(), nullptr);
    td::WriteFile(Path(L"sub\\a.csv"), kAddresses);
    const std::string lukasz = "\xC5\x81ukasz", koeln = "K\xC3\xB6ln";
    td::WriteFile(Path(L"utf8.csv"), "J\xC3\xBCrgen " + lukasz +
                                         ";Hauptstr. 5;80331;M\xC3\xBCnchen\r\n"
                                         "Eva \xC5\x9E"
                                         "ahin;Ring 2;50667;" +
                                         koeln + "\r\n");
    // "\u0141" and "\u00F6" are the letters beyond ASCII.
    td::WriteFile(Path(L"unicode.txt"),
                  "\xFF\xFE" + Utf16Of("Hans Meier\tHauptstr. 5\t10115\tBerlin\r\nEva ") +
                      "\x41\x01" + Utf16Of("ukasz\tRing 2\t50667\tK") + "\xF6" +
                      std::string(1, '\0') + Utf16Of("ln\r\n"));
    td::WriteFile(Path(L"tabs.txt"), "Hans Meier\tHauptstr. 5\t10115\tBerlin\r\n"
                                     "Eva Schulz\tRing 2\t50667\tK\xF6ln\r\n");
    // As a spreadsheet saves it on Linux: LF line ends, quoted cells, a blank last line.
    td::WriteFile(Path(L"sheet.csv"),
                  "name,street,zipcode,city,Notiz f\xC3\xBCr Fahrer\n"
                  "\"Meier, Anna\",Hauptstr. 5,10115,Berlin,\"Tor 2, Rampe 3\"\n"
                  "\"Gasthaus \"\"Zur Post\"\"\",Ring 2,20095,Hamburg,\"Hof\n"
                  "hinten\"\n\n");
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
         "Mapwell: /format \"pdf\" is not valid: use asc, csv, txt, gpx, kml or geojson."},
        {true, L"/convert kunden.csv /format geojson /map out\\k.png" + columns, 0,
         "Map: out\\k.png"},
        {true, L"/convert missing.csv" + columns, 2, "Can't open source-file missing.csv"},
        {true, L"/convert kunden.csv /profile Kunden /save" + columns, 0,
         "Converting of 2 completed without errors."},
        {true, L"/CONVERT a.csv kunden.csv /Out out /format:csv /profile kunden", 0,
         "[2/2] kunden.csv -> out\\kunden_Geo.csv (profile kunden)"},
        {true, L"/convert a.csv ./sub/a.csv /out out" + columns, 2,
         "Mapwell: a.csv and .\\sub\\a.csv would both write "},
        {true, L"/convert utf8.csv /format csv" + columns, 0,
         "Converting of 2 completed without errors."},
        {true, L"/convert utf8.csv /format asc /out utf8.asc" + columns, 0,
         "completed without errors.\r\n  2 lines with a letter replaced by its closest ANSI "
         "letter"},
        {true, L"/convert unicode.txt" + columns, 0, "Converting of 2 completed without errors."},
        {true, L"/convert tabs.txt /format csv" + columns, 0,
         "Converting of 2 completed without errors."},
        // The list as its own result, named another way; a device that is full; a map that
        // cannot be written.
        {true, L"/convert kunden.csv /out ./Kunden.CSV" + columns, 2,
         "Mapwell: the result file .\\Kunden.CSV is the list kunden.csv itself"},
        {true, L"/convert kunden.csv /out Z:\\dev\\full" + columns, 6,
         "Can't write to destination-file Z:\\dev\\full: the run ends at line 1;"},
        {true, L"/convert kunden.csv /map out" + columns, 6, "Mapwell: can't write the map out."},
        // The heading is no address, nor counted; the messages are UTF-8 in a file. Redirected,
        // the progress comes every 5 s and after the last line, before the summary.
        {true, L"/convert sheet.csv /format csv" + columns + L",b1=5", 0,
         "Line 1 is a heading, not an address: name,street,zipcode,city,Notiz f\xC3\xBCr Fahrer"
         "\r\n  2 of 2 lines, 0 failed, "},
        {true, L"/convert sheet.csv /heading convert /out out\\sheet.txt" + columns, 1,
         "Converting: 2 of 3"},
    };
    for (const auto& c : cases) {
        if (c.navigation && !navigation_.Started()) {
            StartNavigation();
        }
        const std::string said = RunCommandLine(c.arguments);
        EXPECT_EQ(mapwell_.ExitCode(0), c.exitCode) << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
    }
    EXPECT_EQ(Read(L"kunden.csv"), kAddresses);
    EXPECT_EQ(Read(L"ConvertError.txt"), "Ida Berg;Gasse 1;99999;Nirgendwo\r\n");
    EXPECT_EQ(Read(L"out\\k.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::string header = "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\","
                               "\"Description\",\"Latitude\",\"Longitude\"\r\n";
    for (const wchar_t* name : {L"out\\a_Geo.csv", L"out\\kunden_Geo.csv"}) {
        EXPECT_EQ(Read(name), header +
                                  "\"Hans Meier\",\"\",\"Hauptstr. 5\",\"10115\",\"Berlin\",\"\","
                                  "\"52,5323\",\"13,3846\"\r\n"
                                  "\"Eva Schulz\",\"\",\"Ring 2\",\"20095\",\"Hamburg\",\"\","
                                  "\"53,5503\",\"10,0006\"\r\n");
    }
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(
        Read(L"utf8_Geo.csv"),
        mark + header + "\"J\xC3\xBCrgen " + lukasz +
            "\",\"\",\"Hauptstr. 5\",\"80331\",\"M\xC3\xBCnchen\",\"\",\"48,1372\",\"11,5755\"\r\n"
            "\"Eva \xC5\x9E"
            "ahin\",\"\",\"Ring 2\",\"50667\",\"" +
            koeln + "\",\"\",\"50,9384\",\"6,9584\"\r\n");
    EXPECT_EQ(Read(L"utf8.asc"),
              "48.1372,11.5755,\"J\xFCrgen Lukasz  - Hauptstr. 5 80331 M\xFCnchen, \"\r\n"
              "50.9384,6.9584,\"Eva Sahin  - Ring 2 50667 K\xF6ln, \"\r\n");
    EXPECT_EQ(Read(L"unicode_Geo.txt"),
              mark +
                  "Hans Meier\tHauptstr. 5\t10115\tBerlin,\"52,5323\",\"13,3846\"\r\n"
                  "Eva " +
                  lukasz + "\tRing 2\t50667\t" + koeln + ",\"50,9384\",\"6,9584\"\r\n");
    EXPECT_EQ(Read(L"sheet_Geo.csv"),
              mark + header +
                  "\"Meier, Anna\",\"\",\"Hauptstr. 5\",\"10115\",\"Berlin\",\"Tor 2, Rampe 3\","
                  "\"52,5323\",\"13,3846\"\r\n"
                  "\"Gasthaus \"\"Zur Post\"\"\",\"\",\"Ring 2\",\"20095\",\"Hamburg\",\"Hof\n"
                  "hinten\",\"53,5503\",\"10,0006\"\r\n");
    EXPECT_EQ(Read(L"out\\ConvertError.txt"),
              mark + "name,street,zipcode,city,Notiz f\xC3\xBCr Fahrer\r\n");
    EXPECT_EQ(Read(L"tabs_Geo.csv"),
              header + "\"Hans Meier\",\"\",\"Hauptstr. 5\",\"10115\",\"Berlin\",\"\","
                       "\"52,5323\",\"13,3846\"\r\n"
                       "\"Eva Schulz\",\"\",\"Ring 2\",\"50667\",\"K\xF6ln\",\"\","
                       "\"50,9384\",\"6,9584\"\r\n");
}

// The failed lines converted again, beside themselves: the run reads the three lines that
// ConvertError.txt holds at its start, and afterwards it holds only the one that failed again.
TEST_F(EndToEnd, ConvertErrorTxtConvertedAgainHoldsTheLinesThatFailedAgain) {
    const std::string ida = "Ida Berg;Gasse 1;99999;Nirgendwo\r\n";
    td::WriteFile(Path(L"ConvertError.txt"), ida + kAddresses);
    StartNavigation();
    const std::string said =
        RunCommandLine(L"/convert convertError.txt /columns name1=1,street=2,zip=3,city=4");
    EXPECT_EQ(mapwell_.ExitCode(0), 1) << said;
    EXPECT_EQ(Count("command 5"), 3) << said;
    EXPECT_EQ(Read(L"ConvertError.txt"), ida);
    EXPECT_EQ(Read(L"convertError_Geo.txt"),
              "Hans Meier;Hauptstr. 5;10115;Berlin,\"52,5323\",\"13,3846\"\r\n"
              "Eva Schulz;Ring 2;20095;Hamburg,\"53,5503\",\"10,0006\"\r\n");
}

}  // namespace
}  // namespace mapwell
