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

// A whole run through the real link against the stand-in navigation program.
TEST(ConvertWin32, ARunThroughTheNavigationProgram) {
    ProgramTitle = L"MapwellConvertLinkTest" + std::to_wstring(GetCurrentProcessId());
    test::ResetLink();
    test::Program server(test::NavServerPath(), test::SampleGazetteerOption());
    ASSERT_TRUE(server.started());
    ASSERT_NE(server.Window(), nullptr);
    ASSERT_TRUE(test::PumpUntil([] { return NavLink.LinkState != 0; }));

    MainWindowControls window(kHostClass, HostProc);
    const auto folder = NewFolder();
    {
        std::ofstream list(folder / L"kunden.csv", std::ios::binary);
        list << "Max,Muster,Hauptstr. 5a,10115,Berlin,DE\r\n"
                "Eva,Frau,Am Ring 1,99999,Nirgendwo,DE\r\n"
                "Otto,Kurz,Gasse 4,,1010 Wien,AT";
    }
    SetWindowTextW(window.controls.ExportFileTxt, (folder / L"kunden_Geo.csv").c_str());
    SetWindowTextW(window.controls.TxtSep, L".");
    window.Check(window.controls.Option2);
    ConvertWin32 surroundings(window.controls);
    SaveProfile(surroundings.Profiles(), L"kunden", {0, 1, 2, 3, 4, 5, -1, -1}, L",");

    EXPECT_TRUE(OpenAddList((folder / L"kunden.csv").wstring(), L"kunden", surroundings));
    // Wien is found by its city once the postal code in front of it is dropped; it follows a
    // failed line, whose second of sleep leaves the detection timer's announcement for the
    // next wait, after Wien's reply has come in.
    EXPECT_EQ(
        Bytes(folder / L"kunden_Geo.csv"),
        CsvHeaderLine() +
            "\"Max\",\"Muster\",\"Hauptstr. 5a\",\"10115\",\"Berlin\",\"\",\"52.5323\","
            "\"13.3846\"\r\n"
            "\"Otto\",\"Kurz\",\"Gasse 4\",\"\",\"1010 Wien\",\"\",\"48.2085\",\"16.3721\"\r\n");
    EXPECT_EQ(Bytes(folder / L"ConvertError.txt"), "Eva,Frau,Am Ring 1,99999,Nirgendwo,DE\r\n");
    EXPECT_EQ(MainWindowControls::Text(window.controls.Info),
              L"Converting: 2 of 3\r\nFailed items are saved in ConvertError.txt");

    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());
    ProgramTitle = L"Mapwell";
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace mapwell
