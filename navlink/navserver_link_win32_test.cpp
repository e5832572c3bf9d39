// The link against the stand-in navigation program NavServer.exe, a separate process: the
// announcement handshake, geocoding round trips and every kind of reply.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "navlink/test_support_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <memory>

namespace mapwell {
namespace {

using test::PumpFor;
using test::PumpUntil;

class NavServerLink : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetLink();
        log_ = test::NewTempFolder() + L"navserver.log";
    }

    // Starts the stand-in and waits until the timer has linked to it.
    void StartAndLink(const std::wstring& options = L"") {
        server_ = std::make_unique<test::Program>(test::NavServerPath(),
                                                  test::SampleGazetteerOption() + L"--log \"" +
                                                      log_ + L"\" " + options);
        ASSERT_TRUE(server_->started());
        window_ = server_->Window();
        ASSERT_NE(window_, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return NavLink.LinkState != 0 && ServerWindow == Server(); }));
    }
    std::intptr_t Server() const { return reinterpret_cast<std::intptr_t>(window_); }

    void Request(const wchar_t* zip, const wchar_t* city) {
        NavLink.Country = L"DE";
        NavLink.Zip = zip;
        NavLink.City = city;
        NavLink.Street = L"";
        NavLink.HouseNo = L"";
        NavLink.Latitude = 0;
        NavLink.ReplyReceived = false;
        ASSERT_TRUE(SendNavCommand(5));
    }

    std::vector<std::string> Log() const { return test::ReadLines(log_); }
    int CountLines(const std::string& start) const {
        const auto lines = Log();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const auto& line) {
            return line.rfind(start, 0) == 0;
        }));
    }

    std::wstring log_;
    std::unique_ptr<test::Program> server_;
    HWND window_ = nullptr;
};

TEST_F(NavServerLink, HandshakeLinksToTheStandInWindow) {
    StartAndLink();
    EXPECT_EQ(NavLink.LinkState, 1);
    EXPECT_GE(CountLines("announce from " + test::DecimalOf(test::TestMainWindow())), 1);
}

TEST_F(NavServerLink, AnswerArrivesInsideTheSend) {
    StartAndLink();
    Request(L"10115", L"Berlin");
    EXPECT_TRUE(NavLink.ReplyReceived);  // before any message was pumped
    EXPECT_FALSE(AwaitingReply);
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_EQ(NavLink.Latitude, 52.5323f);
    EXPECT_EQ(NavLink.Longitude, 13.3846f);
    EXPECT_EQ(NavLink.ReplyText.substr(0, 17), std::wstring(L"10115 Berlin, DE") + L'\0');

    // Found by city in any letter case when the zip is unknown.
    Request(L"", L"M\u00DCNCHEN");
    EXPECT_TRUE(NavLink.ReplyReceived);
    EXPECT_EQ(NavLink.Latitude, 48.1372f);
}

TEST_F(NavServerLink, AnswerArrivesLaterAndNoPollGoesOutMeanwhile) {
    StartAndLink(L"--delay 1600");
    const std::size_t before = Log().size();
    Request(L"1010", L"Wien");
    EXPECT_FALSE(NavLink.ReplyReceived);
    EXPECT_TRUE(AwaitingReply);
    ASSERT_TRUE(PumpUntil([] { return NavLink.ReplyReceived; }));
    EXPECT_EQ(NavLink.Latitude, 48.2085f);
    EXPECT_EQ(NavLink.ReplyText.substr(0, 9), L"1010 Wien");

    // Ticks ran while the answer was outstanding (about three of them); none of them polled.
    const auto lines = Log();
    ASSERT_GT(lines.size(), before);
    EXPECT_EQ(lines[before].rfind("command 5 ", 0), 0u) << lines[before];
    for (std::size_t i = before + 1; i < lines.size(); ++i) {
        EXPECT_NE(lines[i].rfind("command 1 ", 0), 0u) << "poll while waiting: " << lines[i];
    }
}

TEST_F(NavServerLink, UnknownPlaceIsNotFound) {
    StartAndLink();
    Request(L"99999", L"Atlantis");
    EXPECT_TRUE(NavLink.ReplyReceived);
    EXPECT_EQ(NavLink.LinkState, 1);
    EXPECT_EQ(NavLink.Latitude, 0.0f);
    EXPECT_EQ(NavLink.ReplyText.substr(0, 19), L"Address not found: ");
}

TEST_F(NavServerLink, StatusBeyondEightBitsStillMeansNotFound) {
    StartAndLink(L"--status 256");
    Request(L"10115", L"Berlin");
    EXPECT_EQ(NavLink.LinkState, 255);
}

TEST_F(NavServerLink, OnlyTheFirstAnswerIsRead) {
    StartAndLink(L"--answer-twice");
    Request(L"20095", L"Hamburg");
    // Both answers came inside the send; the second (status 99, latitude 0) was not read.
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_EQ(NavLink.Latitude, 53.5503f);
    EXPECT_EQ(NavLink.ReplyText.substr(0, 5), L"20095");
    EXPECT_EQ(test::Seen().copyData, 2);  // both reached the window's own procedure
    PumpFor(300);
    EXPECT_NE(NavLink.LinkState, 99);
    EXPECT_EQ(NavLink.Latitude, 53.5503f);
}

TEST_F(NavServerLink, LoggedRequestHoldsTheLaidOutRecord) {
    StartAndLink();
    NavLink.Country = L"DEU";
    NavLink.City = std::wstring(60, L'c');
    ASSERT_TRUE(SendNavCommand(5));
    std::string hex;
    for (const std::string& line : Log()) {
        const std::string head =
            "command 5 from " + test::DecimalOf(test::TestMainWindow()) + " size 400 ";
        if (line.rfind(head, 0) == 0) {
            hex = line.substr(head.size());
        }
    }
    ASSERT_EQ(hex.size(), 800u);
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    EXPECT_EQ(bytes, test::ExpectedDeuRecord());
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

// A navigation program that stops responding holds the program for the time limit only, and
// the request then counts as unanswered.
TEST_F(NavServerLink, UnresponsiveNavigationProgramDoesNotFreezeTheProgram) {
    StartAndLink(L"--stall 120000");
    const ULONGLONG start = GetTickCount64();
    Request(L"10115", L"Berlin");
    EXPECT_LT(GetTickCount64() - start, 30000u);
    EXPECT_FALSE(AwaitingReply);
    EXPECT_FALSE(NavLink.ReplyReceived);
}

TEST_F(NavServerLink, AnnouncementWithoutWindowDoesNotLink) {
    server_ = std::make_unique<test::Program>(test::NavServerPath(),
                                              L"--announce-zero --log \"" + log_ + L"\"");
    ASSERT_NE(server_->Window(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return CountLines("announce from") >= 3; }));
    PumpFor(100);
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_EQ(ServerWindow, 0);
}

struct InfoReplyCase {
    const char* name;
    std::wstring option;
    void (*check)(const NavLinkInfo&);
};

// Reply 4 as --info-reply TYPE:xHEX; its street fills the field with no NUL.
std::wstring AddressReplyOption() {
    std::vector<std::uint8_t> record(256, 0);
    auto put = [&](std::size_t at, const std::string& text) {
        std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(offsets::kCountry, "DE");
    put(offsets::kCity, "K\xF6ln");
    put(offsets::kZip, "50667");
    put(offsets::kStreet, std::string(100, 'S'));
    put(offsets::kHouseNo, "1a");
    std::wstring option = L"4:x";
    for (std::uint8_t b : record) {
        wchar_t digits[3];
        swprintf(digits, 3, L"%02x", b);
        option += digits;
    }
    return option;
}

class NavServerInfoReply : public NavServerLink,
                           public ::testing::WithParamInterface<InfoReplyCase> {};

TEST_P(NavServerInfoReply, PollAnswerReachesTheLinkRecord) {
    StartAndLink(std::wstring(L"--info-reply ") + GetParam().option);
    NavLink.ReplyReceived = false;
    ASSERT_TRUE(PumpUntil([] { return NavLink.ReplyReceived; }));
    GetParam().check(NavLink);
}

INSTANTIATE_TEST_SUITE_P(
    Types, NavServerInfoReply,
    ::testing::Values(InfoReplyCase{"Route", L"2:0,1500,3630",
                                    [](const NavLinkInfo& link) {
                                        EXPECT_EQ(link.LinkState, 2);
                                        EXPECT_EQ(link.Distance, 1500);
                                        EXPECT_EQ(link.DistanceKm, 1.5f);
                                        EXPECT_EQ(link.Duration, 3630);
                                        EXPECT_EQ(link.DurationTime, (ClockDuration{0, 1, 0}));
                                    }},
                      InfoReplyCase{"Address", AddressReplyOption(),
                                    [](const NavLinkInfo& link) {
                                        EXPECT_EQ(link.Country, L"DE");
                                        EXPECT_EQ(link.City, L"K\u00F6ln");
                                        EXPECT_EQ(link.Zip, L"50667");
                                        EXPECT_EQ(link.Street, std::wstring(100, L'S'));
                                        EXPECT_EQ(link.HouseNo, L"1a");
                                    }},
                      InfoReplyCase{
                          "Version", L"8:0,7,1,33",
                          [](const NavLinkInfo& link) { EXPECT_EQ(link.Version, L"7.1 B33"); }},
                      InfoReplyCase{"Ready", L"9:",
                                    [](const NavLinkInfo& link) { EXPECT_EQ(link.LinkState, 10); }},
                      InfoReplyCase{"MainVersion", L"19:0,5,0,2,1234",
                                    [](const NavLinkInfo& link) {
                                        EXPECT_EQ(link.MainVersion, 5);
                                        EXPECT_EQ(link.Version, L"5.02 B1234");
                                    }},
                      InfoReplyCase{"RouteInfo", L"21:0,0,0,2500,7200",
                                    [](const NavLinkInfo& link) {
                                        EXPECT_EQ(link.Distance, 2500);
                                        EXPECT_EQ(link.DistanceKm, 2.5f);
                                        EXPECT_EQ(link.DurationTime, (ClockDuration{0, 2, 0}));
                                        EXPECT_EQ(link.LinkState, 1);
                                    }},
                      InfoReplyCase{"Unknown", L"7:1,2,3",
                                    [](const NavLinkInfo& link) {
                                        EXPECT_EQ(link.LinkState, 1);
                                        EXPECT_EQ(link.Version, L"");
                                        EXPECT_EQ(link.Distance, 0);
                                    }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mapwell
