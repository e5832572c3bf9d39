#include "app/engine/simulated_navigation.h"

#include "navlink/protocol.h"
#include "support/text.h"

#include <algorithm>
#include <cstring>

namespace mapwell {

namespace {

constexpr double kSendMs = 0.5;

// The address's number, from its zip.
int IndexOf(const RequestedAddress& request) {
    return static_cast<int>(ReadNumber(request.Zip).value) - 10000;
}

void PutFloat(std::uint8_t* at, float value) {
    std::memcpy(at, &value, sizeof value);
}

}  // namespace

std::string SimulatedListLine(int index) {
    const std::string n = std::to_string(index);
    return "Name " + n + ";Weg " + n + ";" + std::to_string(10000 + index) + ";Ort " + n + "\r\n";
}

float SimulatedLatitude(int index) {
    return 45.0f + static_cast<float>(index) / 1000.0f;
}

float SimulatedLongitude(int index) {
    return 8.0f + static_cast<float>(index) / 1000.0f;
}

SimulatedNavigation::SimulatedNavigation(std::wstring destination, NavigationSchedule schedule)
    : destination_(std::move(destination)), schedule_(schedule) {
    SaveProfile(store_, L"list", {0, -1, 1, 2, 3, -1, -1, -1}, L";");
}

std::vector<std::uint8_t> SimulatedNavigation::ReplyTo(const RequestedAddress& request,
                                                       int index) const {
    std::vector<std::uint8_t> record(kPlaceSize, 0);
    const std::wstring ownCity = L"Stadt " + request.City;
    const auto put = [&](std::size_t at, std::size_t chars, const std::wstring& text) {
        PutTextField(record.data() + at, chars, text);
    };
    switch (schedule_.style) {
    case ReplyStyle::Echo:
    case ReplyStyle::OwnSpelling:
        put(offsets::kZip, kZipChars, request.Zip);
        put(offsets::kCity, kCityChars,
            schedule_.style == ReplyStyle::Echo ? request.City : ownCity);
        put(offsets::kStreet, kStreetChars, request.Street);
        put(offsets::kHouseNo, kHouseNoChars, request.HouseNo);
        break;
    case ReplyStyle::CityOnly: put(offsets::kCity, kCityChars, ownCity); break;
    case ReplyStyle::EmptyFields: break;
    }
    PutFloat(record.data() + offsets::kLatitude, SimulatedLatitude(index));
    PutFloat(record.data() + offsets::kLongitude, SimulatedLongitude(index));
    const std::string text = "found " + std::to_string(index);
    std::copy(text.begin(), text.end(), record.begin() + offsets::kText);
    return record;
}

void SimulatedNavigation::SendGeocodeRequest() {
    const CommandRecord command = BuildCommandRecord(NavLink);
    const RequestedAddress request = AddressOfRecord(command.data(), command.size());
    ledger_.Sent(request, static_cast<std::uint64_t>(now_));
    awaiting_ = true;
    ++requests_;
    now_ += kSendMs;
    const int k = requests_;
    if (schedule_.dropEvery > 0 && k % schedule_.dropEvery == 0) {
        return;
    }
    const bool late = schedule_.lateEvery > 0 && k % schedule_.lateEvery == 0;
    // In the order asked: an answer never overtakes one still to come.
    const double at = std::max(now_ + (late ? schedule_.lateMs : 0), lastAnswerAt_);
    lastAnswerAt_ = at;
    answers_.push_back({at, ReplyTo(request, IndexOf(request))});
    // One that is not late comes inside the send.
    Deliver({});
}

void SimulatedNavigation::Deliver(const std::function<void()>& afterEach) {
    while (!answers_.empty() && answers_.front().at <= now_) {
        const std::vector<std::uint8_t> record = std::move(answers_.front().record);
        answers_.pop_front();
        // As the main window's hook takes a WM_COPYDATA.
        const ReplyOwner owner = ledger_.Attribute(kReplyPlace, record.data(), record.size(),
                                                   static_cast<std::uint64_t>(now_));
        if (owner == ReplyOwner::ThisCommand && awaiting_) {
            awaiting_ = false;
            ParseReply(NavLink, kReplyPlace, record.data(), record.size());
        }
        if (afterEach) {
            afterEach();
        }
    }
}

void SimulatedNavigation::Pause(int milliseconds, const std::function<void()>& afterEachEvent) {
    now_ += milliseconds;
    Deliver(afterEachEvent);
}

bool SimulatedNavigation::MustWaitForEarlierAnswer() {
    return ledger_.MustWaitBeforeNextRequest(static_cast<std::uint64_t>(now_));
}

}  // namespace mapwell
