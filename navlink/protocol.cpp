// Building the geocoding request and reading the navigation program's replies.
#include "navlink/protocol.h"

#include "navlink/wire_layout.h"  // the layout checks, compiled with the code they guard

#include "support/encoding/codepage.h"
#include "support/text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace mapwell {

namespace {

float ReadFloat(const std::uint8_t* at) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(ReadInt32(at)));
}

std::uint8_t MainVersionOf(std::int32_t number) {
    return static_cast<std::uint8_t>(std::clamp<std::int32_t>(number, 0, 255));
}

void TakeDistanceAndDuration(NavLinkInfo& link, std::int32_t distance, std::int32_t duration) {
    link.Distance = distance;
    link.DistanceKm = static_cast<float>(distance / 1000.0);
    link.Duration = duration;
    link.DurationTime = DurationTimeOf(duration);
}

}  // namespace

std::wstring ReadCutText(const std::uint8_t* at, std::size_t size) {
    const auto* end = std::find(at, at + size, std::uint8_t{0});
    return AnsiToWide(
        std::string_view(reinterpret_cast<const char*>(at), static_cast<std::size_t>(end - at)));
}

std::int32_t ReadInt32(const std::uint8_t* at) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
        static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void WriteInt32(std::uint8_t* at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

void PutTextField(std::uint8_t* field, std::size_t chars, std::wstring_view value) {
    std::wstring text(value.substr(0, chars));
    text.resize(chars, L' ');
    const std::string bytes = WideToAnsi(text);
    // A double-byte code page can make the text longer than the field; only whole byte pairs go in.
    const std::size_t taken = std::min(bytes.size() / 2 * 2, 2 * chars);
    std::memcpy(field, bytes.data(), taken);
    for (std::size_t i = taken; i + 1 < 2 * chars; i += 2) {
        field[i] = 0x20;
        field[i + 1] = 0x00;
    }
}

CommandRecord BuildCommandRecord(const NavLinkInfo& link) {
    CommandRecord record{};
    WriteInt32(record.data(), static_cast<std::int32_t>(kCommandRecordSize));
    PutTextField(record.data() + offsets::kCountry, kCountryChars, link.Country);
    PutTextField(record.data() + offsets::kCity, kCityChars, link.City);
    PutTextField(record.data() + offsets::kZip, kZipChars, link.Zip);
    PutTextField(record.data() + offsets::kStreet, kStreetChars, link.Street);
    PutTextField(record.data() + offsets::kHouseNo, kHouseNoChars, link.HouseNo);
    return record;
}

std::size_t ReplyRecordSize(std::uintptr_t type) {
    switch (type) {
    case kReplyRoute: return kRouteSize;
    case kReplyAddress: return kAddressSize;
    case kReplyPlace: return kPlaceSize;
    case kReplyVersion: return kVersionSize;
    case kReplyMainVersion:
    case kReplyRouteInfo: return kNumbersSize;
    default: return 0;
    }
}

ClockDuration DurationTimeOf(std::int32_t seconds) {
    std::int32_t minutes = seconds / 60;
    const std::int32_t rest = seconds % 60;
    // Round to the nearest minute, a half minute to the even one.
    if (rest > 30 || (rest == 30 && minutes % 2 != 0)) {
        ++minutes;
    } else if (rest < -30 || (rest == -30 && minutes % 2 != 0)) {
        --minutes;
    }
    ClockDuration time;
    time.days = minutes / (24 * 60);
    time.hours = minutes / 60 % 24;
    time.minutes = minutes % 60;
    return time;
}

std::uint8_t LinkStateOfStatus(std::int32_t status) {
    return (status >= 0 && status <= 255) ? static_cast<std::uint8_t>(status) : 255;
}

void ParseReply(NavLinkInfo& link, std::uintptr_t type, const void* bytes, std::size_t size) {
    const std::size_t recordSize = ReplyRecordSize(type);
    std::vector<std::uint8_t> record(recordSize, 0);
    if (bytes != nullptr && recordSize > 0) {
        std::memcpy(record.data(), bytes, std::min(size, recordSize));
    }
    const std::uint8_t* r = record.data();

    switch (type) {
    case kReplyRoute: {
        const std::int32_t distance = ReadInt32(r + 4);
        TakeDistanceAndDuration(link, distance, ReadInt32(r + 8));
        if ((link.LinkState == 1 || link.LinkState == 10) && distance > 0) {
            link.LinkState = 2;
        }
        break;
    }
    case kReplyAddress:
        link.Country = ReadCutText(r + offsets::kCountry, 2 * kCountryChars);
        link.City = ReadCutText(r + offsets::kCity, 2 * kCityChars);
        link.Zip = ReadCutText(r + offsets::kZip, 2 * kZipChars);
        link.Street = ReadCutText(r + offsets::kStreet, 2 * kStreetChars);
        link.HouseNo = ReadCutText(r + offsets::kHouseNo, 2 * kHouseNoChars);
        break;
    case kReplyPlace:
        link.Latitude = ReadFloat(r + offsets::kLatitude);
        link.Longitude = ReadFloat(r + offsets::kLongitude);
        link.LinkState = LinkStateOfStatus(ReadInt32(r + offsets::kStatus));
        // The whole text field, NUL bytes included.
        link.ReplyText = AnsiToWide(
            std::string_view(reinterpret_cast<const char*>(r + offsets::kText), kReplyTextBytes));
        break;
    case kReplyVersion:
        link.Version = DecimalText(ReadInt32(r + 4)) + L"." + DecimalText(ReadInt32(r + 8)) +
                       L" B" + DecimalText(ReadInt32(r + 12));
        break;
    case kReplyReady: link.LinkState = 10; break;
    case kReplyMainVersion:
        link.MainVersion = MainVersionOf(ReadInt32(r + 4));
        link.Version = DecimalText(ReadInt32(r + 4)) + L"." + DecimalText(ReadInt32(r + 8)) +
                       DecimalText(ReadInt32(r + 12)) + L" B" + DecimalText(ReadInt32(r + 16));
        break;
    case kReplyRouteInfo:
        TakeDistanceAndDuration(link, ReadInt32(r + 12), ReadInt32(r + 16));
        break;
    default: break;
    }
    link.ReplyReceived = true;
}

}  // namespace mapwell
