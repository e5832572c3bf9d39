// A navigation program and the main window around a conversion, on a simulated clock: the real
// engine, the real request ledger and the real reply reading, with replies that come inside the
// send, late or never, their address part filled in one of the ways navigation programs fill it.
// For the engine's tests and the late-answer benchmark.
#pragma once

#include "app/engine/convert_engine.h"
#include "columns/fake_profile_store.h"
#include "navlink/request_ledger.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace mapwell {

enum class ReplyStyle {
    Echo,         // the request's address as it was asked
    OwnSpelling,  // the request's zip, street and number, the city in the program's own spelling
    EmptyFields,  // no address at all
    CityOnly,     // only the city, in the program's own spelling
    CityAsAsked,  // only the city, as the request spelt it
};

struct NavigationSchedule {
    ReplyStyle style = ReplyStyle::Echo;
    int dropEvery = 0;  // every this-many-th request is never answered; 0: none
    int lateEvery = 0;  // every this-many-th request is answered after lateMs; 0: none
    int lateMs = 2600;  // longer than a line's wait, shorter than the lateness limit
    // Every this-many-th request from the first is held until the next request goes out, then
    // answered with its city and postcode only, before the new one; 0: none.
    int holdEvery = 0;
    // When not 0: answers come one at a time, each this long after the program could start on
    // it (its request's arrival or the answer before), request `slowRequest` after `slowMs`.
    int answerMs = 0;
    int slowRequest = 0;
    int slowMs = 0;
    // The list mixes city-only lines in (see SimulatedListLine).
    bool mixedList = false;
};

// The list line of address `index` (from 1): "Name 7;Weg 7;10007;Ort 7". In a mixed list, from
// the sixth line on, the lines before and after every fifth full address from the seventh name
// only its city: "Name 6;;;Ort 7", "Name 7;Weg 7;10007;Ort 7", "Name 8;;;Ort 7".
std::string SimulatedListLine(int index, bool mixed = false);
// The place that the program gives line `index`, and its coordinates: each address has a place
// of its own.
int SimulatedPlaceOf(int index, bool mixed = false);
float SimulatedLatitude(int place);
float SimulatedLongitude(int place);

class SimulatedNavigation : public RunStatus,
                            public RunLink,
                            public RunWaits,
                            public RunSettings,
                            public RunProfiles {
public:
    SimulatedNavigation(std::wstring destination, NavigationSchedule schedule);

    ProfileStore& Profiles() override { return store_; }
    void SendGeocodeRequest() override;
    void EndReplyWait() override { awaiting_ = false; }
    bool MustWaitForEarlierAnswer() override;
    bool UnclearAnswerCame() override { return ledger_.UnclearSinceLastRequest(); }
    void Pause(int milliseconds, const std::function<void()>& afterEachEvent) override;
    void DoEvents() override { Deliver({}); }
    void Sleep(int milliseconds) override { now_ += milliseconds; }
    void SetInfo(const std::wstring& text) override { infos.push_back(text); }
    std::wstring Destination() override { return destination_; }
    OutputFormat FormatInForce() override { return OutputFormat::Append; }
    std::wstring TxtSep() override { return L"."; }
    std::wstring RegionalDecimalSeparator() override { return L"."; }
    bool StopRequested() override { return false; }
    RunRoles Roles() { return {*this, *this, *this, *this, *this}; }

    double NowMs() const { return now_; }
    std::vector<std::wstring> infos;

private:
    struct Answer {
        double at = 0;
        std::vector<std::uint8_t> record;
    };
    void Deliver(const std::function<void()>& afterEach);
    std::vector<std::uint8_t> ReplyTo(const RequestedAddress& request, ReplyStyle style) const;

    FakeProfileStore store_;
    std::wstring destination_;
    NavigationSchedule schedule_;
    RequestLedger ledger_;
    std::deque<Answer> answers_;      // in the order asked, as a navigation program answers
    std::vector<std::uint8_t> held_;  // the answer held until the next request goes out
    double now_ = 1000;
    double lastAnswerAt_ = 0;
    int requests_ = 0;
    bool awaiting_ = false;
};

}  // namespace mapwell
