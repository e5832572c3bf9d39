// Which geocoding request a reply answers. A navigation program may answer a request after its
// line's wait has ended; that answer then comes while a later request waits for its own, and
// taking it as the later one's would write one address's place on another line.
//
// What is known of every navigation program: it answers in the order asked, and it answers a
// request within kLatenessLimitMs or never. What is not known: how it fills the address part of
// its reply (the request's own spelling, its own, only the city, or nothing). So a reply is told
// apart by its address only when it echoes a request's address exactly; otherwise the order
// decides, and where the order cannot (an earlier request is still open), the run waits before
// its next request until the earlier one is answered or past the limit. A lost request then
// costs time, never another line's place.
#pragma once

#include "navlink/link_record.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace mapwell {

// A request unanswered this long after it was sent is never answered.
inline constexpr std::uint64_t kLatenessLimitMs = 10000;

enum class ReplyOwner {
    ThisCommand,     // the answer to the command sent last (as for any reply but a place)
    EarlierRequest,  // the late answer to a request whose line has already failed
    Unclear,         // cannot be told apart: no line may take it
};

// The address part (the request fields) of a request record or a place reply, `size` bytes.
RequestedAddress AddressOfRecord(const std::uint8_t* bytes, std::size_t size);

// True when the reply fills at least one field and every field equals the request's, empty ones
// included, in any letter case and without the blanks at the ends.
bool Echoes(const RequestedAddress& reply, const RequestedAddress& request);

// The geocoding requests of one navigation program that have gone out and not been answered.
// Times are milliseconds of one steady clock. It is forgotten with the navigation program's
// window, whose answers then end.
class RequestLedger {
public:
    // A geocoding request with this address has gone out.
    void Sent(const RequestedAddress& address, std::uint64_t now);

    // Attributes a reply of `type` with `size` bytes at `bytes` and closes the requests that it
    // answers or that can no longer be answered. Replies other than a place answer the command
    // sent last.
    ReplyOwner Attribute(std::uintptr_t type, const void* bytes, std::size_t size,
                         std::uint64_t now);

    // True while a request sent before is unanswered and within the limit, and the navigation
    // program's replies cannot tell it from the next one: the next request must wait.
    bool MustWaitBeforeNextRequest(std::uint64_t now);

    // A reply came since the last request went out that could not be told apart.
    bool UnclearSinceLastRequest() const { return unclear_; }

private:
    struct Request {
        RequestedAddress address;
        std::uint64_t sentAt = 0;
    };
    void CloseOverdue(std::uint64_t now);
    void CloseUpTo(std::size_t index);  // closes open_[0..index]
    bool EchoesOverdue(const RequestedAddress& reply) const;

    std::deque<Request> open_;              // oldest first; the last is the latest request
    std::deque<RequestedAddress> overdue_;  // closed by the limit, newest last
    bool repliesEcho_ = false;              // the last reply taken as an answer echoed its request
    bool unclear_ = false;
};

// What the link keeps of its own beside the link globals of link_record.h: the requests not yet
// answered and the state of the commands under way. One instance, LinkBook, owned by the link
// (protocol_win32.cpp and hook_win32.cpp write it) and living as long as the program; its open
// requests are forgotten when the navigation program's window is gone (ForgetRequests).
struct LinkBookkeeping {
    RequestLedger OpenRequests;
    // The last command sent by WM_COPYDATA.
    std::uint8_t LastCommand = 0;
    // A line's geocoding request is outstanding: from its send until the line's wait ends. The
    // detection timer sends no poll meanwhile.
    bool GeocodeWaiting = false;
    // When the last command that the navigation program did not take in time was sent
    // (milliseconds since the system started); 0 once it has taken a command or sent anything
    // since.
    std::uint64_t UnansweredSince = 0;

    // The navigation program's window is gone: what it was asked will never be answered.
    void ForgetRequests() { OpenRequests = RequestLedger{}; }
};

extern LinkBookkeeping LinkBook;

}  // namespace mapwell
