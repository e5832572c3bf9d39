#include "app/engine/byte_file.h"
#include "app/testing/test_folder.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(OutputFormat, Layouts) {
    const OutputFields full{L"Max", L"Muster", L"Hauptstr. 5a", L"10115", L"Berlin", L"Tor 3"};
    const OutputFields streetAndCity{L"", L"", L"Hauptstr. 5a", L"", L"Berlin", L""};
    const struct {
        OutputFormat format;
        OutputFields fields;
        const wchar_t* lat;
        const wchar_t* lon;
        std::string raw;
        std::string line;
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
        // Inner double quotes are written as they are, not doubled.
        {OutputFormat::Csv, OutputFields{L"a\"b", L"", L"", L"", L"", L""}, L"1", L"2", "",
         "\"a\"b\",\"\",\"\",\"\",\"\",\"\",\"1\",\"2\"\r\n"},
        {OutputFormat::Append, full, L"52.5", L"13.4", "Max;Muster;\"Hauptstr. 5a\";Berlin",
         "Max;Muster;\"Hauptstr. 5a\";Berlin,\"52.5\",\"13.4\"\r\n"},
        // Raw bytes go back untouched, a lone LF and bytes of another code page included.
        {OutputFormat::Append, full, L"1", L"2", std::string("M\xC3\xBCller\nx\x81"),
         std::string("M\xC3\xBCller\nx\x81,\"1\",\"2\"\r\n")},
        {OutputFormat::None, full, L"1", L"2", "raw", ""},
        // Texts are written in the ANSI code page.
        {OutputFormat::Csv, OutputFields{L"", L"M\u00FCller", L"Stra\u00DFe 1", L"", L"", L""},
         L"1", L"2", "",
         "\"\",\"M\xFCller\",\"Stra\xDF"
         "e 1\",\"\",\"\",\"\",\"1\",\"2\"\r\n"},
    };
    TestFolder folder;
    for (const auto& c : cases) {
        FileResultFile file(folder / "result.txt");
        WriteResultLine(file, c.format, c.fields, c.lat, c.lon, c.raw);
        file.Close();
        EXPECT_EQ(TestFolder::Get(folder / "result.txt"), c.line);
    }
}

}  // namespace
}  // namespace mapwell
