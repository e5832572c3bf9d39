// Which geocoding request a reply answers. A navigation program may answer a request after its
// line's wait has ended; that answer then comes while a later request waits for its own, and
// taking it as the later one's would write one address's place on another line. Every request
// sent stays open until a reply is attributed to it; while earlier requests are open, a reply is
// told apart by the address it carries (zip, city, street and house number, at the offsets of
// the request record).
#pragma once

#include "navlink/link_record.h"

#include <cstddef>
#include <cstdint>

namespace mapwell {

enum class ReplyOwner {
    ThisCommand,     // the answer to the command sent last (as for any reply but a place)
    EarlierRequest,  // the late answer to a request whose line has already failed
    Unclear,         // cannot be told apart: no line may take it
};

// The address part (the request fields) of a request record or a place reply, `size` bytes.
RequestedAddress AddressOfRecord(const std::uint8_t* bytes, std::size_t size);

// True when every field that the reply fills names the request's, in any letter case.
bool Answers(const RequestedAddress& reply, const RequestedAddress& request);

// A geocoding request with this address has gone out.
void NoteRequestSent(UnansweredRequests& open, const RequestedAddress& address);

// Attributes a reply of `type` with `size` bytes at `bytes` and closes the request it answers.
// With no earlier request open, a place reply answers the latest request, as any reply does.
// Otherwise it answers the one request that its address names; when it names both the latest
// request and an earlier one, or none of them, it is Unclear, and the earliest request that it
// names (if any) counts as answered, since a navigation program answers in the order asked.
ReplyOwner AttributeReply(UnansweredRequests& open, std::uintptr_t type, const void* bytes,
                          std::size_t size);

}  // namespace mapwell
