#include "app/engine/result_file.h"
#include "app/engine/error_list.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mapwell {
namespace {

TEST(OutputFormat, Layouts) {
    const OutputFields full{L"Max", L"Muster", L"Hauptstr. 5a", L"10115", L"Berlin", L"Tor 3"};
    const OutputFields streetAndCity{L"", L"", L"Hauptstr. 5a", L"", L"Berlin", L""};
    const OutputFields lukasz{L"\u0141ukasz", L"", L"", L"", L"", L""};
    const struct {
        OutputFormat format;
        OutputFields fields;
        const wchar_t* lat;
        const wchar_t* lon;
        std::string raw;
        std::string line;
        ResultText text = ResultText::Ansi;
        int replaced = 0;  // lines with a letter that ANSI lacks
    } cases[] = {
        {OutputFormat::Poi, streetAndCity, L"52.5", L"13.4", "",
         "52.5,13.4,\"  - Hauptstr. 5a  Berlin, \"\r\n"},
        {OutputFormat::Poi, full, L"52.5", L"13.4", "",
         "52.5,13.4,\"Max Muster - Hauptstr. 5a 10115 Berlin, Tor 3\"\r\n"},
        // The empty record of the web route: two blanks, hyphen, three blanks, comma, blank.
        {OutputFormat::Poi, OutputFields{}, L"1", L"2", "", "1,2,\"  -   , \"\r\n"},
        {OutputFormat::Csv, streetAndCity, L"52.5", L"13.4", "",
         "\"\",\"\",\"Hauptstr. 5a\",\"\",\"Berlin\",\"\",\"52.5\",\"13.4\"\r\n"},
        {OutputFormat::Csv, full, L"-1.25", L"13,4", "",
         "\"Max\",\"Muster\",\"Hauptstr. 5a\",\"10115\",\"Berlin\",\"Tor "
         "3\",\"-1.25\",\"13,4\"\r\n"},
        // A spreadsheet reads each cell back as it was: inner quotes doubled, line breaks kept
        // inside the quotes; one POI a line, so there a line break is a blank.
        {OutputFormat::Csv, OutputFields{L"a\"b", L"", L"x\r\ny", L"", L"", L""}, L"1", L"2", "",
         "\"a\"\"b\",\"\",\"x\r\ny\",\"\",\"\",\"\",\"1\",\"2\"\r\n"},
        {OutputFormat::Poi, OutputFields{L"a\"b", L"", L"x\r\ny", L"", L"B", L"u\nv"}, L"1", L"2",
         "", "1,2,\"a\"b  - x y  B, u v\"\r\n"},
        {OutputFormat::Append, full, L"1", L"2", "\"x\r\ny\";z", "\"x\r\ny\";z,\"1\",\"2\"\r\n"},
        {OutputFormat::Append, full, L"52.5", L"13.4", "Max;Muster;\"Hauptstr. 5a\";Berlin",
         "Max;Muster;\"Hauptstr. 5a\";Berlin,\"52.5\",\"13.4\"\r\n"},
        // Raw bytes go back untouched, a lone LF and bytes of another code page included.
        {OutputFormat::Append, full, L"1", L"2", std::string("M\xC3\xBCller\nx\x81"),
         std::string("M\xC3\xBCller\nx\x81,\"1\",\"2\"\r\n")},
        {OutputFormat::None, full, L"1", L"2", "raw", ""},
        // A UTF-8 result; its POI lines stay ANSI and are counted when a letter is replaced.
        {OutputFormat::Csv, lukasz, L"1", L"2", "",
         "\"\xC5\x81ukasz\",\"\",\"\",\"\",\"\",\"\",\"1\",\"2\"\r\n", ResultText::Utf8},
        {OutputFormat::Append, lukasz, L"1", L"2", "\xC5\x81ukasz", "\xC5\x81ukasz,\"1\",\"2\"\r\n",
         ResultText::Utf8},
        {OutputFormat::Poi, lukasz, L"1", L"2", "", "1,2,\"?ukasz  -   , \"\r\n", ResultText::Utf8,
         1},
        {OutputFormat::Csv, lukasz, L"1", L"2", "",
         "\"?ukasz\",\"\",\"\",\"\",\"\",\"\",\"1\",\"2\"\r\n", ResultText::Ansi, 1},
        // Texts are written in the ANSI code page.
        {OutputFormat::Csv, OutputFields{L"", L"M\u00FCller", L"Stra\u00DFe 1", L"", L"", L""},
         L"1", L"2", "",
         "\"\",\"M\xFCller\",\"Stra\xDF"
         "e 1\",\"\",\"\",\"\",\"1\",\"2\"\r\n"},
    };
    TestFolder folder;
    for (const auto& c : cases) {
        FileResultFile file(folder / "result.txt");
        file.text = c.text;
        WriteResultLine(file, c.format, c.fields, c.lat, c.lon, c.raw);
        file.Close();
        EXPECT_EQ(TestFolder::Get(folder / "result.txt"), c.line);
        EXPECT_EQ(file.linesWithReplacedLetters, c.replaced) << c.line;
    }
}

// A UTF-8 result begins with a mark, except a POI file.
TEST(OutputFormat, TheStartOfAResult) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::tuple<OutputFormat, ResultText, std::string> cases[] = {
        {OutputFormat::Csv, ResultText::Utf8, mark + CsvHeaderLine()},
        {OutputFormat::Append, ResultText::Utf8, mark},
        {OutputFormat::Poi, ResultText::Utf8, ""},
        {OutputFormat::Csv, ResultText::Ansi, CsvHeaderLine()},
        {OutputFormat::Append, ResultText::Ansi, ""},
    };
    TestFolder folder;
    for (const auto& [format, text, start] : cases) {
        FileResultFile file(folder / "result.txt");
        file.text = text;
        WriteResultHeader(file, format);
        file.Close();
        EXPECT_EQ(TestFolder::Get(folder / "result.txt"), start);
    }
    // A map file with no writer plugged in is a write that failed, never a silent empty file.
    FileResultFile map(folder / "result.gpx");
    EXPECT_FALSE(WriteResultHeader(map, OutputFormat::Gpx));
    EXPECT_TRUE(map.WriteFailed);
}

// The error list keeps every letter: a UTF-8 one stays UTF-8, an ANSI one goes over into UTF-8
// when a UTF-8 line comes.
TEST(ErrorListFile, EntriesInTheTextOfTheList) {
    const std::string mark = "\xEF\xBB\xBF", ansi = "M\xFCller", utf8 = "M\xC3\xBCller";
    const struct {
        std::string before;
        ResultText text;
        std::string line, after;
    } cases[] = {
        {"", ResultText::Ansi, ansi, ansi + "\r\n"},
        {"", ResultText::Utf8, utf8, mark + utf8 + "\r\n"},
        {ansi + "\r\n", ResultText::Ansi, ansi, ansi + "\r\n" + ansi + "\r\n"},
        {mark + utf8 + "\r\n", ResultText::Utf8, "x", mark + utf8 + "\r\nx\r\n"},
        {mark + "x\r\n", ResultText::Ansi, ansi, mark + "x\r\n" + utf8 + "\r\n"},
        {ansi + "\r\n", ResultText::Utf8, "x", mark + utf8 + "\r\nx\r\n"},
    };
    TestFolder folder;
    for (const auto& c : cases) {
        if (c.before.empty()) {
            std::filesystem::remove(folder / "ConvertError.txt");
        } else {
            TestFolder::Put(folder / "ConvertError.txt", c.before);
        }
        ErrorListFile errors(folder / "ConvertError.txt", c.text);
        errors.Append(c.line);
        EXPECT_EQ(TestFolder::Get(folder / "ConvertError.txt"), c.after) << c.before;
        EXPECT_FALSE(errors.Lost());
    }
}

TEST(MapFormat, ChosenByExtension) {
    EXPECT_EQ(MapFormatOfPath(L"C:\\a.b\\x.GPX"), OutputFormat::Gpx);
    EXPECT_EQ(MapFormatOfPath(L"x.kml"), OutputFormat::Kml);
    EXPECT_EQ(MapFormatOfPath(L"x.geojson"), OutputFormat::GeoJson);
    EXPECT_EQ(MapFormatOfPath(L"x.json"), std::nullopt);
    EXPECT_EQ(MapFormatOfPath(L"gpx"), std::nullopt);
}

}  // namespace
}  // namespace mapwell
