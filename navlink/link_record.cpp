#include "navlink/link_record.h"

namespace mapwell {

NavLinkInfo NavLink;
UnansweredRequests OpenRequests;
std::uint32_t MsgServerToClient = 0;
std::uint32_t MsgClientToServer = 0;
std::intptr_t ServerWindow = 0;
bool AwaitingReply = false;

}  // namespace mapwell
