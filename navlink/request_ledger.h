// The request ledger: which geocoding request a reply answers. A navigation program may answer a
// request after its line's wait has ended; that answer then comes while a later request waits for
// its own, and taking it as the later one's would write one address's place on another line.
//
// What is relied on of every navigation program: it answers in the order asked, each request at
// most once. What is not known: how it fills the address part of its reply (the request's own
// spelling, its own, only the city, the city and postcode, or nothing), nor when it answers: one
// may hold an answer until the next request reaches it, however long that takes. So a reply
// names its request only when it echoes a request's address exactly, street included: a reply
// that names only a city and a postcode may be any request's of that city. Otherwise the order
// decides, and only where exactly one request can be answered: while an earlier request is
// open, or after one was given up unanswered, no line takes a reply that does not name its
// request. A lost request then costs time and at most the line after it, never another line's
// place.
#pragma once

#include "navlink/link_record.h"

#include <cstddef>
#include <cstdint>
#include <deque>

namespace mapwell {

// A request unanswered this long after it was sent is given up: the next request no longer
// waits for its answer.
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

// True when the reply echoes the request and the request names a street: evidence that no
// coincidence gives, since a reply that fills only the city (or the city and postcode) of another
// request cannot carry this one's street.
bool Names(const RequestedAddress& reply, const RequestedAddress& request);

// The geocoding requests of one navigation program that may still be answered. Times are
// milliseconds of one steady clock. It lives as long as the navigation program's window: when
// that is gone, so is everything it was asked.
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
    // program's replies have not named their requests: the next request must wait.
    bool MustWaitBeforeNextRequest(std::uint64_t now);

    // True while a request is unanswered and within the limit: no other command may go out,
    // whose answer could come in its place.
    bool AnswerOwed(std::uint64_t now);

    // A reply came since the last request went out that could not be told apart.
    bool UnclearSinceLastRequest() const { return unclear_; }

private:
    enum class State {
        Open,      // sent, within the limit, unanswered
        GivenUp,   // past the limit with no reply since: a reply may still be its answer
        Doubtful,  // a reply that no line could take may have been its answer
    };
    struct Request {
        RequestedAddress address;
        std::uint64_t sentAt = 0;
        State state = State::Open;
    };
    void GiveUpOverdue(std::uint64_t now);
    void CloseUpTo(std::size_t index);  // closes requests_[0..index]
    bool Owed(std::size_t index) const;

    std::deque<Request> requests_;  // oldest first; the last is the latest request
    bool repliesName_ = false;      // the last reply taken as an answer named its request
    bool unclear_ = false;
};

}  // namespace mapwell
