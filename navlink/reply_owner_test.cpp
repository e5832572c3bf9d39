#include "navlink/reply_owner.h"

#include "navlink/protocol.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace mapwell {
namespace {

using enum ReplyOwner;

// At time `at`: a request that goes out (`Send`), a place reply that comes in with this zip and
// city ("" leaves a field unfilled) and the owner it is given, or the question whether the next
// request must wait.
enum Kind { Send, Reply, MustWait };
struct Step {
    Kind kind;
    std::uint64_t at;
    const wchar_t* zip = L"";
    const wchar_t* city = L"";
    ReplyOwner owner = ThisCommand;  // of a reply
    bool wait = false;               // of MustWait
};

TEST(ReplyOwner, TellsALateAnswerFromTheLatestRequestsOwn) {
    const wchar_t *berlin = L"Berlin", *hamburg = L"Hamburg";
    // clang-format off
    const std::vector<Step> cases[] = {
        // Nothing earlier open: the first reply answers, whatever it names.
        {{Send, 0, L"10115", berlin}, {Reply, 5, L"20095", hamburg, ThisCommand}},
        // An echoed late answer, then the latest request's own; case and blanks do not count.
        {{Send, 0, L"10115", berlin}, {Send, 3000, L"20095", hamburg},
         {Reply, 3001, L"10115", L" BERLIN ", EarlierRequest}, {Reply, 3002, L"", L"", ThisCommand}},
        // The latest request's own echo closes the earlier one, which will never be answered.
        {{Send, 0, L"10115", berlin}, {Send, 3000, L"20095", hamburg},
         {Reply, 3001, L"20095", hamburg, ThisCommand}, {MustWait, 3002},
         {Send, 3003, L"1010", L"Wien"}, {Reply, 3004, L"", L"", ThisCommand}},
        // Replies that do not echo: the order decides, and the earliest request counts as
        // answered; the next request waits while an earlier one is open.
        {{Send, 0, L"10115", berlin}, {MustWait, 2500, L"", L"", ThisCommand, true},
         {Send, 3000, L"20095", hamburg}, {Reply, 3001, L"10115", L"Stadt Berlin", Unclear},
         {Reply, 3002, L"20095", L"Stadt Hamburg", ThisCommand}},
        // A reply that fills only the city names the waiting request, but may be the earlier
        // one's in the program's own spelling.
        {{Send, 0, L"", L"Frankfurt am Main"}, {Send, 3000, L"15230", L"Frankfurt"},
         {Reply, 3001, L"", L"Frankfurt", Unclear}},
        // The same address asked twice: the order gives the reply to the earlier request.
        {{Send, 0, L"10115", berlin}, {Send, 3000, L"10115", berlin},
         {Reply, 3001, L"10115", berlin, EarlierRequest}, {Reply, 3002, L"10115", berlin, ThisCommand}},
        // Past the limit a request is closed; an echo of it is still nobody else's answer.
        {{Send, 0, L"10115", berlin}, {MustWait, 9999, L"", L"", ThisCommand, true}, {MustWait, 10000},
         {Send, 10000, L"20095", hamburg}, {Reply, 10001, L"10115", berlin, EarlierRequest},
         {Reply, 10002, L"", L"", ThisCommand}},
        // Once replies echo their requests, the next request goes out at once.
        {{Send, 0, L"10115", berlin}, {Reply, 1, L"10115", berlin, ThisCommand},
         {Send, 10, L"20095", hamburg}, {MustWait, 3000}},
    };
    // clang-format on
    for (const auto& steps : cases) {
        RequestLedger ledger;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            SCOPED_TRACE(testing::Message() << "case " << &steps - cases << ", step " << i);
            NavLinkInfo link;
            link.Zip = step.zip;
            link.City = step.city;
            const CommandRecord record = BuildCommandRecord(link);
            switch (step.kind) {
            case Send: ledger.Sent(AddressOfRecord(record.data(), record.size()), step.at); break;
            case Reply:
                // Only place replies are attributed.
                EXPECT_EQ(ledger.Attribute(kReplyAddress, record.data(), record.size(), step.at),
                          ThisCommand);
                EXPECT_EQ(ledger.Attribute(kReplyPlace, record.data(), record.size(), step.at),
                          step.owner);
                break;
            case MustWait: EXPECT_EQ(ledger.MustWaitBeforeNextRequest(step.at), step.wait); break;
            }
        }
    }
}

}  // namespace
}  // namespace mapwell
