// Telling a late answer from the answer to the request sent last.
#include "navlink/request_ledger.h"

#include "navlink/protocol.h"
#include "support/text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mapwell {

namespace {

// Requests remembered: more than can be open within the limit at one request per line's wait,
// and the given-up and doubtful ones whose echo may still come.
constexpr std::size_t kMostRemembered = 96;

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

bool Names(const RequestedAddress& reply, const RequestedAddress& request) {
    return !request.Street.empty() && Echoes(reply, request);
}

void RequestLedger::Sent(const RequestedAddress& address, std::uint64_t now) {
    GiveUpOverdue(now);
    if (requests_.size() >= kMostRemembered) {
        requests_.pop_front();
    }
    requests_.push_back({address, now, State::Open});
    unclear_ = false;
}

void RequestLedger::GiveUpOverdue(std::uint64_t now) {
    for (Request& request : requests_) {
        if (request.state == State::Open && now - request.sentAt >= kLatenessLimitMs) {
            request.state = State::GivenUp;
        }
    }
}

void RequestLedger::CloseUpTo(std::size_t index) {
    requests_.erase(requests_.begin(), requests_.begin() + static_cast<std::ptrdiff_t>(index + 1));
}

bool RequestLedger::Owed(std::size_t index) const {
    return requests_[index].state != State::Doubtful;
}

ReplyOwner RequestLedger::Attribute(std::uintptr_t type, const void* bytes, std::size_t size,
                                    std::uint64_t now) {
    if (type != kReplyPlace) {
        return ReplyOwner::ThisCommand;
    }
    GiveUpOverdue(now);
    const RequestedAddress reply =
        AddressOfRecord(static_cast<const std::uint8_t*>(bytes), bytes ? size : 0);
    // A reply that names its request is that request's, whenever it comes; by the order asked,
    // the requests before it will never be answered. Of two requests of one address the
    // earlier is answered first.
    const auto named = std::find_if(requests_.begin(), requests_.end(),
                                    [&](const Request& r) { return Names(reply, r.address); });
    if (named != requests_.end()) {
        const auto index = static_cast<std::size_t>(named - requests_.begin());
        const bool latest = index + 1 == requests_.size();
        CloseUpTo(index);
        if (latest) {
            repliesName_ = true;
            return ReplyOwner::ThisCommand;
        }
        return ReplyOwner::EarlierRequest;
    }
    if (requests_.empty()) {
        return ReplyOwner::ThisCommand;
    }
    const std::size_t last = requests_.size() - 1;
    bool owedBefore = false;
    for (std::size_t i = 0; i < last; ++i) {
        owedBefore = owedBefore || Owed(i);
    }
    if (requests_[last].state == State::Open && !owedBefore) {
        // The only request that can be answered: the order names it.
        repliesName_ = false;
        requests_.clear();
        return ReplyOwner::ThisCommand;
    }
    // By the order asked it answers the earliest request still owed, or a later one when that
    // one was lost; no line may take it.
    unclear_ = true;
    repliesName_ = false;
    const auto givenUp = std::find_if(requests_.rbegin(), requests_.rend(),
                                      [](const Request& r) { return r.state == State::GivenUp; });
    if (givenUp != requests_.rend()) {
        // The first reply after requests given up: theirs, or, when they were lost, the one
        // after them. Either way they are settled; the latest may have had its answer.
        CloseUpTo(static_cast<std::size_t>(requests_.rend() - givenUp) - 1);
        bool openBefore = false;
        for (std::size_t i = 0; i + 1 < requests_.size(); ++i) {
            openBefore = openBefore || Owed(i);
        }
        if (!requests_.empty() && !openBefore) {
            requests_.back().state = State::Doubtful;
        }
        return ReplyOwner::Unclear;
    }
    for (std::size_t i = 0; i < requests_.size(); ++i) {
        if (Owed(i)) {
            CloseUpTo(i);
            break;
        }
    }
    return ReplyOwner::Unclear;
}

bool RequestLedger::MustWaitBeforeNextRequest(std::uint64_t now) {
    GiveUpOverdue(now);
    return !repliesName_ && std::any_of(requests_.begin(), requests_.end(),
                                        [](const Request& r) { return r.state == State::Open; });
}

bool RequestLedger::AnswerOwed(std::uint64_t now) {
    GiveUpOverdue(now);
    return std::any_of(requests_.begin(), requests_.end(),
                       [](const Request& r) { return r.state == State::Open; });
}

}  // namespace mapwell
