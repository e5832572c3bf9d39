#include "app/engine/convert_win32.h"

#include "testing/fake_main_window_win32.h"
#include "testing/test_folder.h"

#include "navlink/link_record.h"
#include "navserver/stand_in.h"
#include "testing/test_win32.h"
#include "support/program.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

namespace mapwell {
namespace {

constexpr wchar_t kHostClass[] = L"MapwellConvertTestHost";
constexpr UINT kCountMessage = WM_APP + 1;
constexpr UINT kFloodMessage = WM_APP + 2;
int countedMessages = 0;
bool flooding = false;

// Counts kCountMessage; each flood message posts the next while `flooding`.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCountMessage) {
        ++countedMessages;
    } else if (message == kFloodMessage && flooding) {
        PostMessageW(window, kFloodMessage, 0, 0);
    } else {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return 0;
}

// Both waits handle the window's messages and return however many keep coming; a quit message
// stops the run and stays in the queue for the window's own loop.
TEST(ConvertWin32, TheWaitsHandleTheMessagesAndReturnAndAQuitStopsTheRun) {
    MainWindowControls window(kHostClass, HostProc);
    ConvertWin32 surroundings(window.controls);
    const HWND host = window.controls.MainWindow;
    countedMessages = 0;
    PostMessageW(host, kCountMessage, 0, 0);
    int afterEach = 0;
    surroundings.Pause(0, [&] { ++afterEach; });
    EXPECT_EQ(countedMessages, 1);
    EXPECT_GE(afterEach, 1);
    PostMessageW(host, kCountMessage, 0, 0);
    surroundings.DoEvents();
    EXPECT_EQ(countedMessages, 2);

    flooding = true;
    PostMessageW(host, kFloodMessage, 0, 0);
    surroundings.Pause(10, [] {});
    surroundings.DoEvents();
    flooding = false;
    EXPECT_FALSE(surroundings.StopRequested());

    PostQuitMessage(7);
    surroundings.Pause(10, [] {});
    EXPECT_TRUE(surroundings.StopRequested());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// The engine's surroundings that also keep what the status label showed after each change, and
// tell the stand-in to send its held answers once a failure is shown.
class ShownInfos : public ConvertWin32 {
public:
    using ConvertWin32::ConvertWin32;
    void SetInfo(const std::wstring& text) override {
        ConvertWin32::SetInfo(text);
        shown.push_back(MainWindowControls::Text(Controls().Info));
        if (text.starts_with(L"Error get coordinate")) {
            PostMessageW(navigationWindow, RegisterWindowMessageW(kReleaseHeldAnswersMessage), 0,
                         0);
        }
    }
    std::vector<std::wstring> shown;
    HWND navigationWindow = nullptr;
};

struct LinkRun {
    std::string result, errors;
    std::vector<std::wstring> shown;
};

// Converts `list` (name, street, zip and city, separated by ";") in the append format with
// TxtSep "." through the real link, against NavServer.exe with `options`. `afterRun` runs after
// the conversion, while NavServer.exe still runs.
LinkRun ConvertThroughNavServer(const std::wstring& options, const std::string& list,
                                const std::function<void()>& afterRun = {}) {
    ProgramTitle = L"MapwellConvertLinkTest" + std::to_wstring(GetCurrentProcessId());
    test::ResetLink();
    test::Program server(test::NavServerPath(), test::SampleGazetteerOption() + options);
    EXPECT_TRUE(test::PumpUntil([] { return NavLink.LinkState != 0; }));

    MainWindowControls window(kHostClass, HostProc);
    TestFolder folder;
    TestFolder::Put(folder / "kunden.csv", list);
    SetWindowTextW(window.controls.ExportFileTxt, (folder / "kunden_Geo.txt").c_str());
    SetWindowTextW(window.controls.TxtSep, L".");
    window.Check(window.controls.Option3);
    ShownInfos surroundings(window.controls);
    surroundings.navigationWindow = server.Window();
    SaveProfile(surroundings.Profiles(), L"kunden", {0, -1, 1, 2, 3, -1, -1, -1}, L";");
    OpenAddList((folder / "kunden.csv").wstring(), L"kunden", surroundings.Roles());
    if (afterRun) {
        afterRun();
    }
    LinkRun run{TestFolder::Get(folder / "kunden_Geo.txt"),
                TestFolder::Get(folder / "ConvertError.txt"), surroundings.shown};

    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());
    ProgramTitle = L"Mapwell";
    return run;
}
// A navigation program that answers one request (the third) after its line's wait has run out,
// when the test tells it, once the line's failure shows: whichever way the answers name their
// address, the late answer never becomes the next line's place, and the next line still gets its
// own. A place that is no number or lies off the globe is no place: the line fails. A line the
// navigation program does not know shows its own reply's text up to its first NUL, so that the
// status shows.
const std::string kHans = "Hans Meier;Hauptstr. 5;10115;Berlin\r\n";
const std::string kEva = "Eva Schulz;Ring 2;20095;Hamburg\r\n";

TEST(ConvertWin32, NoLineIsWrittenWithAnotherLinesPlace) {
    const std::string header = "name;street;zipcode;city\r\n";
    const std::string karl = "Karl Ott;Zeil 1;60311;Frankfurt am Main\r\n";
    const std::string nowhere = "No Where;Weg 1;99999;Nirgendwo\r\n";
    const std::string hansFound = "Hans Meier;Hauptstr. 5;10115;Berlin,\"52.5323\",\"13.3846\"\r\n";
    const std::string karlFound =
        "Karl Ott;Zeil 1;60311;Frankfurt am Main,\"50.1109\",\"8.6821\"\r\n";
    const std::wstring late = L"--delay 600000 --delay-every 3 --reply-address ";
    const struct {
        std::wstring options;
        std::string result, errors;
    } cases[] = {
        {late + L"echo", hansFound + karlFound, header + kEva + nowhere},
        {late + L"own", hansFound + karlFound, header + kEva + nowhere},
        {late + L"city", hansFound + karlFound, header + kEva + nowhere},
        {late + L"empty", hansFound + karlFound, header + kEva + nowhere},
        // Answers 2 and 3: latitude NaN with longitude +inf, then latitude 91.
        {L"--place-bytes 0000000000000000,0000C07F0000807F,0000B6420000803F", karlFound,
         header + kHans + kEva + nowhere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.options);
        const LinkRun run =
            ConvertThroughNavServer(c.options, header + kHans + kEva + karl + nowhere);
        EXPECT_EQ(run.result, c.result);
        EXPECT_EQ(run.errors, c.errors);
        EXPECT_EQ(run.shown.end()[-2],
                  L"Error get coordinate for Addressindex 5 - No Where \r\n"
                  L"Address not found: no place \"Nirgendwo\" in DE, AT, CH(1)");
    }
}

// How many commands of `kind` NavServer.exe took after the first geocoding request.
int TakenAfterFirstRequest(const std::wstring& log, const char* kind) {
    const std::vector<std::string> lines = test::ReadLines(log);
    const auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.rfind("command 5 ", 0) == 0;
    });
    return test::CountLines({first, lines.end()}, kind);
}

// A navigation program that does not take a request in time gets nothing but the next line's
// request: no poll while the run goes on, nor right after it.
TEST(ConvertWin32, AHungNavigationProgramGetsNothingButTheRequests) {
    TestFolder folder;
    const std::wstring log = (folder / "navserver.log").wstring();
    const LinkRun run = ConvertThroughNavServer(
        L"--stall 4000 --never-answer --log \"" + log + L"\"", kHans + kEva,
        // Three ticks; the stand-in has long finished its stalls and logs whatever reaches it.
        [] { test::PumpFor(1500); });
    EXPECT_EQ(run.shown.back(),
              L"Converting: 0 of 2\r\nFailed items are saved in ConvertError.txt");
    EXPECT_EQ(TakenAfterFirstRequest(log, "command 5 "), 2);
    EXPECT_EQ(TakenAfterFirstRequest(log, "command 1 "), 0);
}

// A request that is never answered holds the polls for its line's wait only.
TEST(ConvertWin32, PollingResumesAfterARunWithoutAnswers) {
    TestFolder folder;
    const std::wstring log = (folder / "navserver.log").wstring();
    bool polled = false;
    ConvertThroughNavServer(L"--never-answer --log \"" + log + L"\"", kHans + kEva, [&] {
        const int before = TakenAfterFirstRequest(log, "command 1 ");
        polled =
            test::PumpUntil([&] { return TakenAfterFirstRequest(log, "command 1 ") > before; });
    });
    EXPECT_TRUE(polled);
}

}  // namespace
}  // namespace mapwell
