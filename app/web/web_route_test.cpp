#include "app/web/web_route.h"
#include "testing/fake_map_file.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace mapwell {
namespace {

WebCollection ThreeAddresses() {
    WebCollection collection;
    collection.Collect({L"Max", L"Muster", L"Hauptstr. 5a", L"10115", L"Berlin", L", Gate 3",
                        "Hauptstr. 5a;10115;Berlin"});
    collection.Collect({L"", L"", L"Am Ring", L"", L"Wien", L"", "Am Ring;;Wien"});
    collection.Collect({L"", L"", L"", L"20095", L"Hamburg", L"", "\"x\";20095;Hamburg"});
    return collection;
}

// What an import wrote and listed.
struct Imported : ResultFile, ErrorList {
    bool Write(std::string_view bytes) override {
        if (written.size() + bytes.size() > room) {
            return false;
        }
        written += bytes;
        return true;
    }
    std::size_t room = std::string::npos;  // bytes the result file takes
    void Append(const std::string& rawLine) override { errors.push_back(rawLine); }
    int converted = 0;
    std::string written;
    std::vector<std::string> errors;
};

// Each line in the next of `formats`; in the append layout, which shows the raw line and both
// coordinate texts, when none are given.
Imported Import(std::wstring_view text, const RegionalNumberFormat& number = {},
                const std::vector<OutputFormat>& formats = {},
                std::size_t room = std::string::npos) {
    static FakeMapFile map;
    Imported got;
    got.room = room;
    got.MapFile = &map;
    std::size_t asked = 0;
    got.converted = ImportGeocodedText(
        ThreeAddresses(), text, number, got,
        [&] { return formats.empty() ? OutputFormat::Append : formats.at(asked++); }, got);
    return got;
}

TEST(GeocodedText, ACoordinateCountsWhenTheWholeFieldReadsAsANumberOtherThanZero) {
    const RegionalNumberFormat point{L".", L","};
    const RegionalNumberFormat comma{L",", L"."};
    // text, read with a decimal point, read with a decimal comma
    const std::tuple<const wchar_t*, bool, bool> cases[] = {
        {L" 8.1 ", true, true},   {L"52,5", true, true},    {L"+7", true, true},
        {L"-0,0", false, false},  {L"", false, false},      {L"-", false, false},
        {L".5", true, false},     {L"1.2.3", false, true},  {L"52.5x", false, false},
        {L"ERROR", false, false}, {L"4.5e-05", true, true}, {L"52.5\n", false, false}};
    for (const auto& [text, withPoint, withComma] : cases) {
        EXPECT_EQ(ReadsAsNonZeroNumber(text, point), withPoint) << "point: " << text;
        EXPECT_EQ(ReadsAsNonZeroNumber(text, comma), withComma) << "comma: " << text;
    }
    EXPECT_TRUE(ReadsAsNonZeroNumber(L"0<>5", {L"<>", L""}));
}

// A row lands on the line its item number names, or nowhere.
TEST(ImportGeocodedText, WritesTheRowsThatCameBackAndListsTheRest) {
    using Errors = std::vector<std::string>;
    const Errors all{"Hauptstr. 5a;10115;Berlin", "Am Ring;;Wien", "\"x\";20095;Hamburg"};
    const Errors allButWien{"Hauptstr. 5a;10115;Berlin", "\"x\";20095;Hamburg"};
    const std::wstring h = L"Address\tCity\tZipcode\tState\tDescription\tbg_lat\tbg_long\r\n";
    const std::string wien = "Am Ring;;Wien,\"16.37\",\"48.2\"\r\n";
    const struct {
        std::wstring text;
        int converted;
        std::string written;
        Errors errors;
        RegionalNumberFormat number = {};
        std::vector<OutputFormat> formats = {};
    } cases[] = {
        {h + L"\tHamburg\t20095\t\t3\t53.55\t9.99\r\n"
             L"Hauptstr. 5a\tBerlin\t10115\t\t1\t 52.520\t13,405\r\n",
         2,
         "\"x\";20095;Hamburg,\"9.99\",\"53.55\"\r\n"
         "Hauptstr. 5a;10115;Berlin,\"13,405\",\" 52.520\"\r\n",
         {"Am Ring;;Wien"}},
        // The first line is the header even when it looks like a row, and "bg_lat" inside
        // a heading marks it as geocoded; no trailing line end.
        {L"a\tb\tc\td\t1\t5\txbg_laty\r\nx\ty\tz\t\t2\t48.2\t16.37", 1, wien, allButWien},
        // Failed by the page, second coordinate empty, field 7 missing, not a number, empty row;
        // field 5 read as a leading number; an item number counts once.
        {h + L"a\tb\tc\t\t1\t0\t13.4\r\na\tb\tc\t\t1\t52.5\t\r\na\tb\tc\t\t1\t52.5\r\n"
             L"a\tb\tc\t\t1\tn/a\t13.4\r\na\tb\tc\t\t 2 item\t48.2\t16.37\r\n"
             L"a\tb\tc\t\t2\t1\t2\r\na\tb\tc\t\t02\t1\t2\r\n\r\n",
         1, wien, allButWien},
        // The regional decimal separator decides the test; the text is written unchanged.
        {h + L"a\tb\tc\t\t1\t52,5\t13,4\r\na\tb\tc\t\t2\t0,0\t16,37\r\n",
         1,
         "Hauptstr. 5a;10115;Berlin,\"13,4\",\"52,5\"\r\n",
         {"Am Ring;;Wien", "\"x\";20095;Hamburg"},
         {L",", L"."}},
        // The option may change while the page works: each line takes the one in force then,
        // and with none a line counts unwritten.
        {h + L"a\tb\tc\t\t1\t13.4\t52.5\r\na\tb\tc\t\t2\t13.4\t52.5\r\na\tb\tc\t\t3\t1\t2\r\n",
         3,
         "52.5,13.4,\"Max Muster - Hauptstr. 5a 10115 Berlin, , Gate 3\"\r\n"
         "\"\",\"\",\"Am Ring\",\"\",\"Wien\",\"\",\"52.5\",\"13.4\"\r\n",
         {},
         {},
         {OutputFormat::Poi, OutputFormat::Csv, OutputFormat::None}},
        // A map format names each coordinate: field 6 is the latitude, written with a point.
        {h + L"a\tb\tc\t\t3\t53,55\t9,99\r\n",
         1,
         "[53.55 9.99 /Hamburg ]",
         Errors{"Hauptstr. 5a;10115;Berlin", "Am Ring;;Wien"},
         {L",", L"."},
         {OutputFormat::Gpx}},
        // Without a geocoded text nothing is written and every line is listed.
        {L"", 0, "", all},
        {L"Address\tCity\tZipcode\tState\tDescription\r\nHauptstr. 5a\tBerlin\t10115\t\t1\r\n", 0,
         "", all},
        {L"BG_LAT\r\na\tb\tc\t\t1\t52.5\t13.4\r\n", 0, "", all},
    };
    for (const auto& c : cases) {
        const Imported got = Import(c.text, c.number, c.formats);
        EXPECT_EQ(got.converted, c.converted) << c.text;
        EXPECT_EQ(got.written, c.written) << c.text;
        EXPECT_EQ(got.errors, c.errors) << c.text;
    }
    // An item number that names no collected line writes nothing and counts nothing.
    for (const wchar_t* item : {L"0", L"", L"abc", L"4", L"99999999999", L"-1", L"2.5"}) {
        const Imported got = Import(h + L"a\tb\tc\t\t" + item + L"\t52.5\t13.4\r\n");
        EXPECT_EQ(got.converted, 0) << item;
        EXPECT_EQ(got.written, "") << item;
        EXPECT_EQ(got.errors, all) << item;
    }
}

// A row that the result file does not take ends the import: it and the rows after it are
// listed, none of them counted.
TEST(GeocodedText, ARowThatCannotBeWrittenIsListed) {
    const Imported got = Import(L"Address\tbg_lat\r\n"
                                L"a\tb\tc\t\t2\t16.37\t48.2\r\n"
                                L"a\tb\tc\t\t1\t13.4\t52.5\r\n"
                                L"a\tb\tc\t\t3\t9.99\t53.55\r\n",
                                {}, {}, 40);
    EXPECT_EQ(got.converted, 1);
    EXPECT_EQ(got.written, "Am Ring;;Wien,\"48.2\",\"16.37\"\r\n");
    EXPECT_EQ(got.errors,
              (std::vector<std::string>{"Hauptstr. 5a;10115;Berlin", "\"x\";20095;Hamburg"}));
}

}  // namespace
}  // namespace mapwell
