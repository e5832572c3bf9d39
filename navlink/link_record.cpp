#include "navlink/link_record.h"
#include "navlink/nav_program.h"

namespace mapwell {

NavLinkInfo NavLink;
std::uint32_t MsgServerToClient = 0;
std::uint32_t MsgClientToServer = 0;
std::int16_t NavProduct = 0;
std::wstring FindPattern;
NavProgramLink NavProgram;
std::intptr_t& ServerWindow = NavProgram.ServerWindow;
bool& AwaitingReply = NavProgram.AwaitingReply;

}  // namespace mapwell
