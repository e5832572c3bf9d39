#include "app/convert_win32.h"

#include "app/main_window_controls_win32.h"

#include "navlink/link_record.h"
#include "navlink/test_support_win32.h"
#include "support/program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace mapwell {
namespace {

constexpr wchar_t kHostClass[] = L"MapwellConvertTestHost";
constexpr UINT kCountMessage = WM_APP + 1;
int countedMessages = 0;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCountMessage) {
        ++countedMessages;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::filesystem::path NewFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const auto folder = std::filesystem::path(temp) /
                        (L"mapwell-convert-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                         std::to_wstring(GetTickCount()));
    std::filesystem::create_directories(folder);
    return folder;
}

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ConvertWin32, ReadsTheMainWindowsControls) {
    MainWindowControls window(kHostClass, HostProc);
    ASSERT_NE(window.controls.Info, nullptr);
    ConvertWin32 surroundings(window.controls);
    EXPECT_EQ(surroundings.FormatInForce(), OutputFormat::None);
    window.Check(window.controls.Option1);
    EXPECT_EQ(surroundings.FormatInForce(), OutputFormat::Poi);
    window.Check(window.controls.Option2);
    EXPECT_EQ(surroundings.FormatInForce(), OutputFormat::Csv);
    window.Check(window.controls.Option3);
    EXPECT_EQ(surroundings.FormatInForce(), OutputFormat::Append);

    SetWindowTextW(window.controls.ExportFileTxt, L"C:\\data\\kunden_Geo.txt");
    EXPECT_EQ(surroundings.Destination(), L"C:\\data\\kunden_Geo.txt");
    EXPECT_EQ(surroundings.TxtSep(), L",");
    surroundings.SetInfo(L"Converting: 1 of 2\r\nFailed items are saved in ConvertError.txt");
    EXPECT_EQ(MainWindowControls::Text(window.controls.Info),
              L"Converting: 1 of 2\r\nFailed items are saved in ConvertError.txt");

    wchar_t decimal[8] = {};
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    EXPECT_EQ(surroundings.RegionalDecimalSeparator(), decimal);
}

TEST(ConvertWin32, PauseAndDoEventsHandleTheWindowsMessages) {
    MainWindowControls window(kHostClass, HostProc);
    ConvertWin32 surroundings(window.controls);
    countedMessages = 0;
    PostMessageW(window.controls.MainWindow, kCountMessage, 0, 0);
    surroundings.Pause(0);
    EXPECT_EQ(countedMessages, 1);
    PostMessageW(window.controls.MainWindow, kCountMessage, 0, 0);
    surroundings.DoEvents();
    EXPECT_EQ(countedMessages, 2);
    PostMessageW(window.controls.MainWindow, kCountMessage, 0, 0);
    surroundings.Pause(10);
    EXPECT_EQ(countedMessages, 3);
    EXPECT_FALSE(surroundings.StopRequested());
}

constexpr UINT kFloodMessage = WM_APP + 2;
bool flooding = false;

// Each timer message outlasts the timer's period; each flood message posts the next.
LRESULT CALLBACK BusyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        Sleep(30);
        return 0;
    }
    if (message == kFloodMessage) {
        if (flooding) {
            PostMessageW(window, kFloodMessage, 0, 0);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ConvertWin32, AnEventPassReturnsWhateverKeepsComing) {
    MainWindowControls window(L"MapwellConvertTestBusy", BusyProc);
    ConvertWin32 surroundings(window.controls);
    SetTimer(window.controls.MainWindow, 1, 10, nullptr);
    surroundings.Pause(10);
    surroundings.DoEvents();
    KillTimer(window.controls.MainWindow, 1);
    flooding = true;
    PostMessageW(window.controls.MainWindow, kFloodMessage, 0, 0);
    surroundings.Pause(10);
    surroundings.DoEvents();
    flooding = false;
    EXPECT_FALSE(surroundings.StopRequested());
}

TEST(ConvertWin32, AQuitMessageStopsTheRunAndStaysForTheWindowsLoop) {
    MainWindowControls window(kHostClass, HostProc);
    ConvertWin32 surroundings(window.controls);
    PostQuitMessage(7);
    surroundings.Pause(10);
    EXPECT_TRUE(surroundings.StopRequested());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(ConvertWin32, AWebRouteRunWithTheRegistryProfile) {
    ProgramTitle = L"MapwellConvertTest" + std::to_wstring(GetCurrentProcessId());
    MainWindowControls window(kHostClass, HostProc);
    const auto folder = NewFolder();
    {
        std::ofstream list(folder / L"kunden.csv", std::ios::binary);
        list << "Max;Muster;Hauptstr. 5a;10115;Berlin\r\nEva;Frau;Am Ring;20095;Hamburg";
    }
    SetWindowTextW(window.controls.ExportFileTxt, (folder / L"kunden_Geo.txt").c_str());
    window.Check(window.controls.Option3);
    int collected = -1;
    ConvertWin32 surroundings(window.controls,
                              [&](WebCollection& rows, ResultFile& result, ConvertWin32& s) {
                                  collected = rows.Count();
                                  for (int item = 1; item <= rows.Count(); ++item) {
                                      WriteResultLine(result, s.FormatInForce(), OutputFields{},
                                                      L"52.5", L"13.4", rows.Rows()[item].Line);
                                  }
                                  return rows.Count();
                              });
    SaveProfile(surroundings.Profiles(), L"kunden", {0, 1, 2, 3, 4, -1, -1, -1}, L";");
    NavLink = NavLinkInfo{};  // no navigation program

    EXPECT_TRUE(OpenAddList((folder / L"kunden.csv").wstring(), L"kunden", surroundings));
    EXPECT_EQ(collected, 2);
    EXPECT_EQ(Bytes(folder / L"kunden_Geo.txt"),
              "Max;Muster;Hauptstr. 5a;10115;Berlin,\"52.5\",\"13.4\"\r\n"
              "Eva;Frau;Am Ring;20095;Hamburg,\"52.5\",\"13.4\"\r\n");
    EXPECT_EQ(MainWindowControls::Text(window.controls.Info),
              L"Converting of 2 completed without errors.");

    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());
    ProgramTitle = L"Mapwell";
    std::filesystem::remove_all(folder);
}

// Runs through the real link against the stand-in navigation program, which logs what it takes.
class ConvertThroughLink : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramTitle = L"MapwellConvertLinkTest" + std::to_wstring(GetCurrentProcessId());
        test::ResetLink();
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());
        ProgramTitle = L"Mapwell";
        std::filesystem::remove_all(folder_);
    }
    void StartServer(const std::wstring& options) {
        server_ = std::make_unique<test::Program>(test::NavServerPath(),
                                                  L"--log \"" + log_ + L"\" " + options);
        ASSERT_TRUE(server_->started());
        ASSERT_NE(server_->Window(), nullptr);
        ASSERT_TRUE(test::PumpUntil([] { return NavLink.LinkState != 0; }));
    }
    bool Convert(const std::string& list) {
        {
            std::ofstream out(folder_ / L"kunden.csv", std::ios::binary);
            out << list;
        }
        SetWindowTextW(window_.controls.ExportFileTxt, (folder_ / L"kunden_Geo.csv").c_str());
        SetWindowTextW(window_.controls.TxtSep, L".");
        window_.Check(window_.controls.Option2);
        ConvertWin32 surroundings(window_.controls);
        SaveProfile(surroundings.Profiles(), L"kunden", {0, 1, 2, 3, 4, 5, -1, -1}, L",");
        return OpenAddList((folder_ / L"kunden.csv").wstring(), L"kunden", surroundings);
    }
    std::wstring Info() const { return MainWindowControls::Text(window_.controls.Info); }
    std::string File(const wchar_t* name) const { return Bytes(folder_ / name); }
    int Logged(const std::string& start) const {
        int count = 0;
        for (const std::string& line : test::ReadLines(log_)) {
            count += line.rfind(start, 0) == 0 ? 1 : 0;
        }
        return count;
    }

    MainWindowControls window_{kHostClass, HostProc};
    std::filesystem::path folder_ = NewFolder();
    std::wstring log_ = test::NewTempFolder() + L"navserver.log";
    std::unique_ptr<test::Program> server_;
};

TEST_F(ConvertThroughLink, ARunThroughTheNavigationProgram) {
    StartServer(L"");
    EXPECT_TRUE(Convert("Max,Muster,Hauptstr. 5a,10115,Berlin,DE\r\n"
                        "Eva,Frau,Am Ring 1,99999,Nirgendwo,DE\r\n"
                        "Otto,Kurz,Gasse 4,,1010 Wien,AT"));
    // Wien is found by its city once the postal code in front of it is dropped; it follows a
    // failed line, whose second of sleep leaves the detection timer's announcement for the
    // next wait, after Wien's reply has come in.
    EXPECT_EQ(
        File(L"kunden_Geo.csv"),
        CsvHeaderLine() +
            "\"Max\",\"Muster\",\"Hauptstr. 5a\",\"10115\",\"Berlin\",\"\",\"52.5323\","
            "\"13.3846\"\r\n"
            "\"Otto\",\"Kurz\",\"Gasse 4\",\"\",\"1010 Wien\",\"\",\"48.2085\",\"16.3721\"\r\n");
    EXPECT_EQ(File(L"ConvertError.txt"), "Eva,Frau,Am Ring 1,99999,Nirgendwo,DE\r\n");
    EXPECT_EQ(Info(), L"Converting: 2 of 3\r\nFailed items are saved in ConvertError.txt");
}

// A navigation program that does not take a request in time gets nothing but the next line's
// request: no poll while the run goes on, nor right after it.
TEST_F(ConvertThroughLink, AHungNavigationProgramGetsNothingButTheRequests) {
    StartServer(L"--stall 4000 --never-answer");
    const int pollsBefore = Logged("command 1 ");
    EXPECT_FALSE(Convert("Max,Muster,Hauptstr. 5a,10115,Berlin,DE\r\n"
                         "Eva,Frau,Am Ring 1,20095,Hamburg,DE\r\n"));
    EXPECT_EQ(Info(), L"Converting: 0 of 2\r\nFailed items are saved in ConvertError.txt");
    // Three ticks; the stand-in has long finished its stalls and logs whatever reaches it.
    test::PumpFor(1500);
    EXPECT_EQ(Logged("command 5 "), 2);
    EXPECT_EQ(Logged("command 1 "), pollsBefore);
}

// A request that is never answered holds the polls for its line's wait only.
TEST_F(ConvertThroughLink, PollingResumesAfterARunWithoutAnswers) {
    StartServer(L"--never-answer");
    EXPECT_FALSE(Convert("Max,Muster,Hauptstr. 5a,10115,Berlin,DE\r\n"));
    const int pollsAfterRun = Logged("command 1 ");
    EXPECT_TRUE(test::PumpUntil([&] { return Logged("command 1 ") > pollsAfterRun; }));
}

}  // namespace
}  // namespace mapwell
