// What the stand-in navigation program does with the bytes of the protocol: its command-line
// options, reading a geocoding request, building its replies and its log lines.
#pragma once

#include "navserver/gazetteer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The registered message by which a test tells the stand-in to send the answers that it holds for
// --delay at once, so that a late answer comes at a moment the test chooses.
inline constexpr wchar_t kReleaseHeldAnswersMessage[] = L"MapwellNavServerReleaseHeldAnswers";

// A reply that the stand-in sends as it stands: its type and record.
struct RawReply {
    std::uintptr_t type = 0;
    std::vector<std::uint8_t> bytes;
};

// What the address part of an answer carries, as navigation programs fill it in their own ways:
// the request's fields (echo), the place found as the data names it (country, zip and city of the
// place, street and house number of the request), the same with the city in the stand-in's own
// spelling ("Berlin, DE"), only that city, or nothing.
enum class ReplyAddress { Request, PlaceFound, OwnSpelling, CityOnly, None };

struct StandInOptions {
    std::wstring gazetteer;  // empty: gazetteer.txt beside the program
    std::wstring title = L"NCK Stand-in Navigation Server";
    int delayMs = 0;     // 0: answer from inside the handling of the command
    int delayEvery = 1;  // the delay holds for every this-many-th request only
    int stallMs = 0;     // wait this long inside the handling of every request, as if hung
    int stallFrom = 1;   // ... from this request on (the first is 1)
    bool neverAnswer = false;
    bool answerTwice = false;
    std::optional<std::int32_t> status;  // answer every request with this status
    bool announceZero = false;
    std::optional<RawReply> infoReply;  // sent in answer to every poll
    std::optional<ReplyAddress> replyAddress;  // what answers name; unset: the data's default
    int dropEvery = 0;  // every this-many-th request is never answered; 0: none
    // The latitude and longitude bytes of the first answers, one 8-byte pair each.
    std::vector<std::vector<std::uint8_t>> placeBytes;
    int closeAfter = 0;    // close the window after this many requests; 0: never
    int extraWindows = 0;  // further visible top-level windows, as a crowded desktop has
    std::wstring logFile;
    std::wstring error;  // what was wrong with the command line; empty when nothing
};

// Options from the program's arguments (without the program's own name):
//   --gazetteer FILE  --title TEXT  --delay MS  --delay-every N  --stall MS  --stall-from N
//   --never-answer  --answer-twice  --status N  --announce-zero  --close-after N  --extra-windows N
//   --log FILE
//   --reply-address echo|found|own|city|empty   what the address part of an answer names
//   --drop-every N   never answer every N-th request
//   --place-bytes HEX,HEX,...   eight bytes each (latitude, longitude), in turn
//   --info-reply TYPE:a0,a1,...   the record is the numbers as little-endian 32-bit integers
//   --info-reply TYPE:xHEX        the record is these bytes ("9:" sends no record at all)
StandInOptions ParseStandInOptions(const std::vector<std::wstring>& args);

// The request fields of a geocoding request, without their padding.
struct GeocodeRequest {
    std::wstring country;
    std::wstring city;
    std::wstring zip;
    std::wstring street;
    std::wstring houseNo;
};
GeocodeRequest ReadRequest(const std::uint8_t* bytes, std::size_t size);

// The answer (reply 6) to a request: the place's coordinates and status 0 when it was found,
// latitude 0 and status 1 when not; `status` replaces the status when given.
// What its address part carries: see ReplyAddress.
std::vector<std::uint8_t> BuildPlaceReply(const GeocodeRequest& request, const Place* place,
                                          std::optional<std::int32_t> status,
                                          ReplyAddress address = ReplyAddress::Request);

// The second answer of --answer-twice, which a client must not read.
std::vector<std::uint8_t> BuildSecondReply();

// One log line (without line end) for a WM_COPYDATA received from `sender`:
//   "command 5 from 1234 size 400 9001000044455520..."
std::string CommandLogLine(std::uintptr_t command, std::uintptr_t sender, const std::uint8_t* bytes,
                           std::size_t size);
// ... and for an announcement of a client window: "announce from 1234".
std::string AnnounceLogLine(std::uintptr_t client);

std::string HexText(const std::uint8_t* bytes, std::size_t size);
// Bytes of a text of hex digit pairs; nullopt when it is not one.
std::optional<std::vector<std::uint8_t>> HexBytes(std::string_view text);

}  // namespace mapwell
