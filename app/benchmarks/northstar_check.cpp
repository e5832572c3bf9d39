// Checks the result of the customer-list run of `scripts/benchmarks northstar` on the build
// machine (not a test):
//   northstar_check GAZETTEER.dat LIST KINDS RESULT.csv
// LIST holds `Kunde<i>;street;zip;city;country` lines in the ANSI code page, KINDS one word a
// line (exact, loose, invented), RESULT the CSV result Mapwell wrote for LIST. Each list line is
// read as the engine reads it, sent through the request record and looked up in the same order
// as the stand-in navigation program does; every result line must carry the place its own line
// gets. Prints the found share, the misses by kind and the result lines with another line's
// place; exits 1 when there is any.
#include "app/engine/line_rules.h"
#include "navlink/protocol.h"
#include "navserver/place_matcher.h"
#include "navserver/stand_in.h"
#include "support/encoding/line_reader.h"
#include "support/encoding/codepage.h"
#include "support/text.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace mapwell;

struct Expected {
    PlaceMatch match;
    std::string kind;
};

std::vector<std::string> Lines(const std::string& path) {
    ByteFile file(path, ByteFile::Mode::Read);
    std::vector<std::string> lines;
    if (!file.IsOpen()) {
        return lines;
    }
    LineReader reader(file.Get());
    while (!reader.AtEnd()) {
        lines.push_back(reader.ReadLine());
    }
    return lines;
}

// The quoted fields of a CSV result line.
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < line.size() && line[at] == '"') {
        const std::size_t end = line.find("\",", at + 1);
        const std::size_t stop = end == std::string::npos ? line.rfind('"') : end;
        fields.push_back(line.substr(at + 1, stop - at - 1));
        if (end == std::string::npos) {
            break;
        }
        at = end + 2;
    }
    return fields;
}

double Number(std::string text) {
    for (char& c : text) {
        c = c == ',' ? '.' : c;
    }
    return std::atof(text.c_str());
}

// What a miss says about the data: a town the places table lacks, a town far from its postcode,
// or an address that does not exist.
std::string MissKind(const Expected& e) {
    if (e.kind == "invented") {
        return "invented town";
    }
    if (e.match.text.find(L"lies far from postcode") != std::wstring::npos) {
        return "far from its postcode";
    }
    if (e.match.status == kPlaceUnknown) {
        return "town the places table lacks";
    }
    return "other (status " + std::to_string(e.match.status) + ")";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: northstar_check GAZETTEER.dat LIST KINDS RESULT.csv\n");
        return 2;
    }
    const std::optional<GazetteerFile> gazetteer = GazetteerFile::Read(ReadFileBytes(argv[1]));
    if (!gazetteer) {
        std::fprintf(stderr, "northstar_check: %s is no gazetteer file\n", argv[1]);
        return 2;
    }
    PlaceMatcher matcher(*gazetteer);
    ColumnProfile profile{{L"0", L"-1", L"1", L"2", L"3", L"4", L"-1", L"-1"}, L";"};

    std::vector<std::string> kinds;
    std::ifstream kindFile(argv[3]);
    for (std::string kind; std::getline(kindFile, kind);) {
        kinds.push_back(kind);
    }
    std::vector<Expected> expected;
    std::map<std::wstring, std::size_t> lineOf;  // by Name1
    for (const std::string& raw : Lines(argv[2])) {
        const auto columns = SplitSourceLine(raw, profile.Separator, SourceEncoding::Ansi);
        const AddressRequest request = BuildRequest(columns, profile);
        NavLinkInfo link;
        link.Country = request.Country;
        link.Zip = request.Zip;
        link.City = request.City;
        link.Street = request.Street;
        link.HouseNo = request.HouseNo;
        const CommandRecord record = BuildCommandRecord(link);
        const GeocodeRequest sent = ReadRequest(record.data(), record.size());
        lineOf[columns.empty() ? L"" : columns[0]] = expected.size();
        expected.push_back({matcher.Match(sent.country, sent.zip, sent.city),
                            expected.size() < kinds.size() ? kinds[expected.size()] : "?"});
    }

    std::vector<bool> written(expected.size(), false);
    int wrongPlace = 0, unknownLine = 0, twice = 0, lines = 0;
    const std::vector<std::string> result = Lines(argv[4]);
    for (std::size_t i = 1; i < result.size(); ++i) {  // after the header line
        const std::vector<std::string> fields = CsvFields(result[i]);
        ++lines;
        const auto line = fields.size() == 8 ? lineOf.find(AnsiToWide(fields[0])) : lineOf.end();
        if (line == lineOf.end()) {
            ++unknownLine;
            continue;
        }
        twice += written[line->second] ? 1 : 0;
        written[line->second] = true;
        const PlaceMatch& own = expected[line->second].match;
        if (own.status != 0 || std::fabs(Number(fields[6]) - own.place.latitude) > 1e-4 ||
            std::fabs(Number(fields[7]) - own.place.longitude) > 1e-4) {
            ++wrongPlace;
        }
    }

    int found = 0, lost = 0;
    std::map<std::string, int> misses, kindCount, kindFound;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        ++kindCount[e.kind];
        if (e.match.status == 0) {
            ++found;
            ++kindFound[e.kind];
            lost += written[i] ? 0 : 1;
        } else {
            ++misses[MissKind(e)];
        }
    }
    const double count = static_cast<double>(expected.size());
    std::printf("  found                 %d of %zu (%.1f%%); result lines %d\n", found,
                expected.size(), 100.0 * found / count, lines);
    for (const auto& [kind, n] : kindCount) {
        std::printf("    %-9s lines       %d, found %d (%.1f%%)\n", kind.c_str(), n,
                    kindFound[kind], 100.0 * kindFound[kind] / n);
    }
    for (const auto& [kind, n] : misses) {
        std::printf("    missed: %-28s %d (%.1f%%)\n", kind.c_str(), n, 100.0 * n / count);
    }
    std::printf("  written with another line's place  %d\n", wrongPlace + unknownLine + twice);
    std::printf("  found but not written %d\n", lost);
    return wrongPlace + unknownLine + twice > 0 ? 1 : 0;
}
