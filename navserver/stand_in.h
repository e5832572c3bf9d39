// What the stand-in navigation program does with the bytes of the protocol: its command-line
// options, reading a geocoding request, building its replies and its log lines.
#pragma once

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
// the request's fields (echo); the place found (its country, the city and zip that the match
// names it by, street and house number of the request), which is the default; the same with
// the city in the stand-in's own spelling ("Berlin, DE"); only that city; only the city as the
// match names it (the request's own spelling); or nothing.
enum class ReplyAddress { Request, PlaceFound, OwnSpelling, CityOnly, CityAsAsked, None };

struct StandInOptions {
    std::wstring gazetteer;  // empty: gazetteer.dat beside the program, else the sample
    std::wstring title = L"NCK Stand-in Navigation Server";
    int delayMs = 0;     // 0: answer from inside the handling of the command
    int delayEvery = 1;  // the delay holds for every this-many-th request only
    int stallMs = 0;     // wait this long inside the handling of every request, as if hung
    int stallFrom = 1;   // ... from this request on (the first is 1)
    bool neverAnswer = false;
    bool answerTwice = false;
    std::optional<std::int32_t> status;  // answer every request with this status
    bool announceZero = false;
    std::optional<RawReply> infoReply;         // sent in answer to every poll
    std::optional<ReplyAddress> replyAddress;  // what answers name; unset: PlaceFound
    int dropEvery = 0;  // every this-many-th request is never answered; 0: none
    // Every this-many-th request from the first is held until the next request arrives, and
    // then answered, with its city and postcode only, before the new one; 0: none.
    int holdEvery = 0;
    // When not 0: answers go out one at a time, each this long after the program could start
    // on it (its request's arrival, or the answer before it); request slowRequest takes slowMs.
    int serialMs = 0;
    int slowRequest = 0;
    int slowMs = 0;
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
//   --reply-address echo|found|own|city|city-as-asked|empty   what an answer's address names
//   --drop-every N   never answer every N-th request
//   --hold-every N   hold every N-th request from the first until the next arrives
//   --serial MS  --slow-request N  --slow-ms MS   answers one at a time, one of them slow
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

// A place as an answer names it.
struct Place {
    std::wstring country;  // ISO-2
    std::wstring zip;      // the postcode that found it; empty when its name did
    std::wstring city;
    float latitude = 0;
    float longitude = 0;
};

// What the stand-in found for a request.
struct PlaceMatch {
    std::int32_t status = 0;  // 0 found; kPlaceUnknown, kCountryUnknown, kNoCity, ...
    Place place;              // the place found, as the data names it
    std::wstring text;        // "city level: Munich, DE", or why nothing was found
    // The city and postcode that the reply's address names: the request's own fields, as
    // written ("München", "80331 München"), when the request named the place by one of its
    // names; the place's own name and postcode when the postcode found it under another name.
    std::wstring replyCity;
    std::wstring replyZip;
};

constexpr std::int32_t kPlaceUnknown = 1;
constexpr std::int32_t kCountryUnknown = 2;
constexpr std::int32_t kNoCity = 3;
constexpr std::int32_t kGazetteerDamaged = 4;  // the gazetteer file cannot be used

// The answer (reply 6) to `request`: status 0 and the place's coordinates when the match found
// one, else latitude 0 and the match's status; `status` replaces the status when given. The
// text is the match's. What its address part carries: see ReplyAddress; a match that found
// nothing names the request's address, or nothing with ReplyAddress::None.
std::vector<std::uint8_t> BuildPlaceReply(const GeocodeRequest& request, const PlaceMatch& match,
                                          std::optional<std::int32_t> status,
                                          ReplyAddress address = ReplyAddress::PlaceFound);

// A place reply as a program writes it that names only the city and the postcode: the country,
// street and house number fields emptied.
void KeepCityAndPostcodeOnly(std::vector<std::uint8_t>& reply);

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
