#include "app/engine/line_rules.h"
#include "columns/fake_profile_store.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

#include <limits>

namespace mapwell {
namespace {

using Columns = std::vector<std::wstring>;

ColumnProfile Profile(const std::array<int, kAddressFieldCount>& indexes) {
    FakeProfileStore store;
    SaveProfile(store, L"p", indexes, L",");
    return *ReadProfile(store, L"p");
}

TEST(LineRules, Splitting) {
    const struct {
        std::string raw;
        const wchar_t* separator;
        Columns columns;
    } cases[] = {{"a,b,c", L",", {L"a", L"b", L"c"}},
                 {"a,,c", L",", {L"a", L"", L"c"}},
                 {"a,", L",", {L"a", L""}},
                 {",", L",", {L"", L""}},
                 {"", L",", {}},
                 {"\"\"", L",", {L""}},
                 {"\"Doe, John\",Berlin", L",", {L"Doe, John", L"Berlin"}},
                 {"x\"y,\"a\"\"b\"", L",", {L"xy", L"a\"b"}},
                 {"a;b,c", L";", {L"a", L"b,c"}},
                 {"a\nb,c", L",", {L"a\nb", L"c"}},
                 {"M\xFCller,x", L",", {L"M\u00FCller", L"x"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(SplitSourceLine(c.raw, c.separator, SourceEncoding::Ansi), c.columns) << c.raw;
    }
}

TEST(LineRules, HouseNumber) {
    const struct {
        const wchar_t* street;
        const wchar_t* houseNo;
    } cases[] = {
        {L"Hauptstr. 5a", L"5a"}, {L"Am Ring", L""}, {L"Lindenweg", L""}, {L"Weg 123", L"123"},
        {L"Str. 1", L"1"},        {L"B 12", L"12"},  {L"", L""},          {L"Gasse  7", L"7"},
        {L"Hauptstr. 12345", L""}};
    for (const auto& c : cases) {
        EXPECT_EQ(HouseNumberOf(c.street), c.houseNo) << c.street;
    }
}

TEST(LineRules, CityWithoutLeadingNumber) {
    const struct {
        const wchar_t* city;
        const wchar_t* request;
    } cases[] = {{L"12345 Berlin", L"Berlin"}, {L"1010 Wien", L"Wien"},
                 {L"Berlin", L"Berlin"},       {L"  80331  M\u00FCnchen", L"M\u00FCnchen"},
                 {L"0 Ort", L"0 Ort"},         {L"D-10115 Berlin", L"D-10115 Berlin"},
                 {L"1234567 Nord", L"Nord"},   {L"", L""}};
    for (const auto& c : cases) {
        EXPECT_EQ(CityForRequest(c.city), c.request) << c.city;
    }
}

TEST(LineRules, RequestFieldsComeOnlyFromTheLine) {
    // Unassigned columns send empty fields.
    EXPECT_EQ(BuildRequest({L"a", L"b", L"c"}, Profile({-1, -1, 0, -1, 2, -1, -1, -1})),
              (AddressRequest{L"", L"", L"c", L"a", L""}));
}

TEST(LineRules, OutputFields) {
    const ColumnProfile profile = Profile({0, 1, 2, 3, 4, -1, 5, 6});
    const OutputFields out = BuildOutputFields(
        {L"Max", L"Muster", L"Am Ring 1", L"10115", L"12345 Berlin", L"", L"Gate 3"}, profile);
    EXPECT_EQ(out.Name1, L"Max");
    EXPECT_EQ(out.City, L"12345 Berlin");  // the city column itself is written unchanged
    EXPECT_EQ(out.Description, L", Gate 3");
    EXPECT_EQ(BuildOutputFields({L"a", L"b", L"c", L"d", L"e", L"T1", L"T2"}, profile).Description,
              L"T1, T2");
    EXPECT_EQ(BuildOutputFields({L"a", L"b", L"c", L"d", L"e", L"T1"}, profile).Description, L"T1");
    EXPECT_EQ(FailedLineName({L"", L"Muster"}, profile), L"Muster");
}

TEST(LineRules, CoordinateText) {
    const struct {
        float value;
        const wchar_t* text;
    } cases[] = {{52.5f, L"52.5"},
                 {-0.1f, L"-0.1"},
                 {52.520008f, L"52.52001"},
                 {100.f, L"100"},
                 {0.f, L"0"},
                 {-0.f, L"0"},
                 {1234567.f, L"1234567"},
                 {1.f / 3, L"0.3333333"},
                 {-33.86785f, L"-33.86785"},
                 {0.00005f, L"0.00005"},
                 {0.0001234f, L"0.0001234"},
                 {12345678.f, L"1.234568E+07"},
                 {9.9999999f, L"10"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CoordinateText(c.value, L"."), c.text) << c.value;
    }
    EXPECT_EQ(CoordinateText(52.5f, L","), L"52,5");
}

TEST(LineRules, OnlyACoordinateOnTheGlobeIsAFoundPlace) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const struct {
        float latitude, longitude;
        bool found;
    } cases[] = {{52.5f, 13.4f, true},  {-90.f, 180.f, true}, {90.f, -180.f, true},
                 {0.f, 13.4f, false},   {nan, 13.4f, false},  {52.5f, nan, false},
                 {inf, 13.4f, false},   {52.5f, -inf, false}, {-90.5f, 0.f, false},
                 {52.5f, 180.5f, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(IsFoundPlace(c.latitude, c.longitude), c.found)
            << c.latitude << " " << c.longitude;
    }
}

TEST(LineRules, DecimalSeparatorReplacement) {
    const struct {
        const wchar_t *lat, *lon, *txtSep, *latOut, *lonOut;
    } cases[] = {{L"52.5", L"13.4", L",", L"52,5", L"13,4"},
                 {L"52,5", L"13,4", L".", L"52.5", L"13.4"},
                 {L"52,5", L"13,4", L"<>", L"52<>5", L"13<>4"},
                 // Only the longitude text decides which mark is replaced.
                 {L"52.5", L"13", L";", L"52.5", L"13"}};
    for (const auto& c : cases) {
        std::wstring lat = c.lat, lon = c.lon;
        ApplyTxtSep(lat, lon, c.txtSep);
        EXPECT_EQ(lat, c.latOut);
        EXPECT_EQ(lon, c.lonOut);
    }
}

// Lists as spreadsheets save them: each address record with the line it begins on and the cells
// a spreadsheet shows for it. Blank lines are no records.
TEST(ListRecords, TheCellsASpreadsheetShows) {
    using Cells = std::vector<std::wstring>;
    using Records = std::vector<std::pair<long long, Cells>>;
    const struct {
        std::string bytes;
        const wchar_t* separator;
        Records records;
    } cases[] = {
        {"\"M\xC3\xBCller; S\xC3\xB6hne GmbH\";Hauptstr. 5;70173;Stuttgart\n",
         L";",
         {{1, {L"M\u00FCller; S\u00F6hne GmbH", L"Hauptstr. 5", L"70173", L"Stuttgart"}}}},
        {"\"Meier, Anna\",Tor 2,\"Tor 2, Rampe 3\"\r\n",
         L",",
         {{1, {L"Meier, Anna", L"Tor 2", L"Tor 2, Rampe 3"}}}},
        {"\"Gasthaus \"\"Zur Post\"\"\";x\n", L";", {{1, {L"Gasthaus \"Zur Post\"", L"x"}}}},
        {"a;\"Tor 2\nRampe 3\";b\nc;d\n",
         L";",
         {{1, {L"a", L"Tor 2\nRampe 3", L"b"}}, {3, {L"c", L"d"}}}},
        // A CR LF list whose cell holds a line break of either kind.
        {"a;\"x\ny\"\r\nb;\"u\r\nv\"\r\nc\r\n",
         L";",
         {{1, {L"a", L"x\ny"}}, {3, {L"b", L"u\r\nv"}}, {5, {L"c"}}}},
        {"a;b\n\n;;\n \t; \n\"\";\"\"\nc;d\n\n", L";", {{1, {L"a", L"b"}}, {6, {L"c", L"d"}}}},
        {"a;b\r\n\r\nc;d\r\n\r\n", L";", {{1, {L"a", L"b"}}, {3, {L"c", L"d"}}}},
        // A stray quote inside a cell, or one that opens a cell and closes none, is removed.
        {"Rohr 5\" Zoll;b\nc;d\n", L";", {{1, {L"Rohr 5 Zoll", L"b"}}, {2, {L"c", L"d"}}}},
        {"\"abc;x\nc;\"d e\";f\n", L";", {{1, {L"abc", L"x"}}, {2, {L"c", L"d e", L"f"}}}},
        {"\"a\"b;c\n", L";", {{1, {L"ab", L"c"}}}},
        {"a\tb\t\"c\td\"\r\n", L"\t", {{1, {L"a", L"b", L"c\td"}}}},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        TestFolder::Put(folder / "list.csv", c.bytes);
        ByteFile file(folder / "list.csv", ByteFile::Mode::Read);
        LineReader reader(file.Get());
        const SourceEncoding encoding = reader.ReadEncoding();
        reader.SetSeparators({c.separator});
        Records records;
        do {
            const std::string raw = reader.ReadLine();
            const Cells cells = SplitSourceLine(raw, c.separator, encoding);
            if (!IsBlankRecord(cells)) {
                records.emplace_back(reader.LineNumber(), cells);
            }
        } while (!reader.AtEnd());
        EXPECT_EQ(records, c.records) << c.bytes;
    }
}

}  // namespace
}  // namespace mapwell
