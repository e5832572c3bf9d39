// The stand-in navigation program's options, request reading, replies and log lines.
#include "navserver/stand_in.h"

#include "navlink/protocol.h"
#include "support/encoding/codepage.h"
#include "support/text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace mapwell {

namespace {

std::optional<long long> ReadInteger(std::wstring_view text) {
    std::string ascii;
    for (wchar_t c : text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        ascii += static_cast<char>(c);
    }
    long long value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::vector<std::uint8_t>> HexOf(std::wstring_view text) {
    std::string ascii;
    for (wchar_t c : text) {
        ascii += static_cast<char>(c > 0x7F ? '?' : c);
    }
    return HexBytes(ascii);
}

std::vector<std::vector<std::uint8_t>> ReadPlaceBytes(std::wstring_view text) {
    std::vector<std::vector<std::uint8_t>> pairs;
    for (const std::wstring& item : SplitText(text, L",")) {
        auto bytes = HexOf(item);
        if (!bytes || bytes->size() != 8) {
            return {};
        }
        pairs.push_back(std::move(*bytes));
    }
    return pairs;
}

std::optional<RawReply> ReadInfoReply(std::wstring_view text) {
    const auto colon = text.find(L':');
    if (colon == std::wstring_view::npos) {
        return std::nullopt;
    }
    const auto type = ReadInteger(text.substr(0, colon));
    if (!type || *type < 0) {
        return std::nullopt;
    }
    RawReply reply;
    reply.type = static_cast<std::uintptr_t>(*type);
    const std::wstring_view rest = text.substr(colon + 1);
    if (rest.empty()) {
        return reply;
    }
    if (rest[0] == L'x') {
        auto bytes = HexOf(rest.substr(1));
        if (!bytes) {
            return std::nullopt;
        }
        reply.bytes = std::move(*bytes);
        return reply;
    }
    for (const std::wstring& number : SplitText(rest, L",")) {
        const auto value = ReadInteger(number);
        if (!value || *value < INT32_MIN || *value > INT32_MAX) {
            return std::nullopt;
        }
        reply.bytes.resize(reply.bytes.size() + 4);
        WriteInt32(reply.bytes.data() + reply.bytes.size() - 4, static_cast<std::int32_t>(*value));
    }
    return reply;
}

// A request text field: its bytes up to the first NUL, without the padding blanks.
std::wstring ReadField(const std::uint8_t* record, std::size_t at, std::size_t chars) {
    std::wstring text = ReadCutText(record + at, 2 * chars);
    while (!text.empty() && text.back() == L' ') {
        text.pop_back();
    }
    return text;
}

void PutCutText(std::uint8_t* at, std::size_t size, std::wstring_view text) {
    const std::string bytes = WideToAnsi(text);
    // Room is left for a terminating NUL.
    std::memcpy(at, bytes.data(), std::min(bytes.size(), size - 1));
}

std::optional<ReplyAddress> ReplyAddressNamed(std::wstring_view name) {
    static constexpr std::pair<std::wstring_view, ReplyAddress> kNames[] = {
        {L"echo", ReplyAddress::Request},
        {L"found", ReplyAddress::PlaceFound},
        {L"own", ReplyAddress::OwnSpelling},
        {L"city", ReplyAddress::CityOnly},
        {L"city-as-asked", ReplyAddress::CityAsAsked},
        {L"empty", ReplyAddress::None}};
    for (const auto& [text, address] : kNames) {
        if (name == text) {
            return address;
        }
    }
    return std::nullopt;
}

}  // namespace

StandInOptions ParseStandInOptions(const std::vector<std::wstring>& args) {
    StandInOptions options;
    for (std::size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        const std::wstring& name = args[i];
        const bool hasValue = i + 1 < args.size();
        auto number = [&](int& target) {
            const auto value = hasValue ? ReadInteger(args[++i]) : std::nullopt;
            if (!value || *value < 0 || *value > 0x7FFFFFFF) {
                options.error = L"a number of 0 or more must follow " + name;
                return;
            }
            target = static_cast<int>(*value);
        };
        auto text = [&](std::wstring& target) {
            if (!hasValue) {
                options.error = L"a value must follow " + name;
                return;
            }
            target = args[++i];
        };
        if (name == L"--gazetteer") {
            text(options.gazetteer);
        } else if (name == L"--title") {
            text(options.title);
        } else if (name == L"--log") {
            text(options.logFile);
        } else if (name == L"--delay") {
            number(options.delayMs);
        } else if (name == L"--delay-every") {
            number(options.delayEvery);
            if (options.error.empty() && options.delayEvery == 0) {
                options.error = L"--delay-every takes 1 or more";
            }
        } else if (name == L"--reply-address") {
            options.replyAddress = hasValue ? ReplyAddressNamed(args[++i]) : std::nullopt;
            if (!options.replyAddress) {
                options.error =
                    L"--reply-address takes echo, found, own, city, city-as-asked or empty";
            }
        } else if (name == L"--drop-every") {
            number(options.dropEvery);
        } else if (name == L"--hold-every") {
            number(options.holdEvery);
        } else if (name == L"--serial") {
            number(options.serialMs);
        } else if (name == L"--slow-request") {
            number(options.slowRequest);
        } else if (name == L"--slow-ms") {
            number(options.slowMs);
        } else if (name == L"--place-bytes") {
            options.placeBytes =
                hasValue ? ReadPlaceBytes(args[++i]) : decltype(options.placeBytes){};
            if (options.placeBytes.empty()) {
                options.error = L"--place-bytes takes pairs of 16 hex digits, separated by commas";
            }
        } else if (name == L"--stall") {
            number(options.stallMs);
        } else if (name == L"--stall-from") {
            number(options.stallFrom);
        } else if (name == L"--close-after") {
            number(options.closeAfter);
        } else if (name == L"--extra-windows") {
            number(options.extraWindows);
        } else if (name == L"--never-answer") {
            options.neverAnswer = true;
        } else if (name == L"--answer-twice") {
            options.answerTwice = true;
        } else if (name == L"--announce-zero") {
            options.announceZero = true;
        } else if (name == L"--status") {
            const auto value = hasValue ? ReadInteger(args[++i]) : std::nullopt;
            if (!value || *value < INT32_MIN || *value > INT32_MAX) {
                options.error = L"a 32-bit number must follow --status";
            } else {
                options.status = static_cast<std::int32_t>(*value);
            }
        } else if (name == L"--info-reply") {
            options.infoReply = hasValue ? ReadInfoReply(args[++i]) : std::nullopt;
            if (!options.infoReply) {
                options.error = L"--info-reply takes TYPE:a0,a1,... or TYPE:xHEX";
            }
        } else {
            options.error = L"unknown option " + name;
        }
    }
    return options;
}

GeocodeRequest ReadRequest(const std::uint8_t* bytes, std::size_t size) {
    CommandRecord record{};
    if (bytes != nullptr) {
        std::memcpy(record.data(), bytes, std::min(size, record.size()));
    }
    return GeocodeRequest{ReadField(record.data(), offsets::kCountry, kCountryChars),
                          ReadField(record.data(), offsets::kCity, kCityChars),
                          ReadField(record.data(), offsets::kZip, kZipChars),
                          ReadField(record.data(), offsets::kStreet, kStreetChars),
                          ReadField(record.data(), offsets::kHouseNo, kHouseNoChars)};
}

std::vector<std::uint8_t> BuildPlaceReply(const GeocodeRequest& request, const PlaceMatch& match,
                                          std::optional<std::int32_t> status,
                                          ReplyAddress address) {
    std::vector<std::uint8_t> reply(kCommandRecordSize, 0);
    std::uint8_t* r = reply.data();
    WriteInt32(r, static_cast<std::int32_t>(kCommandRecordSize));
    const bool found = match.status == 0;
    // A place found names itself, in the match's spelling or the stand-in's own; otherwise the
    // answer names the address asked for.
    const bool named = found && address != ReplyAddress::Request;
    const std::wstring city = named ? match.replyCity : request.city;
    const std::wstring country = named ? match.place.country : request.country;
    const std::wstring ownCity = city + L", " + country;
    switch (address) {
    case ReplyAddress::Request:
    case ReplyAddress::PlaceFound:
    case ReplyAddress::OwnSpelling:
        PutCutText(r + offsets::kCountry, 2 * kCountryChars, country);
        PutCutText(r + offsets::kCity, 2 * kCityChars,
                   address == ReplyAddress::OwnSpelling ? ownCity : city);
        PutCutText(r + offsets::kZip, 2 * kZipChars, named ? match.replyZip : request.zip);
        PutCutText(r + offsets::kStreet, 2 * kStreetChars, request.street);
        PutCutText(r + offsets::kHouseNo, 2 * kHouseNoChars, request.houseNo);
        break;
    case ReplyAddress::CityOnly: PutCutText(r + offsets::kCity, 2 * kCityChars, ownCity); break;
    case ReplyAddress::CityAsAsked: PutCutText(r + offsets::kCity, 2 * kCityChars, city); break;
    case ReplyAddress::None: break;
    }
    const float latitude = found ? match.place.latitude : 0.0f;
    const float longitude = found ? match.place.longitude : 0.0f;
    std::memcpy(r + offsets::kLatitude, &latitude, 4);
    std::memcpy(r + offsets::kLongitude, &longitude, 4);
    WriteInt32(r + offsets::kStatus, status.value_or(match.status));
    PutCutText(r + offsets::kText, kReplyTextBytes, match.text);
    return reply;
}

void KeepCityAndPostcodeOnly(std::vector<std::uint8_t>& reply) {
    const auto clear = [&](std::size_t at, std::size_t chars) {
        if (reply.size() >= at + 2 * chars) {
            std::fill_n(reply.begin() + static_cast<std::ptrdiff_t>(at), 2 * chars, 0);
        }
    };
    clear(offsets::kCountry, kCountryChars);
    clear(offsets::kStreet, kStreetChars);
    clear(offsets::kHouseNo, kHouseNoChars);
}

std::vector<std::uint8_t> BuildSecondReply() {
    std::vector<std::uint8_t> reply(kCommandRecordSize, 0);
    WriteInt32(reply.data(), static_cast<std::int32_t>(kCommandRecordSize));
    WriteInt32(reply.data() + offsets::kStatus, 99);
    PutCutText(reply.data() + offsets::kText, kReplyTextBytes, L"Second answer");
    return reply;
}

std::string CommandLogLine(std::uintptr_t command, std::uintptr_t sender, const std::uint8_t* bytes,
                           std::size_t size) {
    return "command " + std::to_string(command) + " from " + std::to_string(sender) + " size " +
           std::to_string(size) + " " + HexText(bytes, bytes ? size : 0);
}

std::string AnnounceLogLine(std::uintptr_t client) {
    return "announce from " + std::to_string(client);
}

std::string HexText(const std::uint8_t* bytes, std::size_t size) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> HexBytes(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        const auto result = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (result.ec != std::errc() || result.ptr != text.data() + i + 2) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

}  // namespace mapwell
