// Load time of the compact gazetteer and the time of one look-up, as NavServer.exe meets them
// (not a test). Built for the build machine and for Windows, so that it also runs under Wine:
//   gazetteer_benchmark GAZETTEER.dat
// Prints the first load (from disk, when the file is not cached) and the median of 21 loads in
// milliseconds, and the median of 21 rounds of look-ups of a mixed set of requests in
// microseconds per look-up.
#include "navserver/place_matcher.h"
#include "support/byte_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace mapwell;
using Clock = std::chrono::steady_clock;

struct Request {
    const wchar_t* country;
    const wchar_t* zip;
    const wchar_t* city;
};

// Found and not found, with and without a country, exonyms, postcodes and short forms.
constexpr Request kRequests[] = {
    {L"DE", L"80331", L"M\u00FCnchen"},
    {L"D", L"", L"Koeln"},
    {L"", L"", L"Vienna"},
    {L"Schw", L"", L"St. Gallen"},
    {L"DE", L"", L"Frankfurt (Oder)"},
    {L"DE", L"", L"Frankfurt a.M."},
    {L"Deut", L"", L"Neustadt a. d. W."},
    {L"", L"", L"D-50667 K\u00F6ln"},
    {L"AT", L"", L"Zell a. See"},
    {L"DE", L"", L"Bad Nirgendwo"},
    {L"DE", L"", L"Oberammergau"},
    {L"CH", L"", L"Gen\u00E8ve"},
    {L"DE", L"", L"Castrop-Rauxel"},
    {L"Xy", L"", L"Berlin"},
    {L"", L"", L"Halle/Saale"},
    {L"DE", L"", L"Wolfenb\u00FCttel"},
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gazetteer_benchmark GAZETTEER.dat\n");
        return 2;
    }
    std::vector<double> loads;
    std::optional<GazetteerFile> file;
    for (int i = 0; i < 21; ++i) {
        const auto start = Clock::now();
        file = GazetteerFile::Read(ReadFileBytes(argv[1]));
        loads.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (!file) {
            std::fprintf(stderr, "gazetteer_benchmark: %s is no gazetteer file\n", argv[1]);
            return 1;
        }
    }
    PlaceMatcher matcher(*file);
    constexpr int kRounds = 200;
    std::vector<double> lookups;
    int found = 0;
    for (int i = 0; i < 21; ++i) {
        const auto start = Clock::now();
        for (int round = 0; round < kRounds; ++round) {
            for (const Request& r : kRequests) {
                found += matcher.Match(r.country, r.zip, r.city).status == 0;
            }
        }
        const double perLookup =
            std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
            (kRounds * std::size(kRequests));
        lookups.push_back(perLookup);
    }
    std::printf("%zu places; load %.1f ms (first %.1f ms, median of 21); look-up %.2f us (median "
                "of 21 rounds, %d of %zu requests found)\n",
                file->PlaceCount(), Median(loads), loads.front(), Median(lookups),
                found / (21 * kRounds), std::size(kRequests));
    return 0;
}
