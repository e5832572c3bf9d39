// The surroundings of a conversion for tests: the main window's controls as plain values, and a
// stand-in navigation program that answers each request inside the send, after some pauses, or
// never. Test-only.
#pragma once

#include "app/engine/convert_engine.h"
#include "app/engine/line_rules.h"
#include "columns/fake_profile_store.h"
#include "navlink/link_record.h"

#include <functional>
#include <optional>

namespace mapwell {

// What the stand-in navigation program answers to one request.
struct FakeReply {
    float Latitude = 52.5f;
    float Longitude = 13.4f;
    std::uint8_t Status = 0;  // 0 = found
    std::wstring Text = L"found";
    int AfterPauses = 0;  // 0: inside the send; n: during the n-th pause; -1: never
};

inline FakeReply NotFound() {
    // The text field of a reply comes whole, NUL bytes included.
    return FakeReply{0, 0, 3, std::wstring(L"Address not found") + std::wstring(111, L'\0'), 0};
}

class FakeSurroundings : public ConvertSurroundings {
public:
    ProfileStore& Profiles() override { return store; }

    void SendGeocodeRequest() override {
        requests.push_back(AddressRequest{NavLink.Country, NavLink.Zip, NavLink.City,
                                          NavLink.Street, NavLink.HouseNo});
        pending = answer(requests.back());
        pausesToReply = pending->AfterPauses;
        if (pausesToReply == 0) {
            Deliver();
        }
    }
    void Pause(int milliseconds, const std::function<void()>& afterEachEvent) override {
        ++pauses;
        pausedMs += milliseconds;
        if (pending && pausesToReply > 0 && --pausesToReply == 0) {
            Deliver();
            afterEachEvent();
        }
        if (announcePending) {
            // The detection timer's announcement, received by the main window from itself.
            announcePending = false;
            NavLink.LinkState = 1;
            afterEachEvent();
        }
        ++passes;
    }
    void DoEvents() override { ++passes; }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void SetInfo(const std::wstring& text) override { infos.push_back(text); }
    std::wstring Destination() override { return destination; }
    OutputFormat FormatInForce() override { return format; }
    std::wstring TxtSep() override { return L"."; }
    std::wstring RegionalDecimalSeparator() override { return L"."; }
    bool StopRequested() override {
        return stopAfterEventPasses >= 0 && passes >= stopAfterEventPasses;
    }
    // The page brings nothing back: every collected line fails.
    int FinishWebRoute(WebCollection& rows, ResultFile&, ErrorList& errors) override {
        for (int item = 1; item <= rows.Count(); ++item) {
            errors.Append(rows.Rows()[static_cast<std::size_t>(item)].Line);
        }
        return 0;
    }

    // The profile of the usual test list: Name1, Name2, Street, Zip, City, Land.
    void SaveUsualProfile() { SaveProfile(store, L"kunden", {0, 1, 2, 3, 4, 5, -1, -1}, L","); }
    std::wstring LastInfo() const { return infos.empty() ? L"" : infos.back(); }

    FakeProfileStore store;
    std::function<FakeReply(const AddressRequest&)> answer = [](const AddressRequest&) {
        return FakeReply{};
    };
    std::vector<AddressRequest> requests;
    int pauses = 0, pausedMs = 0;
    std::vector<int> sleeps;
    std::vector<std::wstring> infos;
    std::wstring destination;
    OutputFormat format = OutputFormat::Append;
    int stopAfterEventPasses = -1;
    // Every reply is followed by an announcement in the next (or the same) pause.
    bool announceAfterReply = false;

private:
    void Deliver() {
        NavLink.Latitude = pending->Latitude;
        NavLink.Longitude = pending->Longitude;
        NavLink.LinkState = pending->Status;
        NavLink.ReplyText = pending->Text;
        NavLink.ReplyReceived = true;
        pending.reset();
        announcePending = announceAfterReply;
    }

    std::optional<FakeReply> pending;
    int pausesToReply = 0;
    int passes = 0;
    bool announcePending = false;
};

}  // namespace mapwell
