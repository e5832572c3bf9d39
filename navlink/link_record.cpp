#include "navlink/link_record.h"
#include "navlink/nav_program.h"

namespace mapwell {

NavLinkInfo NavLink;
std::uint32_t MsgServerToClient = 0;
std::uint32_t MsgClientToServer = 0;
std::intptr_t ServerWindow = 0;
bool AwaitingReply = false;
std::int16_t NavProduct = 0;
std::wstring FindPattern;
NavProgramLink NavProgram;

}  // namespace mapwell
