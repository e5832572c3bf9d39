// Telling a late answer from the answer to the request sent last.
#include "navlink/reply_owner.h"

#include "navlink/protocol.h"
#include "support/text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mapwell {

LinkBookkeeping LinkBook;

namespace {

// More open requests than this cannot be within the limit at one request per line's wait.
constexpr std::size_t kMostOpen = 64;
// Requests closed by the limit kept to recognise an echoing answer that comes later still.
constexpr std::size_t kMostOverdue = 32;

std::wstring FieldText(const std::uint8_t* record, std::size_t at, std::size_t chars) {
    return Trimmed(ReadCutText(record + at, 2 * chars));
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

bool Echoes(const RequestedAddress& reply, const RequestedAddress& request) {
    const bool fillsAny = !reply.Zip.empty() || !reply.City.empty() || !reply.Street.empty() ||
                          !reply.HouseNo.empty();
    return fillsAny && SameInAnyCase(reply.Zip, request.Zip) &&
           SameInAnyCase(reply.City, request.City) && SameInAnyCase(reply.Street, request.Street) &&
           SameInAnyCase(reply.HouseNo, request.HouseNo);
}

void RequestLedger::Sent(const RequestedAddress& address, std::uint64_t now) {
    CloseOverdue(now);
    if (open_.size() >= kMostOpen) {
        CloseUpTo(0);
    }
    open_.push_back({address, now});
    unclear_ = false;
}

void RequestLedger::CloseOverdue(std::uint64_t now) {
    while (!open_.empty() && now - open_.front().sentAt >= kLatenessLimitMs) {
        overdue_.push_back(std::move(open_.front().address));
        open_.pop_front();
        if (overdue_.size() > kMostOverdue) {
            overdue_.pop_front();
        }
    }
}

void RequestLedger::CloseUpTo(std::size_t index) {
    open_.erase(open_.begin(), open_.begin() + static_cast<std::ptrdiff_t>(index + 1));
}

bool RequestLedger::EchoesOverdue(const RequestedAddress& reply) const {
    return std::any_of(overdue_.begin(), overdue_.end(),
                       [&](const RequestedAddress& request) { return Echoes(reply, request); });
}

ReplyOwner RequestLedger::Attribute(std::uintptr_t type, const void* bytes, std::size_t size,
                                    std::uint64_t now) {
    if (type != kReplyPlace) {
        return ReplyOwner::ThisCommand;
    }
    CloseOverdue(now);
    const RequestedAddress reply =
        AddressOfRecord(static_cast<const std::uint8_t*>(bytes), bytes ? size : 0);
    const bool echoesLatest = !open_.empty() && Echoes(reply, open_.back().address);
    if (!echoesLatest && EchoesOverdue(reply)) {
        // Later than the limit, but it names its request: still nobody else's answer.
        return ReplyOwner::EarlierRequest;
    }
    if (open_.empty()) {
        return ReplyOwner::ThisCommand;
    }
    if (open_.size() == 1) {
        // Every earlier request is answered or past the limit: the order names the latest.
        repliesEcho_ = echoesLatest;
        open_.clear();
        return ReplyOwner::ThisCommand;
    }
    const auto echoed = std::find_if(open_.begin(), open_.end(),
                                     [&](const Request& r) { return Echoes(reply, r.address); });
    if (echoed == open_.end()) {
        // By the order asked it answers the earliest open request, unless that one was lost;
        // either way no line may take it.
        CloseUpTo(0);
        unclear_ = true;
        repliesEcho_ = false;
        return ReplyOwner::Unclear;
    }
    const auto index = static_cast<std::size_t>(echoed - open_.begin());
    const bool latest = index + 1 == open_.size();
    // The requests before the one answered will never be answered.
    CloseUpTo(index);
    if (latest) {
        repliesEcho_ = true;
        return ReplyOwner::ThisCommand;
    }
    return ReplyOwner::EarlierRequest;
}

bool RequestLedger::MustWaitBeforeNextRequest(std::uint64_t now) {
    CloseOverdue(now);
    return !open_.empty() && !repliesEcho_;
}

}  // namespace mapwell
