#include "navlink/protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace mapwell {
namespace {

// `text` as bytes, then pairs 0x20 0x00 until `size` bytes.
std::vector<std::uint8_t> Field(const std::string& text, std::size_t size) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    while (bytes.size() < size) {
        bytes.push_back(0x20);
        bytes.push_back(0x00);
    }
    return bytes;
}

std::vector<std::uint8_t> Slice(const CommandRecord& record, std::size_t at, std::size_t size) {
    return {record.begin() + static_cast<std::ptrdiff_t>(at),
            record.begin() + static_cast<std::ptrdiff_t>(at + size)};
}

TEST(CommandRecord, FieldsAreCutPaddedAndConvertedToAnsi) {
    NavLinkInfo link;
    link.Country = L"DEU";
    link.City = std::wstring(L"M\u00FCnchen") + std::wstring(53, L'x');  // 60 characters
    link.Zip = L"80331";
    link.Street = L"Marienplatz";
    link.HouseNo = L"12345678901";  // 11 characters
    const CommandRecord record = BuildCommandRecord(link);

    EXPECT_EQ(Slice(record, 0, 4), (std::vector<std::uint8_t>{0x90, 0x01, 0, 0}));
    EXPECT_EQ(Slice(record, 4, 10), Field("DEU ", 10));
    EXPECT_EQ(Slice(record, 14, 100), Field("M\xFCnchen" + std::string(43, 'x'), 100));
    EXPECT_EQ(Slice(record, 114, 20), Field("80331     ", 20));
    EXPECT_EQ(Slice(record, 134, 100), Field("Marienplatz" + std::string(39, ' '), 100));
    EXPECT_EQ(Slice(record, 234, 20), Field("1234567890", 20));
    EXPECT_EQ(Slice(record, 254, 146), std::vector<std::uint8_t>(146, 0));
}

// A reply record of `size` bytes with little-endian numbers at the given offsets.
struct Reply {
    explicit Reply(std::size_t size) : bytes(size, 0) {}
    Reply& Int(std::size_t at, std::int32_t value) {
        WriteInt32(bytes.data() + at, value);
        return *this;
    }
    Reply& Float(std::size_t at, float value) {
        std::memcpy(bytes.data() + at, &value, 4);
        return *this;
    }
    Reply& Text(std::size_t at, const std::string& text) {
        std::memcpy(bytes.data() + at, text.data(), text.size());
        return *this;
    }
    std::vector<std::uint8_t> bytes;
};

// What a link in `linkState` holds after `reply` came as a reply of `type`.
NavLinkInfo Parsed(std::uintptr_t type, const Reply& reply, std::uint8_t linkState = 0) {
    NavLinkInfo link;
    link.LinkState = linkState;
    ParseReply(link, type, reply.bytes.data(), reply.bytes.size());
    return link;
}

// A status outside eight bits stays a failure.
TEST(Reply, PlaceTakesCoordinatesTheWholeTextAndANonZeroStatus) {
    const struct {
        std::int32_t status;
        std::uint8_t linkState;
    } cases[] = {{0, 0}, {1, 1}, {255, 255}, {256, 255}, {512, 255}, {-1, 255}, {INT32_MIN, 255}};
    for (const auto& c : cases) {
        Reply reply = Reply(400).Float(256, 52.5318f).Float(260, 13.3847f).Int(268, c.status);
        const NavLinkInfo link = Parsed(6, reply.Text(272, "Berlin"), 1);
        EXPECT_EQ(link.LinkState, c.linkState) << c.status;
        EXPECT_EQ(link.Latitude, 52.5318f);
        EXPECT_EQ(link.Longitude, 13.3847f);
        EXPECT_EQ(link.ReplyText, std::wstring(L"Berlin") + std::wstring(122, L'\0'));
    }
}

TEST(Reply, ShortOrNoRecordReadsZeroAndLongRecordIsCut) {
    NavLinkInfo link;
    link.LinkState = 7;
    link.Latitude = 3;
    Reply reply = Reply(500).Float(256, 48.0f).Int(268, 3).Text(399, "XY");
    ParseReply(link, 6, reply.bytes.data(), 258);  // only half of the latitude arrives
    EXPECT_EQ(link.LinkState, 0);
    EXPECT_EQ(link.ReplyText, std::wstring(128, L'\0'));
    float expected = 0;
    std::memcpy(reinterpret_cast<std::uint8_t*>(&expected), reply.bytes.data() + 256, 2);
    EXPECT_EQ(link.Latitude, expected);

    ParseReply(link, 6, reply.bytes.data(), reply.bytes.size());
    EXPECT_EQ(link.Latitude, 48.0f);
    // The text ends with the record's 400th byte; what follows is not read.
    EXPECT_EQ(link.ReplyText, std::wstring(127, L'\0') + L"X");

    ParseReply(link, 6, nullptr, 400);  // no record counts as no bytes
    EXPECT_EQ(link.LinkState, 0);
    EXPECT_EQ(link.Latitude, 0.0f);
    EXPECT_TRUE(link.ReplyReceived);
}

TEST(Reply, AddressFieldsEndAtTheirFirstNul) {
    Reply reply(256);
    reply.Text(4, "DE").Text(14, "K\xF6ln").Text(114, "50667").Text(234, "1a");
    reply.Text(134, std::string(100, 'S'));  // no NUL: all 100 characters
    reply.Text(234 + 19, "Z");               // last byte of the house number
    const NavLinkInfo link = Parsed(4, reply);
    EXPECT_EQ(link.Country, L"DE");
    EXPECT_EQ(link.City, L"K\u00F6ln");
    EXPECT_EQ(link.Zip, L"50667");
    EXPECT_EQ(link.Street, std::wstring(100, L'S'));
    EXPECT_EQ(link.HouseNo, L"1a");
    EXPECT_TRUE(link.ReplyReceived);
}

TEST(Reply, RouteRaisesAnnouncedOrReadyLinkOnlyForAPositiveDistance) {
    const struct {
        std::uint8_t before;
        std::int32_t distance;
        std::uint8_t after;
    } cases[] = {{1, 1500, 2}, {10, 1, 2}, {0, 1500, 0}, {3, 1500, 3}, {1, 0, 1}, {1, -5, 1}};
    for (const auto& c : cases) {
        const NavLinkInfo link = Parsed(2, Reply(12).Int(4, c.distance).Int(8, 3630), c.before);
        EXPECT_EQ(link.LinkState, c.after) << int(c.before) << " " << c.distance;
        EXPECT_EQ(link.Distance, c.distance);
        EXPECT_EQ(link.Duration, 3630);
    }
    // Reply 21 takes its last two numbers and leaves the link state.
    const NavLinkInfo info =
        Parsed(21, Reply(20).Int(4, 9).Int(8, 9).Int(12, 123456).Int(16, 90000), 1);
    EXPECT_EQ(info.Distance, 123456);
    EXPECT_EQ(info.DistanceKm, 123.456f);
    EXPECT_EQ(info.Duration, 90000);
    EXPECT_EQ(info.DurationTime, (ClockDuration{1, 1, 0}));  // 1500 minutes
    EXPECT_EQ(info.LinkState, 1);
}

TEST(Reply, VersionTexts) {
    NavLinkInfo link = Parsed(19, Reply(20).Int(4, 5).Int(8, 0).Int(12, 2).Int(16, 1234));
    EXPECT_EQ(link.MainVersion, 5);
    EXPECT_EQ(link.Version, L"5.02 B1234");
    ParseReply(link, 8, Reply(16).Int(0, 77).Int(4, 7).Int(8, -1).Int(12, 33).bytes.data(), 16);
    EXPECT_EQ(link.Version, L"7.-1 B33");
    EXPECT_EQ(link.MainVersion, 5);

    EXPECT_EQ(Parsed(19, Reply(20).Int(4, 300)).MainVersion, 255);
    link = Parsed(19, Reply(20).Int(4, -2));
    EXPECT_EQ(link.MainVersion, 0);
    EXPECT_EQ(link.Version, L"-2.00 B0");
}

// Every reply ends the wait; one of another type reads nothing.
TEST(Reply, ReadyAndUnknownTypes) {
    const NavLinkInfo ready = Parsed(9, Reply(0), 1);
    EXPECT_EQ(ready.LinkState, 10);
    EXPECT_TRUE(ready.ReplyReceived);
    for (std::uintptr_t type : {0, 1, 5, 7, 20, 1000}) {
        const NavLinkInfo other = Parsed(type, Reply(400).Int(268, 9).Text(134, "Hauptstr."), 1);
        EXPECT_TRUE(other.ReplyReceived);
        EXPECT_EQ(other.LinkState, 1);
        EXPECT_EQ(other.Street, L"");
    }
}

TEST(DurationTime, MinutesRoundTiesToEvenAndCarry) {
    const struct {
        std::int32_t seconds;
        ClockDuration time;
    } cases[] = {
        {30, {0, 0, 0}},    {31, {0, 0, 1}},   {90, {0, 0, 2}},
        {150, {0, 0, 2}},   {3570, {0, 1, 0}}, {3510, {0, 0, 58}},
        {90000, {1, 1, 0}}, {-90, {0, 0, -2}}, {INT32_MAX, {24855, 3, 14}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DurationTimeOf(c.seconds), c.time) << c.seconds;
    }
}

}  // namespace
}  // namespace mapwell
