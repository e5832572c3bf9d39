#include "navlink/reply_owner.h"

#include "navlink/protocol.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace mapwell {
namespace {

using enum ReplyOwner;

// A request that goes out (no owner) or a place reply that comes in, naming this zip and city
// ("" leaves a field unfilled).
struct Step {
    const wchar_t* zip;
    const wchar_t* city;
    std::optional<ReplyOwner> owner;
};

TEST(ReplyOwner, TellsALateAnswerFromTheLatestRequestsOwn) {
    const Step berlin{L"10115", L"Berlin", {}}, hamburg{L"20095", L"Hamburg", {}};
    // clang-format off
    const std::vector<Step> cases[] = {
        // Nothing late: the first reply answers, whatever it names.
        {berlin, {L"20095", L"Hamburg", ThisCommand}},
        // The late answer, then the latest request's own; case and blanks do not count.
        {berlin, hamburg, {L"", L" BERLIN ", EarlierRequest}, {L"20095", L"", ThisCommand},
         {L"20095", L"Hamburg", ThisCommand}},
        // The latest request's own answer while an earlier one stays open.
        {berlin, hamburg, {L"20095", L"Hamburg", ThisCommand}, {L"1010", L"Wien", {}},
         {L"10115", L"Berlin", EarlierRequest}, {L"1010", L"Wien", ThisCommand}},
        // Names nothing: cannot be told apart, and closes the earliest request.
        {berlin, hamburg, {L"", L"", Unclear}, {L"", L"", ThisCommand}},
        // The same address asked twice.
        {berlin, berlin, {L"10115", L"Berlin", Unclear}, {L"10115", L"Berlin", ThisCommand}},
        // Names another address: closes nothing.
        {berlin, hamburg, {L"1010", L"Wien", Unclear}, {L"20095", L"Hamburg", ThisCommand},
         {L"10115", L"Berlin", EarlierRequest}},
    };
    // clang-format on
    for (const auto& steps : cases) {
        UnansweredRequests open;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            NavLinkInfo link;
            link.Zip = steps[i].zip;
            link.City = steps[i].city;
            const CommandRecord record = BuildCommandRecord(link);
            if (!steps[i].owner) {
                NoteRequestSent(open, AddressOfRecord(record.data(), record.size()));
                continue;
            }
            EXPECT_EQ(AttributeReply(open, kReplyPlace, record.data(), record.size()),
                      *steps[i].owner)
                << "case " << &steps - cases << ", step " << i;
            // Only place replies are attributed.
            EXPECT_EQ(AttributeReply(open, kReplyAddress, record.data(), record.size()),
                      ThisCommand);
        }
    }
}

}  // namespace
}  // namespace mapwell
