// The records exchanged with the navigation program: the 400-byte geocoding request that this
// program sends, and the replies that come back, read into the link record. Platform-neutral:
// the Win32 side only moves these bytes through WM_COPYDATA.
#pragma once

#include "navlink/link_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mapwell {

// The names under which both sides register the two announce messages: the navigation program
// announces itself to its clients with the first, a client to the navigation program with the
// second.
inline constexpr wchar_t kAnnounceServerToClientName[] = L"NCK_AnnounceServerToClient";
inline constexpr wchar_t kAnnounceClientToServerName[] = L"NCK_AnnounceClientToServer";

// Commands this program sends; values above kLastCommand are refused.
inline constexpr std::uint8_t kCommandAnnounce = 0;
inline constexpr std::uint8_t kCommandPoll = 1;
inline constexpr std::uint8_t kCommandGeocode = 5;
inline constexpr std::uint8_t kLastCommand = 24;

// Reply types the program understands.
inline constexpr std::uintptr_t kReplyRoute = 2;
inline constexpr std::uintptr_t kReplyAddress = 4;
inline constexpr std::uintptr_t kReplyPlace = 6;
inline constexpr std::uintptr_t kReplyVersion = 8;
inline constexpr std::uintptr_t kReplyReady = 9;
inline constexpr std::uintptr_t kReplyMainVersion = 19;
inline constexpr std::uintptr_t kReplyRouteInfo = 21;

// Bytes read of each reply type (see ReplyRecordSize); written out field by field, and checked,
// in navlink/wire_layout.h.
inline constexpr std::size_t kRouteSize = 12;
inline constexpr std::size_t kAddressSize = 256;
inline constexpr std::size_t kPlaceSize = 400;
inline constexpr std::size_t kVersionSize = 16;
inline constexpr std::size_t kNumbersSize = 20;

// Byte offsets shared by the request record and the address part of replies 4 and 6.
namespace offsets {
inline constexpr std::size_t kCountry = 4;    // 10 bytes
inline constexpr std::size_t kCity = 14;      // 100 bytes
inline constexpr std::size_t kZip = 114;      // 20 bytes
inline constexpr std::size_t kStreet = 134;   // 100 bytes
inline constexpr std::size_t kHouseNo = 234;  // 20 bytes
inline constexpr std::size_t kLatitude = 256;
inline constexpr std::size_t kLongitude = 260;
inline constexpr std::size_t kStatus = 268;
inline constexpr std::size_t kText = 272;  // 128 bytes
}  // namespace offsets

// Characters of each text field of the request record; the field takes twice as many bytes.
inline constexpr std::size_t kCountryChars = 5;
inline constexpr std::size_t kCityChars = 50;
inline constexpr std::size_t kZipChars = 10;
inline constexpr std::size_t kStreetChars = 50;
inline constexpr std::size_t kHouseNoChars = 10;
inline constexpr std::size_t kReplyTextBytes = 128;

inline constexpr std::size_t kCommandRecordSize = 400;
using CommandRecord = std::array<std::uint8_t, kCommandRecordSize>;

// Fills a request text field of `chars` characters (2 * chars bytes) at `field`: the value cut or
// space-padded to `chars` characters, in the ANSI code page, an even number of its bytes, then
// pairs 0x20 0x00 up to the end of the field.
void PutTextField(std::uint8_t* field, std::size_t chars, std::wstring_view value);

// The geocoding request (command 5) for the request fields of `link`.
CommandRecord BuildCommandRecord(const NavLinkInfo& link);

// Bytes read of a reply of this type; 0 for reply 9 and for types the program does not know.
std::size_t ReplyRecordSize(std::uintptr_t type);

// Reads one reply into `link`. `size` bytes at `bytes` are what the sender supplied; at most the
// type's size is taken and missing bytes read as zero. A null `bytes` counts as no bytes.
// Every reply sets ReplyReceived.
void ParseReply(NavLinkInfo& link, std::uintptr_t type, const void* bytes, std::size_t size);

// A duration in seconds as whole minutes (ties to even) on a clock with days.
ClockDuration DurationTimeOf(std::int32_t seconds);

// The 8-bit link state for a geocoding status. A status outside 0..255 cannot be stored as it
// stands; it becomes 255, so that it still reads as "not found" and never as 0.
std::uint8_t LinkStateOfStatus(std::int32_t status);

// A text field of a record, `size` bytes at `at`: the bytes before its first NUL, or all of them.
std::wstring ReadCutText(const std::uint8_t* at, std::size_t size);

// Little-endian numbers in records.
std::int32_t ReadInt32(const std::uint8_t* at);
void WriteInt32(std::uint8_t* at, std::int32_t value);

}  // namespace mapwell
