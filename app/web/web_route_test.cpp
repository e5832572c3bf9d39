#include "app/web/web_route.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mapwell {
namespace {

WebRow Row(const wchar_t* street, const wchar_t* city, const wchar_t* zip, const char* line) {
    WebRow row;
    row.Street = street;
    row.City = city;
    row.Zip = zip;
    row.Line = line;
    return row;
}

// The result file as a buffer.
class ResultBuffer : public ResultFile {
public:
    bool Write(std::string_view bytes) override {
        this->bytes += bytes;
        return true;
    }
    std::string bytes;
};

class RecordingErrors : public ErrorList {
public:
    void Append(const std::string& rawLine) override { lines.push_back(rawLine); }
    std::vector<std::string> lines;
};

WebCollection ThreeAddresses() {
    WebCollection collection;
    collection.Collect(Row(L"Hauptstr. 5a", L"Berlin", L"10115", "Hauptstr. 5a;10115;Berlin"));
    collection.Collect(Row(L"Am Ring", L"Wien", L"", "Am Ring;;Wien"));
    collection.Collect(Row(L"", L"Hamburg", L"20095", "\"x\";20095;Hamburg"));
    return collection;
}

constexpr wchar_t kHeader[] = L"Address\tCity\tZipcode\tState\tDescription\tbg_lat\tbg_long\r\n";

struct Imported {
    int converted;
    std::string written;
    std::vector<std::string> errors;
};

// Imports in the append layout, which shows the raw line and both coordinate texts.
Imported Import(const WebCollection& collection, std::wstring_view text,
                const RegionalNumberFormat& format = {}) {
    ResultBuffer result;
    RecordingErrors errors;
    const int converted = ImportGeocodedText(
        collection, text, format, result, [] { return OutputFormat::Append; }, errors);
    return {converted, result.bytes, errors.lines};
}

TEST(GeocodedText, ACoordinateCountsWhenItReadsAsANumberOtherThanZero) {
    const RegionalNumberFormat point{L".", L","};
    const RegionalNumberFormat comma{L",", L"."};
    struct Case {
        const wchar_t* text;
        bool withPoint;
        bool withComma;
    };
    // "52.5" with a comma separator reads as 525; a separator needs no digit before it.
    const Case cases[] = {
        {L"52.5", true, true},    {L"52,5", true, true},   {L"-13.40", true, true},
        {L" 8.1 ", true, true},   {L"+7", true, true},     {L"0", false, false},
        {L"0.000", false, false}, {L"-0,0", false, false}, {L"", false, false},
        {L"  ", false, false},    {L"-", false, false},    {L".", false, false},
        {L".5", true, false},     {L",5", false, true},    {L"1.2.3", false, true},
        {L"52.5x", false, false}, {L"n/a", false, false},  {L"ERROR", false, false},
        {L"4.5e-05", true, true}, {L"1e", false, false},   {L"52.5\n", false, false}};
    const RegionalNumberFormat odd{L"<>", L""};
    EXPECT_TRUE(ReadsAsNonZeroNumber(L"0<>5", odd));
    EXPECT_FALSE(ReadsAsNonZeroNumber(L"0<>0", odd));
    EXPECT_FALSE(ReadsAsNonZeroNumber(L"0.5", odd));
    for (const auto& c : cases) {
        EXPECT_EQ(ReadsAsNonZeroNumber(c.text, point), c.withPoint) << "point: " << c.text;
        EXPECT_EQ(ReadsAsNonZeroNumber(c.text, comma), c.withComma) << "comma: " << c.text;
    }
}

TEST(ImportGeocodedText, WritesTheRowsThatCameBackAndListsTheRest) {
    using Errors = std::vector<std::string>;
    const Errors all{"Hauptstr. 5a;10115;Berlin", "Am Ring;;Wien", "\"x\";20095;Hamburg"};
    const Errors onlyWien{"Am Ring;;Wien"};
    const Errors allButWien{"Hauptstr. 5a;10115;Berlin", "\"x\";20095;Hamburg"};
    const std::wstring h = kHeader;
    const std::string wien = "Am Ring;;Wien,\"16.37\",\"48.2\"\r\n";
    const struct {
        std::wstring text;
        int converted;
        std::string written;
        Errors errors;
        RegionalNumberFormat format = {};
    } cases[] = {
        {h + L"\tHamburg\t20095\t\t3\t53.55\t9.99\r\n"
             L"Hauptstr. 5a\tBerlin\t10115\t\t1\t 52.520\t13,405\r\n",
         2,
         "\"x\";20095;Hamburg,\"9.99\",\"53.55\"\r\n"
         "Hauptstr. 5a;10115;Berlin,\"13,405\",\" 52.520\"\r\n",
         onlyWien},
        // The first line is the header even when it looks like a row, and "bg_lat" inside
        // a heading marks it as geocoded; no trailing line end.
        {L"a\tb\tc\td\t1\t5\txbg_laty\r\nx\ty\tz\t\t2\t48.2\t16.37", 1, wien, allButWien},
        // Failed by the page, second coordinate empty, field 7 missing, not a number, empty row.
        {h + L"a\tb\tc\t\t1\t0\t13.4\r\na\tb\tc\t\t1\t52.5\t\r\na\tb\tc\t\t1\t52.5\r\n"
             L"a\tb\tc\t\t1\tn/a\t13.4\r\na\tb\tc\t\t2\t48.2\t16.37\r\n\r\n",
         1, wien, allButWien},
        // Field 5 read as a leading number.
        {h + L"a\tb\tc\t\t 3 item\t53.55\t9.99\r\n",
         1,
         "\"x\";20095;Hamburg,\"9.99\",\"53.55\"\r\n",
         {"Hauptstr. 5a;10115;Berlin", "Am Ring;;Wien"}},
        // The regional decimal separator decides the test; the text is written unchanged.
        {h + L"a\tb\tc\t\t1\t52,5\t13,4\r\na\tb\tc\t\t2\t0,0\t16,37\r\n",
         1,
         "Hauptstr. 5a;10115;Berlin,\"13,4\",\"52,5\"\r\n",
         {"Am Ring;;Wien", "\"x\";20095;Hamburg"},
         RegionalNumberFormat{L",", L"."}},
        // An item number counts once.
        {h + L"a\tb\tc\t\t2\t48.2\t16.37\r\na\tb\tc\t\t2\t48.2\t16.37\r\na\tb\tc\t\t02\t1\t2\r\n",
         1, wien, allButWien},
        // Without a geocoded text nothing is written and every line is listed.
        {L"", 0, "", all},
        {L"Address\tCity\tZipcode\tState\tDescription\r\nHauptstr. 5a\tBerlin\t10115\t\t1\r\n", 0,
         "", all},
        {L"BG_LAT\r\na\tb\tc\t\t1\t52.5\t13.4\r\n", 0, "", all},
    };
    for (const auto& c : cases) {
        const Imported got = Import(ThreeAddresses(), c.text, c.format);
        EXPECT_EQ(got.converted, c.converted) << c.text;
        EXPECT_EQ(got.written, c.written) << c.text;
        EXPECT_EQ(got.errors, c.errors) << c.text;
    }
    // An item number that names no collected line would otherwise write the empty record at
    // index 0 or nothing at all, and still be counted as converted.
    for (const wchar_t* item : {L"0", L"", L"abc", L"4", L"99999999999", L"-1", L"2.5"}) {
        const Imported got =
            Import(ThreeAddresses(), h + L"a\tb\tc\t\t" + item + L"\t52.5\t13.4\r\n");
        EXPECT_EQ(got.converted, 0) << item;
        EXPECT_EQ(got.written, "") << item;
        EXPECT_EQ(got.errors, all) << item;
    }
    const Imported empty = Import(WebCollection{}, h + L"a\tb\tc\t\t1\t52.5\t13.4\r\n");
    EXPECT_EQ(empty.converted, 0);
    EXPECT_TRUE(empty.written.empty() && empty.errors.empty());
}

// The user may switch the option while the page works; each line takes what is set then, and
// with no format set a line is counted but not written.
TEST(ImportGeocodedText, WritesEachLineInTheFormatInForceAtThatLine) {
    WebCollection collection;
    WebRow full = Row(L"Hauptstr. 5a", L"Berlin", L"10115", "Max;Muster;Hauptstr. 5a;10115;Berlin");
    full.Name1 = L"Max";
    full.Name2 = L"Muster";
    full.Description = L", Gate 3";
    collection.Collect(full);
    collection.Collect(Row(L"Hauptstr. 5a", L"Berlin", L"", "Hauptstr. 5a;;Berlin"));
    collection.Collect(Row(L"Am Ring", L"Wien", L"", "Am Ring;;Wien"));
    const std::wstring text = std::wstring(kHeader) + L"a\tb\tc\t\t1\t13.4\t52.5\r\n"
                                                      L"a\tb\tc\t\t2\t13.4\t52.5\r\n"
                                                      L"a\tb\tc\t\t3\t16.37\t48.2\r\n";
    std::vector<OutputFormat> formats{OutputFormat::Poi, OutputFormat::Csv, OutputFormat::None};
    std::size_t asked = 0;
    ResultBuffer result;
    RecordingErrors errors;
    EXPECT_EQ(ImportGeocodedText(
                  collection, text, {}, result, [&] { return formats[asked++]; }, errors),
              3);
    EXPECT_EQ(asked, 3u);
    EXPECT_EQ(result.bytes,
              "52.5,13.4,\"Max Muster - Hauptstr. 5a 10115 Berlin, , Gate 3\"\r\n"
              "\"\",\"\",\"Hauptstr. 5a\",\"\",\"Berlin\",\"\",\"52.5\",\"13.4\"\r\n");
    EXPECT_TRUE(errors.lines.empty());
}

}  // namespace
}  // namespace mapwell
