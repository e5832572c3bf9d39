#include "app/convert_win32.h"

#include "navlink/link_record.h"
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

// A hidden stand-in of the main window with the controls that a conversion uses.
class MainWindowControls {
public:
    MainWindowControls() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kHostClass;
        RegisterClassW(&wc);
        controls.MainWindow = CreateWindowExW(0, kHostClass, L"Mapwell", WS_OVERLAPPEDWINDOW, 0, 0,
                                              400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        controls.ExportFileTxt = Child(L"EDIT", L"", 0);
        controls.TxtSep = Child(L"EDIT", L",", 0);
        controls.Option1 = Child(L"BUTTON", L"ASC", BS_AUTORADIOBUTTON | WS_GROUP);
        controls.Option2 = Child(L"BUTTON", L"CSV", BS_AUTORADIOBUTTON);
        controls.Option3 = Child(L"BUTTON", L"TXT", BS_AUTORADIOBUTTON);
        controls.Info = Child(L"STATIC", L"", 0);
    }
    ~MainWindowControls() { DestroyWindow(controls.MainWindow); }

    void Check(HWND option) {
        for (HWND each : {controls.Option1, controls.Option2, controls.Option3}) {
            SendMessageW(each, BM_SETCHECK, each == option ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    static std::wstring Text(HWND control) {
        wchar_t buffer[1024] = {};
        GetWindowTextW(control, buffer, 1024);
        return buffer;
    }

    ConvertControls controls;

private:
    HWND Child(const wchar_t* kind, const wchar_t* text, DWORD style) {
        return CreateWindowExW(0, kind, text, WS_CHILD | style, 0, 0, 100, 20, controls.MainWindow,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    }
};

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
    MainWindowControls window;
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
    MainWindowControls window;
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
    MainWindowControls window;
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
    MainWindowControls window;
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

}  // namespace
}  // namespace mapwell
