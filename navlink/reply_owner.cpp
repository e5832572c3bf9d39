// Telling a late answer from the answer to the request sent last.
#include "navlink/reply_owner.h"

#include "navlink/protocol.h"
#include "support/text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mapwell {

namespace {

std::wstring FieldText(const std::uint8_t* record, std::size_t at, std::size_t chars) {
    return Trimmed(ReadCutText(record + at, 2 * chars));
}

bool Names(const std::wstring& replyField, const std::wstring& requestField) {
    return replyField.empty() || SameInAnyCase(replyField, requestField);
}

}  // namespace

RequestedAddress AddressOfRecord(const std::uint8_t* bytes, std::size_t size) {
    std::array<std::uint8_t, offsets::kHouseNo + 2 * kHouseNoChars> record{};
    if (bytes != nullptr) {
        std::memcpy(record.data(), bytes, std::min(size, record.size()));
    }
    return RequestedAddress{FieldText(record.data(), offsets::kZip, kZipChars),
                            FieldText(record.data(), offsets::kCity, kCityChars),
                            FieldText(record.data(), offsets::kStreet, kStreetChars),
                            FieldText(record.data(), offsets::kHouseNo, kHouseNoChars)};
}

bool Answers(const RequestedAddress& reply, const RequestedAddress& request) {
    return Names(reply.Zip, request.Zip) && Names(reply.City, request.City) &&
           Names(reply.Street, request.Street) && Names(reply.HouseNo, request.HouseNo);
}

void NoteRequestSent(UnansweredRequests& open, const RequestedAddress& address) {
    if (open.Latest) {
        open.Earlier.push_back(std::move(*open.Latest));
    }
    open.Latest = address;
}

ReplyOwner AttributeReply(UnansweredRequests& open, std::uintptr_t type, const void* bytes,
                          std::size_t size) {
    if (type != kReplyPlace) {
        return ReplyOwner::ThisCommand;
    }
    if (open.Earlier.empty()) {
        open.Latest.reset();
        return ReplyOwner::ThisCommand;
    }
    const RequestedAddress reply =
        AddressOfRecord(static_cast<const std::uint8_t*>(bytes), bytes ? size : 0);
    const bool namesLatest = open.Latest && Answers(reply, *open.Latest);
    const auto earlier = std::find_if(open.Earlier.begin(), open.Earlier.end(),
                                      [&](const auto& request) { return Answers(reply, request); });
    const bool namesEarlier = earlier != open.Earlier.end();
    if (namesEarlier) {
        open.Earlier.erase(earlier);
    }
    if (namesEarlier && !namesLatest) {
        return ReplyOwner::EarlierRequest;
    }
    if (namesLatest && !namesEarlier) {
        open.Latest.reset();
        return ReplyOwner::ThisCommand;
    }
    return ReplyOwner::Unclear;
}

}  // namespace mapwell
