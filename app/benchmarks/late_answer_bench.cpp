// How lost and late answers cost a conversion, for each way a navigation program may fill the
// address part of its replies: 1,000 lines through the real engine, request ledger and reply
// reading on a simulated clock (see simulated_navigation.h). Prints one row per reply style and
// schedule: lines converted, lines failed, lines written with another line's place, and the
// simulated time. Not a test.
#include "app/engine/line_rules.h"
#include "testing/simulated_navigation.h"
#include "navlink/link_record.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace mapwell {
namespace {

constexpr int kLines = 1000;

std::string Ascii(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The lines of the result that carry the place of another address than their own.
int OtherLinesPlaces(const std::string& result, bool mixed, int& written) {
    std::istringstream in(result);
    std::string line;
    int wrong = 0;
    written = 0;
    while (std::getline(in, line)) {
        ++written;
        const int index = std::stoi(line.substr(5));  // "Name <index>;..."
        const int place = SimulatedPlaceOf(index, mixed);
        const std::string own = ",\"" + Ascii(CoordinateText(SimulatedLatitude(place), L".")) +
                                "\",\"" + Ascii(CoordinateText(SimulatedLongitude(place), L".")) +
                                "\"\r";
        wrong += line.ends_with(own) ? 0 : 1;
    }
    return wrong;
}

void Row(const char* style, const char* schedule, const NavigationSchedule& how) {
    const auto folder = std::filesystem::temp_directory_path() / "mapwell-late-bench";
    std::filesystem::create_directories(folder);
    {
        std::ofstream list(folder / "list.csv", std::ios::binary);
        for (int i = 1; i <= kLines; ++i) {
            list << SimulatedListLine(i, how.mixedList);
        }
    }
    SimulatedNavigation s((folder / "out.txt").wstring(), how);
    NavLink = NavLinkInfo{};
    NavLink.LinkState = 1;
    OpenAddList((folder / "list.csv").wstring(), L"list", s.Roles());
    std::ifstream in(folder / "out.txt", std::ios::binary);
    const std::string result((std::istreambuf_iterator<char>(in)), {});
    int written = 0;
    const int wrong = OtherLinesPlaces(result, how.mixedList, written);
    std::printf("| %-20s | %-15s | %9d | %6d | %19d | %8.1f |\n", style, schedule, written,
                kLines - written, wrong, s.NowMs() / 1000.0);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace mapwell

int main() {
    using namespace mapwell;
    std::printf("%d lines; lateness limit %llu ms; a late answer comes 2.6 s after its request\n\n",
                kLines, static_cast<unsigned long long>(kLatenessLimitMs));
    std::printf(
        "| Reply style          | Schedule        | Converted | Failed | With another's place "
        "| Simulated s |\n|---|---|---|---|---|---|\n");
    const struct {
        const char* name;
        ReplyStyle how;
    } styles[] = {{"echo", ReplyStyle::Echo},
                  {"own spelling", ReplyStyle::OwnSpelling},
                  {"empty fields", ReplyStyle::EmptyFields},
                  {"city only", ReplyStyle::CityOnly}};
    for (const auto& style : styles) {
        Row(style.name, "drop every 50th", {style.how, 50, 0});
        Row(style.name, "late every 10th", {style.how, 0, 10});
    }
    // Only the city, spelt as the list spells it, in a list where every fifth full address from
    // the seventh stands between two lines that name only its city.
    const NavigationSchedule asAsked{.style = ReplyStyle::CityAsAsked, .mixedList = true};
    NavigationSchedule drop = asAsked, late = asAsked, slow = asAsked;
    drop.dropEvery = 50;
    late.lateEvery = 10;
    slow.answerMs = 600;
    slow.slowRequest = 7;
    slow.slowMs = 2500;
    Row("city only, as asked", "drop every 50th", drop);
    Row("city only, as asked", "late every 10th", late);
    NavigationSchedule late7 = asAsked;
    late7.lateEvery = 7;
    Row("city only, as asked", "late every 7th", late7);
    Row("city only, as asked", "serial, 7th slow", slow);
    return 0;
}
