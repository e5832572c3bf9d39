#include "testing/simulated_navigation.h"

#include "navlink/protocol.h"
#include "support/text.h"

#include <algorithm>
#include <cstring>

namespace mapwell {

namespace {

constexpr double kSendMs = 0.5;

// The address's place: its number from its zip, or, for a line of a city only, from the city.
int PlaceOf(const RequestedAddress& request) {
    if (request.Zip.empty()) {
        return 5000 + static_cast<int>(ReadNumber(request.City.substr(4)).value);
    }
    return static_cast<int>(ReadNumber(request.Zip).value) - 10000;
}

bool CityOnlyLine(int index, bool mixed) {
    return mixed && index > 5 && (index % 5 == 1 || index % 5 == 3);
}

// The line of a full address whose city a city-only line names.
int CityLineOf(int index) {
    return index - index % 5 + 2;
}

void PutFloat(std::uint8_t* at, float value) {
    std::memcpy(at, &value, sizeof value);
}

}  // namespace

std::string SimulatedListLine(int index, bool mixed) {
    const std::string n = std::to_string(index);
    if (CityOnlyLine(index, mixed)) {
        return "Name " + n + ";;;Ort " + std::to_string(CityLineOf(index)) + "\r\n";
    }
    return "Name " + n + ";Weg " + n + ";" + std::to_string(10000 + index) + ";Ort " + n + "\r\n";
}

int SimulatedPlaceOf(int index, bool mixed) {
    return CityOnlyLine(index, mixed) ? 5000 + CityLineOf(index) : index;
}

float SimulatedLatitude(int place) {
    return 45.0f + static_cast<float>(place) / 10000.0f;
}

float SimulatedLongitude(int place) {
    return 8.0f + static_cast<float>(place) / 10000.0f;
}

SimulatedNavigation::SimulatedNavigation(std::wstring destination, NavigationSchedule schedule)
    : destination_(std::move(destination)), schedule_(schedule) {
    SaveProfile(store_, L"list", {0, -1, 1, 2, 3, -1, -1, -1}, L";");
}

std::vector<std::uint8_t> SimulatedNavigation::ReplyTo(const RequestedAddress& request,
                                                       ReplyStyle style) const {
    std::vector<std::uint8_t> record(kPlaceSize, 0);
    const std::wstring ownCity = L"Stadt " + request.City;
    const auto put = [&](std::size_t at, std::size_t chars, const std::wstring& text) {
        PutTextField(record.data() + at, chars, text);
    };
    switch (style) {
    case ReplyStyle::Echo:
    case ReplyStyle::OwnSpelling:
        put(offsets::kZip, kZipChars, request.Zip);
        put(offsets::kCity, kCityChars, style == ReplyStyle::Echo ? request.City : ownCity);
        put(offsets::kStreet, kStreetChars, request.Street);
        put(offsets::kHouseNo, kHouseNoChars, request.HouseNo);
        break;
    case ReplyStyle::CityOnly: put(offsets::kCity, kCityChars, ownCity); break;
    case ReplyStyle::CityAsAsked: put(offsets::kCity, kCityChars, request.City); break;
    case ReplyStyle::EmptyFields: break;
    }
    const int place = PlaceOf(request);
    PutFloat(record.data() + offsets::kLatitude, SimulatedLatitude(place));
    PutFloat(record.data() + offsets::kLongitude, SimulatedLongitude(place));
    const std::string text = "found " + std::to_string(place);
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
    if (!held_.empty()) {
        // The held answer goes out when this request reaches the program, before its own.
        answers_.push_back({now_, std::move(held_)});
        held_.clear();
    }
    if (schedule_.dropEvery > 0 && k % schedule_.dropEvery == 0) {
        Deliver({});
        return;
    }
    if (schedule_.holdEvery > 0 && k % schedule_.holdEvery == 1 % schedule_.holdEvery) {
        held_ = ReplyTo(request, ReplyStyle::Echo);
        // City and postcode only.
        std::fill(held_.begin() + offsets::kStreet,
                  held_.begin() + offsets::kHouseNo + 2 * kHouseNoChars, 0);
        Deliver({});
        return;
    }
    const bool late = schedule_.lateEvery > 0 && k % schedule_.lateEvery == 0;
    double at = std::max(now_ + (late ? schedule_.lateMs : 0), lastAnswerAt_);
    if (schedule_.answerMs > 0) {
        at = std::max(now_, lastAnswerAt_) +
             (k == schedule_.slowRequest ? schedule_.slowMs : schedule_.answerMs);
    }
    // In the order asked: an answer never overtakes one still to come.
    lastAnswerAt_ = at;
    answers_.push_back({at, ReplyTo(request, schedule_.style)});
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
