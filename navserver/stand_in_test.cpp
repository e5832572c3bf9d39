#include "navserver/stand_in.h"

#include "navlink/request_ledger.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

// The options that the link's and the engine's Windows tests use are read there; these are
// the rest.
TEST(StandInOptions, ReadsTheOptionsNoWindowsTestUses) {
    const StandInOptions options = ParseStandInOptions(
        {L"--title", L"NCK x", L"--answer-twice", L"--status", L"-3", L"--announce-zero",
         L"--extra-windows", L"300", L"--place-bytes", L"0000c07f0000807f"});
    EXPECT_EQ(options.error, L"");
    EXPECT_EQ(options.title, L"NCK x");
    EXPECT_TRUE(options.answerTwice);
    EXPECT_EQ(options.status, -3);
    EXPECT_TRUE(options.announceZero);
    EXPECT_EQ(options.extraWindows, 300);
    EXPECT_EQ(options.placeBytes,
              (std::vector<std::vector<std::uint8_t>>{{0, 0, 0xC0, 0x7F, 0, 0, 0x80, 0x7F}}));
    EXPECT_EQ(ParseStandInOptions({}).delayEvery, 1);
}

TEST(StandInOptions, MistakesAreRefused) {
    const std::vector<std::vector<std::wstring>> mistakes = {
        {L"--info-reply", L"19"},     {L"--info-reply", L"4:x414"},
        {L"--info-reply", L"2:1,,2"}, {L"--delay"},
        {L"--delay", L"-5"},          {L"--bogus"},
        {L"--delay-every", L"0"},     {L"--place-bytes", L"00"},
        {L"--reply-address", L"x"}};
    for (const auto& bad : mistakes) {
        EXPECT_NE(ParseStandInOptions(bad).error, L"") << bad.back();
    }
}

// An answer names the address asked for, or the place found as the match names it, so that a
// late one can be told from the next request's answer; or as other navigation programs do.
TEST(StandIn, AnswersCarryTheAddressAskedForOrThePlaceFound) {
    const PlaceMatch berlin{
        0, {L"DE", L"10115", L"Berlin", 52.5323f, 13.3846f}, L"", L"Berlin", L"10115"};
    const GeocodeRequest request{L"DE", L"berlin", L"", L"Hauptstr. 5", L"5"};
    const std::pair<ReplyAddress, RequestedAddress> cases[] = {
        {ReplyAddress::Request, {L"", L"berlin", L"Hauptstr. 5", L"5"}},
        {ReplyAddress::PlaceFound, {L"10115", L"Berlin", L"Hauptstr. 5", L"5"}},
        {ReplyAddress::OwnSpelling, {L"10115", L"Berlin, DE", L"Hauptstr. 5", L"5"}},
        {ReplyAddress::CityOnly, {L"", L"Berlin, DE", L"", L""}},
        {ReplyAddress::CityAsAsked, {L"", L"Berlin", L"", L""}},
        {ReplyAddress::None, {}},
    };
    for (const auto& [address, expected] : cases) {
        const std::vector<std::uint8_t> reply =
            BuildPlaceReply(request, berlin, std::nullopt, address);
        EXPECT_EQ(AddressOfRecord(reply.data(), reply.size()), expected);
    }
    // An answer held until the next request names only its city and postcode.
    std::vector<std::uint8_t> held = BuildPlaceReply(request, berlin, std::nullopt);
    KeepCityAndPostcodeOnly(held);
    EXPECT_EQ(AddressOfRecord(held.data(), held.size()),
              (RequestedAddress{L"10115", L"Berlin", L"", L""}));
}

}  // namespace
}  // namespace mapwell
