#include "columns/first_line.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mapwell {
namespace {

using V = std::vector<std::wstring>;
constexpr int n = -1;

TEST(FirstLine, SeparatorPreselectionAndStartLine) {
    // line, usable, separator, preselected, scroll start
    const std::tuple<const wchar_t*, bool, const wchar_t*, ColumnChoices, int> cases[] = {
        {L"name;street;zipcode;city", true, L";", {0, 0, 1, 2, 3, n, n, n}, 2},
        // Capitals: the search is case-sensitive, nothing is found, the preview starts at 1.
        {L"Name;Street;Zipcode;City", true, L";", {n, n, n, n, n, n, n, n}, 1},
        {L"\"firstname\",\"lastname\",street,zipcode,city,country,description",
         true,
         L",",
         {0, 0, 2, 3, 4, 5, 6, 6},
         2},
        // Three commas win over the semicolons.
        {L"a;b,c;d,e,f", true, L",", {n, n, n, n, n, n, n, n}, 1},
        {L"a,b,c", false, L";", {n, n, n, n, n, n, n, n}, 2},
        {L"", false, L";", {n, n, n, n, n, n, n, n}, 2},
        {L"x,mystreet,city,zipcode", true, L",", {n, n, 1, 3, 2, n, n, n}, 1},
        // Tabs separate only a line without commas and semicolons.
        {L"name\tstreet\tzipcode\tcity", true, L"\t", {0, 0, 1, 2, 3, n, n, n}, 2},
        {L"a\tb\tc", false, L"\t", {n, n, n, n, n, n, n, n}, 2},
        {L"name\tstreet;zipcode;city;x", true, L";", {0, 0, 0, 1, 2, n, n, n}, 2},
    };
    for (const auto& [line, usable, separator, preselected, scrollStart] : cases) {
        const FirstLineAnalysis a = AnalyseFirstLine(line);
        EXPECT_EQ(a.usable, usable) << line;
        EXPECT_EQ(a.separator, separator) << line;
        EXPECT_EQ(a.preselected, preselected) << line;
        EXPECT_EQ(a.scrollStart, scrollStart) << line;
    }
}

// The engine's cells: a quoted cell keeps its separator, a doubled quote is one quote, and the
// separator is guessed from what lies outside quoted cells.
TEST(FirstLine, QuotedCellsAreCellsAsTheEngineReadsThem) {
    EXPECT_EQ(AnalyseFirstLine(L"\"Meier, Hans\",Hauptstr. 5,12345,Berlin").fields,
              (V{L"Meier, Hans", L"Hauptstr. 5", L"12345", L"Berlin"}));
    EXPECT_EQ(AnalyseFirstLine(L"\"a,b\"\tc\td\te").separator, L"\t");
    EXPECT_EQ(AnalyseFirstLine(L"\"a,b,c,d\";e;f;g").separator, L";");
    EXPECT_TRUE(AnalyseFirstLine(L"a,b,c").fields.empty());
    const Preview p =
        ComputePreview(L"\"Gasthaus \"\"Zur Post\"\"\";\"M\u00FCller; S\u00F6hne\";x;y", L";",
                       {0, n, 2, n, 3, n, 1, n}, {});
    EXPECT_EQ(p.texts.name, L"Gasthaus \"Zur Post\" ");
    EXPECT_EQ(p.texts.text, L"M\u00FCller; S\u00F6hne ");
}

// The command line passes over a first line that the dialog starts its preview below.
TEST(FirstLine, AHeadingNamesAColumnOfANameAmongThoseItPreselects) {
    EXPECT_TRUE(IsHeading(AnalyseFirstLine(L"name;street;zipcode;city;country")));
    EXPECT_TRUE(IsHeading(AnalyseFirstLine(L"\"lastname\",\"street\",\"city\",\"zip\"")));
    EXPECT_FALSE(IsHeading(AnalyseFirstLine(L"Name;Street;Zipcode;City")));
    EXPECT_FALSE(IsHeading(AnalyseFirstLine(L"Felicity Jones;Main street;12345;Atlantic city")));
    EXPECT_FALSE(IsHeading(AnalyseFirstLine(L"name,street,city")));  // too few fields
}

TEST(FirstLine, TheBoxesOfferABoundedNumberOfColumnsAndSaySo) {
    const struct {
        std::wstring line;
        std::size_t offered, columns;
        const wchar_t* note;
    } cases[] = {
        {L"name;street;zipcode;city", 4, 4, L""},
        {L"name;street;zipcode;city" + std::wstring(1048576, L';'), 1000, 1048580,
         L"The first line has 1048580 columns; the lists offer the first 1000."},
        {L"a,b,c" + std::wstring(997, L','), 1000, 1000, L""},
    };
    for (const auto& c : cases) {
        const FirstLineAnalysis a = AnalyseFirstLine(c.line);
        EXPECT_EQ(a.fields.size(), c.offered);
        EXPECT_EQ(a.columnCount, c.columns);
        EXPECT_EQ(OfferedColumnsNote(a), c.note);
    }
    EXPECT_EQ(AnalyseFirstLine(L"name;street;zipcode;city" + std::wstring(5000, L';')).preselected,
              (ColumnChoices{0, 0, 1, 2, 3, n, n, n}));
}

TEST(FirstLine, ARowBeyondTheEndShowsTheLastLine) {
    const V lines{L"one", L"two"};
    EXPECT_EQ(PreviewLine(lines, 1), L"one");
    EXPECT_EQ(PreviewLine(lines, 2), L"two");
    EXPECT_EQ(PreviewLine(lines, 20), L"two");
    EXPECT_EQ(PreviewLine({}, 3), L"");
}

TEST(Preview, FieldsUnderTheChoices) {
    const Preview p = ComputePreview(L"Hans;Meier;Hauptstr. 5;12345;Berlin;DE;Gate;3", L";",
                                     {0, 1, 2, 3, 4, 5, 6, 7}, {});
    EXPECT_EQ(p.texts,
              (PreviewTexts{L"Hans Meier", L"Hauptstr. 5", L"12345", L"Berlin", L"DE", L"Gate 3"}));
    EXPECT_TRUE(p.okEnabled && !p.failed && !p.streetMissing && !p.cityMissing);
    EXPECT_EQ(ComputePreview(L"Hans;Meier;x;y;z", L";", {0, n, 2, n, 4, n, n, n}, {}).texts.name,
              L"Hans ");
}

// A street or city without a column turns its heading red and disables OK; a column that a short
// line lacks keeps its box's previous text and fails.
TEST(Preview, AMissingFieldOrColumnIsMarked) {
    const Preview p = ComputePreview(L"a;b;c;d", L";", {n, n, n, 1, 2, n, n, n},
                                     {L"n", L"s", L"z", L"c", L"l", L"t"});
    EXPECT_TRUE(p.streetMissing && !p.cityMissing && !p.okEnabled && !p.failed);
    EXPECT_EQ(p.texts.street + p.texts.name, L"");
    const Preview q = ComputePreview(L"a,b,c", L",", {n, n, 7, n, 2, n, n, n},
                                     {L"old name", L"old street", L"", L"old city", L"", L""});
    EXPECT_TRUE(q.failed && q.okEnabled);
    EXPECT_EQ(q.texts.street, L"old street");
    EXPECT_EQ(q.texts.city, L"c");
}

}  // namespace
}  // namespace mapwell
