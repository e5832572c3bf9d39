#include "navlink/link_record.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(LinkRecord, StartsWithNoNavigationProgramKnown) {
    EXPECT_EQ(NavLink.LinkState, 0);
    EXPECT_EQ(ServerWindow, 0);
    EXPECT_EQ(MsgServerToClient, 0u);
    EXPECT_FALSE(AwaitingReply);
    EXPECT_FALSE(NavLink.ReplyReceived);
    EXPECT_EQ(NavLink.Latitude, 0.0f);
    EXPECT_TRUE(NavLink.Street.empty());
}

}  // namespace
}  // namespace mapwell
