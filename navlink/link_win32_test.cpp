// The hook, the commands and the detection with real windows of the test process.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "app/testing/test_win32.h"

#include <gtest/gtest.h>

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

TEST_F(NavLinkHook, CopyDataWithoutCommandIsPassedOnUnread) {
    std::vector<std::uint8_t> reply(400, 0);
    WriteInt32(reply.data() + offsets::kStatus, 3);
    EXPECT_EQ(SendReply(6, reply), test::kCopyDataResult);
    EXPECT_EQ(Seen().copyData, 1);
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_FALSE(NavLink.ReplyReceived);
}

// Only the first WM_COPYDATA after a command is read, whatever its kind: a late second reply
// would otherwise land on the next line.
TEST_F(NavLinkHook, OnlyTheFirstCopyDataAfterACommandIsRead) {
    std::vector<std::uint8_t> place(400, 0);
    WriteInt32(place.data() + offsets::kStatus, 4);
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
    EXPECT_EQ(NavLink.LinkState, 4);
    EXPECT_EQ(Seen().copyData, 3);
}

// Linking to another program's window is the stand-in's handshake (NavServerLink).
TEST_F(NavLinkHook, AnnouncementOfZeroClearsTheServerOnly) {
    TestWindow server(L"NCK server");
    SendAnnounce(server.handle);
    SendAnnounce(nullptr);
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 1);
    EXPECT_EQ(Seen().serverToClient, 2);
}

// The broadcast announcement comes back to the program's own window: it is not a navigation
// program's, and neither is that of another running copy of the program, nor message 0 before
// the announcement's message is registered.
TEST_F(NavLinkHook, OwnSiblingAndUnregisteredAnnouncementsAreIgnored) {
    SendAnnounce(TestMainWindow());
    HWND sibling = test::CreateMainClassWindow();
    SendAnnounce(sibling);
    DestroyWindow(sibling);
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 0);

    ASSERT_TRUE(SendNavCommand(0));
    ASSERT_TRUE(PumpUntil([] { return Seen().serverToClient == 3; }));

    TestWindow other(L"other");
    const std::uint32_t registered = MsgServerToClient;
    MsgServerToClient = 0;
    SendMessageW(TestMainWindow(), 0, 0, reinterpret_cast<LPARAM>(other.handle));
    MsgServerToClient = registered;
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 0);
}

TEST_F(NavLinkHook, RefusedCommandsSendNothing) {
    EXPECT_FALSE(SendNavCommand(1));
    EXPECT_FALSE(AwaitingReply);
    AwaitingReply = true;
    EXPECT_FALSE(SendNavCommand(5));
    EXPECT_TRUE(AwaitingReply);

    AwaitingReply = false;
    TestWindow server(L"server");
    ServerWindow = reinterpret_cast<std::intptr_t>(server.handle);
    EXPECT_FALSE(SendNavCommand(25));
    EXPECT_FALSE(AwaitingReply);

    NavLink.LinkState = 1;
    EXPECT_TRUE(SendNavCommand(0));
    PumpFor(200);
    EXPECT_EQ(Seen().serverToClient, 0);
}

TEST(NavDetectionEdge, HiddenWindowsAndOwnedPopupsAreNotSeen) {
    TestWindow hidden(L"NCK hidden", WS_OVERLAPPEDWINDOW);
    TestWindow owner(L"plain owner");
    TestWindow popup(L"NCK pop-up", WS_POPUP | WS_VISIBLE, owner.handle);
    ASSERT_TRUE(IsWindowVisible(popup.handle));
    EXPECT_EQ(FindNavigator(), 0);
    EXPECT_EQ(FindWindowLike(L"*NCK*", false), nullptr);
}

TEST(NavDetectionEdge, OnlyTheFirst127CharactersOfATitleCount) {
    std::wstring title(200, L'x');
    title.replace(127, 3, L"NCK");
    TestWindow late(title.c_str());
    EXPECT_EQ(FindNavigator(), 0);
    title.replace(124, 6, L"nckxxx");  // found in any letter case
    SetWindowTextW(late.handle, title.c_str());
    EXPECT_EQ(FindNavigator(), 4);
    EXPECT_EQ(FindWindowLike(L"*NCK*", false), late.handle);
}

// A detection tick reads the title of each window once, not once for each of the sixteen
// patterns: with many windows of other programs every read is a round trip.
int titleReads = 0;
WNDPROC staticProc = nullptr;
LRESULT CALLBACK CountTitleReads(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    titleReads += message == WM_GETTEXT ? 1 : 0;
    return CallWindowProcW(staticProc, window, message, wParam, lParam);
}

TEST(NavDetectionEdge, EachTitleIsReadOncePerTick) {
    TestWindow window(L"Editor");
    staticProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountTitleReads)));
    titleReads = 0;
    EXPECT_EQ(FindNavigator(), 0);
    EXPECT_EQ(titleReads, 1);
}

}  // namespace
}  // namespace mapwell
