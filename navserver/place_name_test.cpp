#include "support/country_names.h"
#include "navserver/place_name.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(PlaceKey, SpellingsOfOneNameMeet) {
    // A name of nothing but joining words ("Am") keeps them.
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"M\u00FCnchen", "muenchen"},
        {L"Gie\u00DFen", "giessen"},
        {L"Gen\u00E8ve", "geneve"},
        {L"Frankfurt (Oder)", "frankfurt oder"},
        {L"Frankfurt an der Oder", "frankfurt oder"},
        {L"Frankfurt a. Main", "frankfurt main"},
        {L"St. Gallen", "sankt gallen"},
        {L"  Bad   Homburg v.d. H\u00F6he ", "bad homburg v hoehe"},
        {L"\u0141\u00F3d\u017A", "lodz"},
        {L"An der Mauer", "mauer"},
        {L"Am", "am"},
        {L"\u041C\u043E\u0441\u043A\u0432\u0430", ""},
        {L" - ", ""},
    };
    for (const auto& [name, key] : cases) {
        EXPECT_EQ(PlaceKey(name), key) << key;
    }
}

TEST(PlaceKey, ShorterAndStartKeys) {
    EXPECT_EQ(ShorterKey("frankfurt main"), "frankfurt");
    EXPECT_EQ(ShorterKey("berlin"), "");
    EXPECT_EQ(NameStartKeys("bad homburg hoehe"), (std::vector<std::string>{"bad homburg+"}));
    EXPECT_EQ(NameStartKeys("frankfurt main"), (std::vector<std::string>{"frankfurt+"}));
    EXPECT_TRUE(NameStartKeys("ulm").empty());
    EXPECT_EQ(ShortSpellingKeys(L"Aigen im Ennstal"), (std::vector<std::string>{"aigen e~"}));
    EXPECT_EQ(ShortSpellingKeys(L"V\u00F6ls"), (std::vector<std::string>{"vols~"}));
    EXPECT_TRUE(ShortSpellingKeys(L"Ulm").empty());
}

TEST(FindCountry, CodesNamesAndTheirFirstFourLetters) {
    const struct {
        const wchar_t* text;
        const char* iso2;  // nullptr: none
    } cases[] = {
        {L"D", "DE"},           {L"de", "DE"},        {L"DEU", "DE"},   {L"Deutschland", "DE"},
        {L"Germ", "DE"},        {L"\u00D6ste", "AT"}, {L"Aust", "AT"},  {L"Schw", "CH"},
        {L"FL", "LI"},          {L"It.", "IT"},       {L"Xy", nullptr}, {L"Ge", nullptr},
        {L"Atlantis", nullptr}, {L"", nullptr},
    };
    for (const auto& c : cases) {
        const int country = FindCountry(c.text);
        EXPECT_STREQ(country < 0 ? nullptr : kCountries[country].iso2, c.iso2) << c.iso2;
    }
}

}  // namespace
}  // namespace mapwell
