// The hook, the commands and the detection with real windows of the test process.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "app/testing/test_win32.h"

#include <gtest/gtest.h>

#include <memory>
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

TEST_F(NavLinkHook, UnknownReplyWhileWaitingOnlyEndsTheWait) {
    AwaitingReply = true;
    NavLink.LinkState = 1;
    EXPECT_EQ(SendReply(7, std::vector<std::uint8_t>(400, 1)), test::kCopyDataResult);
    EXPECT_TRUE(NavLink.ReplyReceived);
    EXPECT_FALSE(AwaitingReply);
    EXPECT_EQ(NavLink.LinkState, 1);
    EXPECT_EQ(Seen().copyData, 1);
}

TEST_F(NavLinkHook, OnlyTheFirstCopyDataAfterACommandIsRead) {
    AwaitingReply = true;
    std::vector<std::uint8_t> first(400, 0);
    WriteInt32(first.data() + offsets::kStatus, 4);
    std::vector<std::uint8_t> second(400, 0);
    WriteInt32(second.data() + offsets::kStatus, 9);
    SendReply(6, first);
    SendReply(6, second);
    EXPECT_EQ(NavLink.LinkState, 4);
    EXPECT_EQ(Seen().copyData, 2);
}

TEST_F(NavLinkHook, AnnouncementOfAnotherWindowLinksAndZeroClearsTheServerOnly) {
    TestWindow server(L"NCK server");
    SendAnnounce(server.handle);
    EXPECT_EQ(ServerWindow, reinterpret_cast<std::intptr_t>(server.handle));
    EXPECT_EQ(NavLink.LinkState, 1);
    SendAnnounce(nullptr);
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 1);
    EXPECT_EQ(Seen().serverToClient, 2);
}

// The broadcast announcement comes back to the program's own window: it is not a navigation
// program's, and neither is that of another running copy of the program.
TEST_F(NavLinkHook, OwnAndSiblingAnnouncementsAreIgnored) {
    SendAnnounce(TestMainWindow());
    HWND sibling = test::CreateMainClassWindow();
    SendAnnounce(sibling);
    DestroyWindow(sibling);
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 0);

    ASSERT_TRUE(SendNavCommand(0));
    ASSERT_TRUE(PumpUntil([] { return Seen().serverToClient == 3; }));
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(NavLink.LinkState, 0);
}

TEST_F(NavLinkHook, MessageZeroIsNoAnnouncementBeforeRegistration) {
    TestWindow server(L"other");
    const std::uint32_t registered = MsgServerToClient;
    MsgServerToClient = 0;
    SendMessageW(TestMainWindow(), 0, 0, reinterpret_cast<LPARAM>(server.handle));
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

TEST(NavDetection, FindsTheProductClassOfTheVisibleWindows) {
    const struct {
        std::vector<const wchar_t*> visibleTitles;
        int productClass;
    } cases[] = {
        {{}, 0},
        {{L"nck service"}, 4},
        {{L"NAVIGATOR"}, 0},
        {{L"My NavigatoR"}, 4},
        {{L"Navigator 7"}, 5},
        {{L"MobileNavigator 6.2"}, 3},
        {{L"NavigatoR", L"Touratech QV"}, 4},
        {{L"travelbook"}, 2},
        {{L"ViaMichelin Navigation"}, 1},
        {{L"cpos", L"NAVIBOOK"}, 2},
    };
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<TestWindow>> windows;
        for (const wchar_t* title : c.visibleTitles) {
            windows.push_back(std::make_unique<TestWindow>(title));
        }
        EXPECT_EQ(FindNavigator(), c.productClass) << (windows.empty() ? L"" : c.visibleTitles[0]);
    }
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
    title.replace(124, 6, L"NCKxxx");
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

class NavTick : public NavLinkHook {};

TEST_F(NavTick, LinkGoesDownWhenNoNavigationProgramWindowIsLeft) {
    TestWindow other(L"MobileNavigator 6");
    NavLink.LinkState = 1;
    NavTimer_Timer();
    EXPECT_EQ(NavProduct, 3);
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_TRUE(NavLink.ReplyReceived);
}

TEST_F(NavTick, AnnouncesWhileUnlinkedAndPollsWhenLinked) {
    TestWindow navigation(L"NCK server");
    NavTimer_Timer();
    ASSERT_TRUE(PumpUntil([] { return Seen().serverToClient == 1; }));

    // A window of the test process standing in for the navigation program: the poll goes out
    // as a WM_COPYDATA of command 1 without data.
    SendAnnounce(navigation.handle);
    ASSERT_EQ(NavLink.LinkState, 1);
    NavTimer_Timer();
    EXPECT_EQ(LastCommand, 1);
    EXPECT_TRUE(AwaitingReply);
}

}  // namespace
}  // namespace mapwell
