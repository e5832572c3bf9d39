// The records exchanged with the navigation program, written out field by field, and checked
// at compile time against the offsets and sizes that the byte code uses. The 32-bit product
// cannot be run on every build machine; built, it still has to pass these checks, so a layout
// that differs there from what the 64-bit tests verify fails to compile. Platform-neutral.
#pragma once

#include "navlink/protocol.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace mapwell {

namespace wire {

// The address text fields, alike in the request and in replies 4 and 6.
struct AddressFields {
    char country[2 * kCountryChars];
    char city[2 * kCityChars];
    char zip[2 * kZipChars];
    char street[2 * kStreetChars];
    char houseNo[2 * kHouseNoChars];
};

// The geocoding request, command 5.
struct CommandRecord {
    std::int32_t size;  // always 400
    AddressFields address;
    char zero1[10];
    std::int32_t zero2;
    char zero3[132];
};

// Reply 2.
struct RouteReply {
    std::int32_t unread;
    std::int32_t distance;
    std::int32_t duration;
};

// Reply 4, and the first 256 bytes of reply 6.
struct AddressReply {
    std::int32_t unread;
    AddressFields address;
    char unread2[2];
};

// Reply 6: the found place.
struct PlaceReply {
    AddressReply address;
    float latitude;
    float longitude;
    std::int32_t unread;
    std::int32_t status;
    char text[kReplyTextBytes];
};

// Replies 8, 19 and 21: plain numbers.
struct VersionReply {
    std::int32_t numbers[4];
};
struct NumbersReply {
    std::int32_t numbers[5];
};

}  // namespace wire

static_assert(sizeof(wire::CommandRecord) == kCommandRecordSize);
static_assert(offsetof(wire::CommandRecord, address.country) == offsets::kCountry);
static_assert(offsetof(wire::CommandRecord, address.city) == offsets::kCity);
static_assert(offsetof(wire::CommandRecord, address.zip) == offsets::kZip);
static_assert(offsetof(wire::CommandRecord, address.street) == offsets::kStreet);
static_assert(offsetof(wire::CommandRecord, address.houseNo) == offsets::kHouseNo);
static_assert(sizeof(wire::AddressFields) == 250);
static_assert(offsetof(wire::CommandRecord, zero1) == 254);
static_assert(offsetof(wire::CommandRecord, zero2) == 264);
static_assert(offsetof(wire::CommandRecord, zero3) == 268);

static_assert(sizeof(wire::RouteReply) == kRouteSize);
static_assert(offsetof(wire::RouteReply, distance) == 4);
static_assert(offsetof(wire::RouteReply, duration) == 8);

static_assert(sizeof(wire::AddressReply) == kAddressSize);
static_assert(offsetof(wire::AddressReply, address.country) == offsets::kCountry);
static_assert(offsetof(wire::AddressReply, address.city) == offsets::kCity);
static_assert(offsetof(wire::AddressReply, address.zip) == offsets::kZip);
static_assert(offsetof(wire::AddressReply, address.street) == offsets::kStreet);
static_assert(offsetof(wire::AddressReply, address.houseNo) == offsets::kHouseNo);

static_assert(sizeof(wire::PlaceReply) == kPlaceSize);
static_assert(offsetof(wire::PlaceReply, latitude) == offsets::kLatitude);
static_assert(offsetof(wire::PlaceReply, longitude) == offsets::kLongitude);
static_assert(offsetof(wire::PlaceReply, status) == offsets::kStatus);
static_assert(offsetof(wire::PlaceReply, text) == offsets::kText);

static_assert(sizeof(wire::VersionReply) == kVersionSize);
static_assert(sizeof(wire::NumbersReply) == kNumbersSize);

// Coordinates travel as the four bytes of a little-endian IEEE 754 single, copied bit for bit.
static_assert(sizeof(float) == 4 && sizeof(std::int32_t) == 4);
static_assert(std::numeric_limits<float>::is_iec559);
static_assert(std::endian::native == std::endian::little);
static_assert(std::bit_cast<std::uint32_t>(52.5f) == 0x42520000u);
static_assert(std::bit_cast<float>(0xC1500000u) == -13.0f);

}  // namespace mapwell
