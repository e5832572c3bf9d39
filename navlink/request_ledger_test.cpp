#include "navlink/request_ledger.h"

#include "navlink/protocol.h"

#include <gtest/gtest.h>

#include <vector>

namespace mapwell {
namespace {

using enum ReplyOwner;

// At time `at`: a request that goes out (`Send`), a place reply that comes in with this zip, city
// and street ("" leaves a field unfilled) and the owner it is given, or the question whether the
// next request must wait.
enum Kind { Send, Reply, MustWait };
struct Step {
    Kind kind;
    std::uint64_t at;
    const wchar_t* zip = L"";
    const wchar_t* city = L"";
    const wchar_t* street = L"";
    ReplyOwner owner = ThisCommand;  // of a reply
    bool wait = false;               // of MustWait
};

TEST(RequestLedger, TellsALateAnswerFromTheLatestRequestsOwn) {
    const wchar_t *berlin = L"Berlin", *hamburg = L"Hamburg", *weg1 = L"Weg 1", *weg2 = L"Weg 2";
    // clang-format off
    const std::vector<Step> cases[] = {
        // Nothing earlier open: the first reply answers, whatever it names.
        {{Send, 0, L"10115", berlin}, {Reply, 5, L"20095", hamburg, L"", ThisCommand}},
        // An echoed late answer, then the latest request's own; case and blanks do not count.
        {{Send, 0, L"10115", berlin, weg1}, {Send, 3000, L"20095", hamburg, weg2},
         {Reply, 3001, L"10115", L" BERLIN ", L"weg 1", EarlierRequest},
         {Reply, 3002, L"", L"", L"", ThisCommand}},
        // The latest request's own echo closes the earlier one, which will never be answered;
        // the next request need not wait.
        {{Send, 0, L"10115", berlin, weg1}, {Send, 3000, L"20095", hamburg, weg2},
         {Reply, 3001, L"20095", hamburg, weg2, ThisCommand}, {Send, 3002, L"1010", L"Wien", weg1},
         {MustWait, 3003}, {Reply, 3004, L"", L"", L"", ThisCommand}},
        // Replies that do not echo: the order decides, and the earliest request counts as
        // answered; the next request waits while an earlier one is open.
        {{Send, 0, L"10115", berlin}, {MustWait, 2500, L"", L"", L"", ThisCommand, true},
         {Send, 3000, L"20095", hamburg}, {Reply, 3001, L"10115", L"Stadt Berlin", L"", Unclear},
         {Reply, 3002, L"20095", L"Stadt Hamburg", L"", ThisCommand}},
        // An echo of a request without a street is no evidence: a reply naming only the city of
        // a full address answered late echoes the next line's city-only request.
        {{Send, 0, L"", berlin}, {Reply, 600, L"", berlin, L"", ThisCommand},
         {Send, 1000, L"10002", berlin, weg2}, {MustWait, 3100, L"", L"", L"", ThisCommand, true},
         {Send, 3200, L"", berlin}, {Reply, 3500, L"", berlin, L"", Unclear}},
        // The same address asked twice: the order gives the reply to the earlier request.
        {{Send, 0, L"10115", berlin, weg1}, {Send, 3000, L"10115", berlin, weg1},
         {Reply, 3001, L"10115", berlin, weg1, EarlierRequest},
         {Reply, 3002, L"10115", berlin, weg1, ThisCommand}},
        // Past the limit a request is given up; an echo of it is still nobody else's answer.
        {{Send, 0, L"10115", berlin, weg1}, {MustWait, 9999, L"", L"", L"", ThisCommand, true},
         {MustWait, 10000}, {Send, 10000, L"20095", hamburg, weg2},
         {Reply, 10001, L"10115", berlin, weg1, EarlierRequest},
         {Reply, 10002, L"", L"", L"", ThisCommand}},
        // An answer held until the next request, after the wait for it gave it up, naming city
        // and postcode only: nobody's; the next request's own echo is its answer.
        {{Send, 0, L"10115", berlin, weg1}, {MustWait, 10000}, {Send, 10000, L"10115", berlin, weg2},
         {Reply, 10001, L"10115", berlin, L"", Unclear},
         {Reply, 10002, L"10115", berlin, weg2, ThisCommand}},
        // A request lost, replies that name nothing: the first reply after the given-up request
        // is nobody's; the request after the next is answered again, without a wait.
        {{Send, 0, L"1"}, {MustWait, 10000}, {Send, 10000, L"2"}, {Reply, 10001, L"", L"", L"", Unclear},
         {Reply, 10002, L"", L"", L"", Unclear}, {MustWait, 13000},
         {Send, 13000, L"3"}, {Reply, 13001, L"", L"", L"", ThisCommand}},
        // Once replies name their requests, the next request goes out at once.
        {{Send, 0, L"10115", berlin, weg1}, {Reply, 1, L"10115", berlin, weg1, ThisCommand},
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
            link.Street = step.street;
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
