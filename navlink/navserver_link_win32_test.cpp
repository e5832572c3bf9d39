// The link against the stand-in navigation program NavServer.exe, a separate process: the
// announcement handshake and geocoding round trips.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "app/testing/test_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace mapwell {
namespace {

using test::PumpUntil;

class NavServerLink : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetLink();
        log_ = (folder_ / "navserver.log").wstring();
    }

    // Starts the stand-in and waits until the timer has linked to its window.
    void StartAndLink(const std::wstring& options = L"") {
        server_ = std::make_unique<test::Program>(test::NavServerPath(),
                                                  test::SampleGazetteerOption() + L"--log \"" +
                                                      log_ + L"\" " + options);
        ASSERT_TRUE(server_->Started());
        const auto window = reinterpret_cast<std::intptr_t>(server_->Window());
        ASSERT_NE(window, 0);
        ASSERT_TRUE(PumpUntil([&] { return NavLink.LinkState != 0 && ServerWindow == window; }));
    }

    void Request(const wchar_t* zip, const wchar_t* city) {
        NavLink.Country = L"DE";
        NavLink.Zip = zip;
        NavLink.City = city;
        NavLink.ReplyReceived = false;
        ASSERT_TRUE(SendNavCommand(5));
    }

    std::vector<std::string> Log() const { return test::ReadLines(log_); }

    TestFolder folder_;
    std::wstring log_;
    std::unique_ptr<test::Program> server_;
};

TEST_F(NavServerLink, AnswerArrivesLaterAndNoPollGoesOutMeanwhile) {
    StartAndLink(L"--delay 1600");
    const std::size_t before = Log().size();
    Request(L"1010", L"Wien");
    EXPECT_FALSE(NavLink.ReplyReceived);
    EXPECT_TRUE(AwaitingReply);
    ASSERT_TRUE(PumpUntil([] { return NavLink.ReplyReceived; }));
    EXPECT_EQ(NavLink.Latitude, 48.2085f);

    // Ticks ran while the answer was outstanding (about three of them); none of them polled.
    const auto lines = Log();
    ASSERT_GT(lines.size(), before);
    EXPECT_EQ(lines[before].rfind("command 5 ", 0), 0u) << lines[before];
    EXPECT_EQ(test::CountLines({lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()},
                               "command 1 "),
              0);
}

// The bytes that reach the navigation program are the record the link laid out, and its answer
// arrives inside the send.
TEST_F(NavServerLink, TheLaidOutRecordGoesOutAndItsAnswerArrivesInsideTheSend) {
    StartAndLink();
    NavLink.Country = L"DEU";
    NavLink.Zip = L"10115";
    NavLink.City = std::wstring(60, L'c');  // found by its postal code
    std::string expected =
        "command 5 from " + test::DecimalOf(test::TestMainWindow()) + " size 400 ";
    for (std::uint8_t byte : BuildCommandRecord(NavLink)) {
        expected += "0123456789abcdef"[byte >> 4];
        expected += "0123456789abcdef"[byte & 15];
    }
    ASSERT_TRUE(SendNavCommand(5));
    EXPECT_TRUE(NavLink.ReplyReceived);  // before any message was pumped
    EXPECT_FALSE(AwaitingReply);
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_EQ(NavLink.ReplyText.substr(0, 17), std::wstring(L"10115 Berlin, DE") + L'\0');
    const auto lines = Log();
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end());
}

TEST_F(NavServerLink, LinkGoesDownWithinATickWhenTheWindowCloses) {
    StartAndLink(L"--never-answer --close-after 1");
    Request(L"10115", L"Berlin");
    EXPECT_FALSE(NavLink.ReplyReceived);
    ASSERT_TRUE(server_->WaitForExit(30000));
    ASSERT_NE(NavLink.LinkState, 0);
    ASSERT_TRUE(PumpUntil([] { return NavLink.LinkState == 0 && NavLink.ReplyReceived; }));
    EXPECT_EQ(NavLink.Latitude, 0.0f);
}

}  // namespace
}  // namespace mapwell
