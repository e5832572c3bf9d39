#include "navlink/reply_owner.h"

#include "navlink/protocol.h"

#include <gtest/gtest.h>

#include <vector>

namespace mapwell {
namespace {

using enum ReplyOwner;

// A record whose address part names this zip and city ("" leaves a field unfilled).
CommandRecord Record(const wchar_t* zip, const wchar_t* city) {
    NavLinkInfo link;
    link.Zip = zip;
    link.City = city;
    return BuildCommandRecord(link);
}

struct Step {
    bool request;  // a request goes out; otherwise a place reply comes in
    const wchar_t* zip;
    const wchar_t* city;
    ReplyOwner owner;  // of a reply
};
Step Sent(const wchar_t* zip, const wchar_t* city) {
    return {true, zip, city, ThisCommand};
}
Step Reply(const wchar_t* zip, const wchar_t* city, ReplyOwner owner) {
    return {false, zip, city, owner};
}

TEST(ReplyOwner, TellsALateAnswerFromTheLatestRequestsOwn) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"nothing late: the first reply answers, whatever it names",
         {Sent(L"10115", L"Berlin"), Reply(L"20095", L"Hamburg", ThisCommand)}},
        {"the late answer, then the latest request's own",
         {Sent(L"10115", L"Berlin"), Sent(L"20095", L"Hamburg"),
          Reply(L"10115", L"Berlin", EarlierRequest), Reply(L"20095", L"Hamburg", ThisCommand),
          Reply(L"20095", L"Hamburg", ThisCommand)}},
        {"letter case and blanks do not count; an unfilled field names any",
         {Sent(L"10115", L"Berlin"), Sent(L"20095", L"Hamburg"),
          Reply(L"", L" BERLIN ", EarlierRequest), Reply(L"20095", L"", ThisCommand)}},
        {"the latest request's own answer while an earlier one is still open",
         {Sent(L"10115", L"Berlin"), Sent(L"20095", L"Hamburg"),
          Reply(L"20095", L"Hamburg", ThisCommand), Sent(L"60311", L"Frankfurt am Main"),
          Reply(L"10115", L"Berlin", EarlierRequest),
          Reply(L"60311", L"Frankfurt am Main", ThisCommand)}},
        {"a reply that names nothing cannot be told apart; it closes the earliest request",
         {Sent(L"10115", L"Berlin"), Sent(L"20095", L"Hamburg"), Reply(L"", L"", Unclear),
          Reply(L"", L"", ThisCommand)}},
        {"the same address asked twice",
         {Sent(L"10115", L"Berlin"), Sent(L"10115", L"Berlin"), Reply(L"10115", L"Berlin", Unclear),
          Reply(L"10115", L"Berlin", ThisCommand)}},
        {"a reply that names another address closes nothing",
         {Sent(L"10115", L"Berlin"), Sent(L"20095", L"Hamburg"), Reply(L"1010", L"Wien", Unclear),
          Reply(L"20095", L"Hamburg", ThisCommand), Reply(L"10115", L"Berlin", EarlierRequest),
          Reply(L"20095", L"Hamburg", ThisCommand)}},
    };
    for (const Case& c : cases) {
        UnansweredRequests open;
        int index = 0;
        for (const Step& step : c.steps) {
            const CommandRecord record = Record(step.zip, step.city);
            if (step.request) {
                NoteRequestSent(open, AddressOfRecord(record.data(), record.size()));
            } else {
                EXPECT_EQ(AttributeReply(open, kReplyPlace, record.data(), record.size()),
                          step.owner)
                    << c.name << ", step " << index;
            }
            ++index;
        }
    }
}

TEST(ReplyOwner, OtherRepliesAnswerTheCommandAndCloseNothing) {
    UnansweredRequests open;
    const CommandRecord berlin = Record(L"10115", L"Berlin");
    NoteRequestSent(open, AddressOfRecord(berlin.data(), berlin.size()));
    NoteRequestSent(open, AddressOfRecord(berlin.data(), berlin.size()));
    EXPECT_EQ(AttributeReply(open, kReplyAddress, berlin.data(), berlin.size()), ThisCommand);
    EXPECT_EQ(AttributeReply(open, kReplyPlace, nullptr, 0), Unclear);
    EXPECT_EQ(open.Earlier.size(), 0u);
    EXPECT_TRUE(open.Latest);
}

TEST(ReplyOwner, ReadsTheAddressAsTheRecordCarriesIt) {
    NavLinkInfo link;
    link.Zip = L"80331";
    link.City = std::wstring(L"M\u00FCnchen") + std::wstring(53, L'x');
    link.Street = L"Marienplatz 1";
    link.HouseNo = L"1";
    const CommandRecord record = BuildCommandRecord(link);
    EXPECT_EQ(AddressOfRecord(record.data(), record.size()),
              (RequestedAddress{L"80331", std::wstring(L"M\u00FCnchen") + std::wstring(43, L'x'),
                                L"Marienplatz 1", L"1"}));
    // A shorter record leaves the fields beyond it unfilled.
    EXPECT_EQ(
        AddressOfRecord(record.data(), offsets::kZip),
        (RequestedAddress{L"", std::wstring(L"M\u00FCnchen") + std::wstring(43, L'x'), L"", L""}));
}

}  // namespace
}  // namespace mapwell
