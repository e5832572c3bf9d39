// The map formats as an outside reader sees them: GDAL's ogrinfo, which set-up installs, must
// read every file and list each point with its coordinates and name.
#include "app/engine/result_file.h"
#include "app/map/map_format.h"
#include "support/encoding/codepage.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace mapwell {
namespace {

std::string OgrInfo(const std::filesystem::path& file) {
    const std::string command = "ogrinfo -ro -al " + file.string() + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    EXPECT_NE(pipe, nullptr) << command;
    std::string output;
    char block[4096];
    for (std::size_t n; pipe && (n = std::fread(block, 1, sizeof block, pipe)) > 0;) {
        output.append(block, n);
    }
    const int status = pipe ? pclose(pipe) : -1;
    EXPECT_EQ(status, 0) << "ogrinfo (Debian's gdal-bin; scripts/setup installs it) failed:\n"
                         << output;
    return output;
}

struct Point {
    OutputFields fields;
    const wchar_t* lat;
    const wchar_t* lon;
    std::string name;  // as ogrinfo lists it, UTF-8
    std::string point;
    const wchar_t* answer;
    std::string precision;  // "" for an answer that begins with none
};

const Point kPoints[] = {
    {{L"M\u00FCller & S\u00F6hne", L"", L"Hauptstr. 5", L"10115", L"Berlin", L""},
     L"52.5",
     L"13.4",
     "M\xC3\xBCller & S\xC3\xB6hne",
     "POINT (13.4 52.5)",
     L"postcode level: 10115 Berlin, DE",
     "postcode level"},
    {{L"<b>\"Kunde\"</b>", L"'x'", L"Bahnhofstr. 1", L"8001", L"Z\u00FCrich", L"a\\b"},
     L"47,3769",
     L"8,5417",
     "<b>\"Kunde\"</b> 'x'",
     "POINT (8.5417 47.3769)",
     L"City Level: Z\u00FCrich, CH",
     "city level"},
    {{L"", L"", L"Rue 1", L"", L"Paris", L""},
     L"48.85",
     L"2.35",
     "Rue 1",
     "POINT (2.35 48.85)",
     L"found <here> & \"there\"",
     ""},
    {{L"Ost", L"", L"a", L"", L"b", L""},
     L"-33.9",
     L"-70.6",
     "Ost",
     "POINT (-70.6 -33.9)",
     L"street level: a",
     "street level"},
    // Letters that XML forbids, as a list can hold them.
    {{L"Odd", L"", L"Weg 1", L"", L"Bonn",
      L"a\uFFFEb\uFFFFc\xD800"
      L"d\x01"
      L"e\xDC00"},
     L"50.7",
     L"7.1",
     "Odd",
     "POINT (7.1 50.7)",
     L"postcode level: 53111 Bonn",
     "postcode level"},
};

TEST(MapFormat, OutsideReaderListsEveryPoint) {
    TestFolder folder;
    for (const OutputFormat format :
         {OutputFormat::Gpx, OutputFormat::Kml, OutputFormat::GeoJson}) {
        // The second file's run stops by a failure after its first point: the closing part
        // is still written.
        for (const bool stopsEarly : {false, true}) {
            const auto path = folder / ("points" + std::string(stopsEarly ? "-stopped" : "") +
                                        std::filesystem::path(MapExtension(format)).string());
            try {
                FileResultFile file(path);
                MapFileWriter writer;
                file.MapFile = &writer;
                WriteResultHeader(file, format);
                const ResultClosing closing(file, format);
                for (const Point& p : kPoints) {
                    WriteResultLine(file, format, p.fields, p.lat, p.lon, "raw", p.answer);
                    if (stopsEarly) {
                        throw std::runtime_error("stop");
                    }
                }
            } catch (const std::runtime_error&) {
            }
            const std::string listing = OgrInfo(path);
            for (const Point& p : kPoints) {
                EXPECT_NE(listing.find(" = " + p.name + "\n"), std::string::npos)
                    << path << " " << p.name << "\n"
                    << listing;
                EXPECT_NE(listing.find(p.point), std::string::npos) << path << "\n" << listing;
                // GPX carries the answer in the description, after the address.
                const std::string answer = WideToUtf8(p.answer);
                const std::string answerField =
                    format == OutputFormat::Gpx ? "\n" : "answer (String) = ";
                EXPECT_NE(listing.find(answerField + answer + "\n"), std::string::npos)
                    << path << " " << answer << "\n"
                    << listing;
                const std::string precisionField =
                    format == OutputFormat::Gpx ? "type (String) = " : "precision (String) = ";
                EXPECT_EQ(listing.find(precisionField + p.precision + "\n") != std::string::npos,
                          !p.precision.empty())
                    << path << " " << answer << "\n"
                    << listing;
                if (stopsEarly) {
                    break;
                }
            }
        }
    }
}

}  // namespace
}  // namespace mapwell
