// The link with real windows of the test process: the hook, the commands, the ticks and the
// detection; and Mapwell.exe started as Project1.exe against the stand-in navigation program.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "testing/test_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace mapwell {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::Seen;
using test::TestMainWindow;

class NavLinkHook : public ::testing::Test {
protected:
    void SetUp() override { test::ResetLink(); }

    LRESULT SendReply(std::uintptr_t type, std::vector<std::uint8_t> bytes) {
        COPYDATASTRUCT data{};
        data.dwData = type;
        data.cbData = static_cast<DWORD>(bytes.size());
        data.lpData = bytes.empty() ? nullptr : bytes.data();
        return SendMessageW(TestMainWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    LRESULT SendAnnounce(HWND server) {
        return SendMessageW(TestMainWindow(), MsgServerToClient, 0,
                            reinterpret_cast<LPARAM>(server));
    }
};

// A top-level window of the test process, destroyed with the object.
struct TestWindow {
    explicit TestWindow(const wchar_t* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        HWND owner = nullptr)
        : handle(CreateWindowExW(0, L"STATIC", title, style, 0, 0, 100, 50, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr)) {}
    ~TestWindow() { DestroyWindow(handle); }
    HWND handle;
};

// A command as it reached a test window: its number, its record and the sender named in wParam.
struct Command {
    std::uintptr_t type;
    std::vector<std::uint8_t> bytes;
    HWND from;
    bool operator==(const Command&) const = default;
};
std::vector<Command> sent;
int titleReads = 0;
WNDPROC staticProc = nullptr;

LRESULT CALLBACK Recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    titleReads += message == WM_GETTEXT ? 1 : 0;
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* bytes = static_cast<const std::uint8_t*>(data->lpData);
        sent.push_back(
            {data->dwData, {bytes, bytes + data->cbData}, reinterpret_cast<HWND>(wParam)});
    }
    return CallWindowProcW(staticProc, window, message, wParam, lParam);
}

// Puts Recording in front of the window's own procedure, with nothing recorded yet.
void Record(HWND window) {
    staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recording)));
    sent.clear();
    titleReads = 0;
}

// Only the first WM_COPYDATA after a command is read, whatever its kind: a late second reply
// would otherwise land on the next line. Every one is passed on to the window's own procedure.
TEST_F(NavLinkHook, OnlyTheFirstCopyDataAfterACommandIsRead) {
    std::vector<std::uint8_t> place(400, 0);
    WriteInt32(place.data() + offsets::kStatus, 3);
    EXPECT_EQ(SendReply(6, place), test::kCopyDataResult);  // no command outstanding
    EXPECT_FALSE(NavLink.ReplyReceived);
    AwaitingReply = true;
    NavLink.LinkState = 1;
    EXPECT_EQ(SendReply(7, place), test::kCopyDataResult);  // a kind without a reading
    EXPECT_TRUE(NavLink.ReplyReceived);
    EXPECT_FALSE(AwaitingReply);
    EXPECT_EQ(NavLink.LinkState, 1);
    AwaitingReply = true;
    SendReply(6, place);
    WriteInt32(place.data() + offsets::kStatus, 9);
    SendReply(6, place);
    EXPECT_EQ(NavLink.LinkState, 3);
    EXPECT_EQ(Seen().copyData, 4);
}

// The broadcast announcement comes back to the program's own window: it is not a navigation
// program's, and neither is that of another running copy of the program, nor message 0 before
// the announcement's message is registered. An announcement of 0 clears the server only.
TEST_F(NavLinkHook, AnnouncementsOfThisProgramAreIgnoredAndZeroClearsTheServerOnly) {
    SendAnnounce(TestMainWindow());
    HWND sibling = test::CreateMainClassWindow();
    SendAnnounce(sibling);
    DestroyWindow(sibling);
    TestWindow server(L"server");
    const std::uint32_t registered = MsgServerToClient;
    MsgServerToClient = 0;
    SendMessageW(TestMainWindow(), 0, 0, reinterpret_cast<LPARAM>(server.handle));
    MsgServerToClient = registered;
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 0);

    SendAnnounce(server.handle);
    EXPECT_EQ(ServerWindow, reinterpret_cast<std::intptr_t>(server.handle));
    SendAnnounce(nullptr);
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 1);
    EXPECT_EQ(Seen().serverToClient, 4);
}

// Commands are refused while no navigation program is known and above 24, the announcement
// only while unlinked; the laid-out record goes to the announced window. While a line waits for
// its answer, and while its request is unanswered, the ticks send nothing (a poll's answer would
// take the line's place); then they poll again, and the first tick without the navigation
// program's window marks the link down and forgets the program.
TEST_F(NavLinkHook, CommandsGoToTheAnnouncedWindowAndTicksHoldWhileALineWaits) {
    AwaitingReply = true;
    EXPECT_FALSE(SendNavCommand(1));
    EXPECT_TRUE(AwaitingReply);
    {
        TestWindow navigation(L"NCK server");
        Record(navigation.handle);
        SendAnnounce(navigation.handle);
        EXPECT_FALSE(SendNavCommand(25));
        EXPECT_TRUE(SendNavCommand(0));
        NavLink.Zip = L"10115";
        ASSERT_TRUE(SendNavCommand(5));
        const CommandRecord record = BuildCommandRecord(NavLink);
        PumpFor(1500);  // about three ticks
        EXPECT_EQ(Seen().serverToClient, 1);
        EXPECT_EQ(sent,
                  (std::vector<Command>{{5, {record.begin(), record.end()}, TestMainWindow()}}));
        // The line's wait is over, its request unanswered: still no poll, whose answer could
        // come in the request's place, until the request is answered.
        EndGeocodeWait();
        PumpFor(1500);
        EXPECT_EQ(sent.size(), 1u);
        SendReply(kReplyPlace, std::vector<std::uint8_t>(kPlaceSize, 0));
        ASSERT_TRUE(PumpUntil([] { return sent.size() > 1; }));
        EXPECT_EQ(sent[1], (Command{1, {}, TestMainWindow()}));
        EXPECT_FALSE(NavProgramHasGone());
    }
    // The window gone, the link forgets the navigation program until one announces itself.
    EXPECT_TRUE(PumpUntil([] { return NavLink.LinkState == 0 && NavProgramHasGone(); }));
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_FALSE(SendNavCommand(5));
    TestWindow again(L"NCK server again");
    Record(again.handle);
    SendAnnounce(again.handle);
    EXPECT_FALSE(NavProgramHasGone());
    EXPECT_TRUE(SendNavCommand(5));
    EXPECT_EQ(sent.size(), 1u);
}

TEST(NavDetectionEdge, HiddenWindowsOwnedPopupsAndTitlesBeyond127CharactersAreNotSeen) {
    TestWindow hidden(L"NCK hidden", WS_OVERLAPPEDWINDOW);
    TestWindow owner(L"plain owner");
    TestWindow popup(L"NCK pop-up", WS_POPUP | WS_VISIBLE, owner.handle);
    ASSERT_TRUE(IsWindowVisible(popup.handle));
    std::wstring title(200, L'x');
    title.replace(127, 3, L"NCK");
    TestWindow late(title.c_str());
    EXPECT_EQ(FindNavigator(), 0);
    EXPECT_EQ(FindWindowLike(L"*NCK*", false), nullptr);
    title.replace(124, 6, L"nckxxx");  // found in any letter case
    SetWindowTextW(late.handle, title.c_str());
    EXPECT_EQ(FindNavigator(), 4);
    EXPECT_EQ(FindWindowLike(L"*NCK*", false), late.handle);
}

// A detection tick reads the title of each window once, not once for each of the sixteen
// patterns: with many windows of other programs every read is a round trip.
TEST(NavDetectionEdge, EachTitleIsReadOncePerTick) {
    TestWindow window(L"Editor");
    Record(window.handle);
    EXPECT_EQ(FindNavigator(), 0);
    EXPECT_EQ(titleReads, 1);
}

// Started as Project1.exe the program runs without the hook: it announces itself on every tick
// and, never taking the navigation program's answer, never links and never sends a command.
TEST(Project1, AnnouncesButNeverLinks) {
    TestFolder folder;
    const std::wstring project1 = (folder / "Project1.exe").wstring();
    std::filesystem::copy_file(test::BinFolder() + L"Mapwell.exe", project1);
    const std::wstring log = (folder / "navserver.log").wstring();
    test::Program server(test::NavServerPath(), L"--log \"" + log + L"\"");
    ASSERT_NE(server.Window(), nullptr);
    test::Program unhooked(project1, L"");
    const std::string from = " from " + test::DecimalOf(unhooked.Window()) + " ";
    const auto count = [&](const char* kind) {
        const std::vector<std::string> lines = test::ReadLines(log);
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.rfind(kind, 0) == 0 && (l + " ").find(from) != std::string::npos;
        });
    };
    ASSERT_TRUE(test::WaitUntil([&] { return count("announce ") >= 6; }, 60000));
    EXPECT_EQ(count("command "), 0);
}

}  // namespace
}  // namespace mapwell
