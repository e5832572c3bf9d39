#include "navserver/stand_in.h"

#include "navlink/protocol.h"
#include "navlink/reply_owner.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(StandInOptions, ReadsEveryOption) {
    const StandInOptions options = ParseStandInOptions(
        {L"--gazetteer", L"g.txt", L"--title", L"NCK x", L"--delay", L"300", L"--stall", L"9",
         L"--never-answer", L"--answer-twice", L"--status", L"-3", L"--announce-zero",
         L"--info-reply", L"19:0,5,0,2,1234", L"--close-after", L"2", L"--log", L"l.txt"});
    EXPECT_EQ(options.error, L"");
    EXPECT_EQ(options.gazetteer, L"g.txt");
    EXPECT_EQ(options.title, L"NCK x");
    EXPECT_EQ(options.delayMs, 300);
    EXPECT_EQ(options.stallMs, 9);
    EXPECT_TRUE(options.neverAnswer);
    EXPECT_TRUE(options.answerTwice);
    EXPECT_EQ(options.status, -3);
    EXPECT_TRUE(options.announceZero);
    ASSERT_TRUE(options.infoReply);
    EXPECT_EQ(options.infoReply->type, 19u);
    EXPECT_EQ(options.infoReply->bytes,
              (std::vector<std::uint8_t>{0, 0, 0, 0, 5, 0, 0,    0,    0, 0,
                                         0, 0, 2, 0, 0, 0, 0xD2, 0x04, 0, 0}));
    EXPECT_EQ(options.closeAfter, 2);
    EXPECT_EQ(options.logFile, L"l.txt");
    EXPECT_EQ(ParseStandInOptions({L"--extra-windows", L"300"}).extraWindows, 300);
    EXPECT_EQ(ParseStandInOptions({L"--stall-from", L"3"}).stallFrom, 3);
    const StandInOptions late = ParseStandInOptions(
        {L"--delay-every", L"10", L"--no-address", L"--place-bytes", L"0000c07f0000807f"});
    EXPECT_EQ(late.delayEvery, 10);
    EXPECT_TRUE(late.noAddress);
    EXPECT_EQ(late.placeBytes,
              (std::vector<std::vector<std::uint8_t>>{{0, 0, 0xC0, 0x7F, 0, 0, 0x80, 0x7F}}));
    EXPECT_EQ(ParseStandInOptions({}).delayEvery, 1);
}

TEST(StandInOptions, InfoReplyFormsAndMistakes) {
    EXPECT_EQ(ParseStandInOptions({L"--info-reply", L"9:"}).infoReply->bytes.size(), 0u);
    EXPECT_EQ(ParseStandInOptions({L"--info-reply", L"4:x4142ff"}).infoReply->bytes,
              (std::vector<std::uint8_t>{0x41, 0x42, 0xFF}));
    EXPECT_EQ(ParseStandInOptions({L"--info-reply", L"2:-1"}).infoReply->bytes,
              (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
    for (const wchar_t* bad : {L"19", L"x:1", L"4:x414", L"2:1,,2", L"2:99999999999"}) {
        EXPECT_NE(ParseStandInOptions({L"--info-reply", bad}).error, L"") << bad;
    }
    for (const std::vector<std::wstring>& bad :
         std::vector<std::vector<std::wstring>>{{L"--delay"},
                                                {L"--delay", L"-5"},
                                                {L"--bogus"},
                                                {L"--delay-every", L"0"},
                                                {L"--place-bytes", L"00"},
                                                {L"--place-bytes", L"0000c07f0000807f,"}}) {
        EXPECT_NE(ParseStandInOptions(bad).error, L"") << bad[0];
    }
    EXPECT_EQ(ParseStandInOptions({}).title, L"NCK Stand-in Navigation Server");
}

TEST(StandIn, ReadsTheRequestThatTheLinkBuilds) {
    NavLinkInfo link;
    link.Country = L"DEU";
    link.City = L"K\u00F6ln";
    link.Zip = L"50667";
    link.Street = L"Domkloster";
    link.HouseNo = L"4";
    const CommandRecord record = BuildCommandRecord(link);
    const GeocodeRequest request = ReadRequest(record.data(), record.size());
    EXPECT_EQ(request.country, L"DEU");
    EXPECT_EQ(request.city, L"K\u00F6ln");
    EXPECT_EQ(request.zip, L"50667");
    EXPECT_EQ(request.street, L"Domkloster");
    EXPECT_EQ(request.houseNo, L"4");
}

TEST(StandIn, RepliesReadBackIntoTheLink) {
    const Place berlin{L"DE", L"10115", L"Berlin", 52.5323f, 13.3846f};
    const GeocodeRequest request{L"DE", L"Berlin", L"10115", L"", L""};
    NavLinkInfo link;
    link.LinkState = 1;
    std::vector<std::uint8_t> reply = BuildPlaceReply(request, &berlin, std::nullopt);
    ParseReply(link, 6, reply.data(), reply.size());
    EXPECT_EQ(link.LinkState, 0);
    EXPECT_EQ(link.Latitude, 52.5323f);
    EXPECT_EQ(link.Longitude, 13.3846f);
    EXPECT_EQ(link.ReplyText.substr(0, 18),
              std::wstring(L"10115 Berlin, DE") + std::wstring(2, L'\0'));

    reply = BuildPlaceReply(request, nullptr, std::nullopt);
    ParseReply(link, 6, reply.data(), reply.size());
    EXPECT_EQ(link.LinkState, 1);
    EXPECT_EQ(link.Latitude, 0.0f);

    reply = BuildPlaceReply(request, &berlin, 300);
    ParseReply(link, 6, reply.data(), reply.size());
    EXPECT_EQ(link.LinkState, 255);
    EXPECT_EQ(link.Latitude, 52.5323f);
}

// The sample's answers name the address asked for, so that a late one can be told from the next
// request's answer; the gazetteer's name the place found.
TEST(StandIn, AnswersCarryTheAddressAskedForOrThePlaceFound) {
    const Place berlin{L"DE", L"10115", L"Berlin", 52.5323f, 13.3846f};
    const GeocodeRequest request{L"DE", L"berlin", L"", L"Hauptstr. 5", L"5"};
    const std::pair<ReplyAddress, RequestedAddress> cases[] = {
        {ReplyAddress::Request, {L"", L"berlin", L"Hauptstr. 5", L"5"}},
        {ReplyAddress::PlaceFound, {L"10115", L"Berlin", L"Hauptstr. 5", L"5"}},
        {ReplyAddress::None, {}},
    };
    for (const auto& [address, expected] : cases) {
        const std::vector<std::uint8_t> reply =
            BuildPlaceReply(request, &berlin, std::nullopt, address);
        EXPECT_EQ(AddressOfRecord(reply.data(), reply.size()), expected);
    }
}

}  // namespace
}  // namespace mapwell
