#include "navserver/place_matcher.h"

#include "navlink/protocol.h"
#include "navlink/request_ledger.h"
#include "navserver/place_name.h"
#include "support/encoding/codepage.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mapwell {
namespace {

// A place with the keys the gazetteer builder gives it.
GazetteerPlace Town(const char* iso2, const wchar_t* name, std::uint32_t population,
                    std::vector<std::wstring> otherNames = {},
                    std::vector<std::string> postcodes = {}) {
    const std::wstring wide(name);
    // The latitude tells the places apart, and sets them so many degrees apart.
    GazetteerPlace place{static_cast<float>(population % 1000),
                         0,
                         population,
                         WideToAnsi(wide),
                         iso2,
                         {PlaceKey(wide)},
                         {}};
    for (const std::string& postcode : postcodes) {
        place.keys.push_back("=" + postcode);
    }
    for (const std::wstring& other : otherNames) {
        place.alternateKeys.push_back(PlaceKey(other));
    }
    for (std::vector<std::string> more : {NameStartKeys(place.keys[0]), ShortSpellingKeys(wide)}) {
        place.alternateKeys.insert(place.alternateKeys.end(), more.begin(), more.end());
    }
    return place;
}

// Names in ASCII here, so that the test reads the same in every code page.
const std::vector<GazetteerPlace> kTowns = {
    Town("DE", L"Muenchen", 1'260'001, {L"M\u00FCnchen", L"Munich"}),
    Town("DE", L"Frankfurt am Main", 650'002, {L"Frankfurt"}),
    Town("DE", L"Frankfurt (Oder)", 58'003),
    Town("DE", L"Neustadt", 4'005),
    Town("DE", L"Neustadt an der Weinstrasse", 53'006),
    Town("DE", L"Halle (Saale)", 238'007, {L"Halle"}),
    Town("DE", L"Halle", 21'008),
    Town("DE", L"Koeln", 1'080'009, {L"Cologne", L"K\u00F6ln"}),
    Town("DE", L"Sample", 10'010, {}, {"12345"}),
    // Two towns of one name, 3 degrees apart; postcodes of the southern one's region.
    Town("DE", L"Altenstadt", 12'050),
    Town("DE", L"Altenstadt", 3'047, {}, {"86972"}),
    Town("DE", L"Schongau", 12'047, {}, {"86956"}),
    Town("DE", L"H\u00F6hn", 3'054),
    Town("DE", L"Hohn", 2'054),
    Town("AT", L"Wien", 1'900'011, {L"Vienna"}),
    Town("AT", L"Sankt Gallen", 1'400'012 % 10'000),
    Town("AT", L"Neustadt", 2'013),
    Town("CH", L"Zuerich", 400'014, {L"Z\u00FCrich", L"Zurich"}),
    Town("CH", L"Sankt Gallen", 75'015, {L"St. Gallen"}),
    Town("IT", L"Roma", 2'800'016, {L"Rom"}),
    // A French town whose postcode begins as a German region's does.
    Town("DE", L"Ludwigshafen", 170'020, {}, {"67059"}),
    Town("FR", L"Strasbourg", 280'048),
    // A district beside its town, and a place of that name far away.
    Town("DE", L"Berlin", 3'400'052, {}, {"13597"}),
    Town("DE", L"Spandau", 40'052),
    Town("DE", L"Spandau", 50'012),
};

std::optional<GazetteerFile> Read(const std::string& text) {
    return GazetteerFile::Read(std::vector<std::uint8_t>(text.begin(), text.end()));
}

class PlaceMatcherTest : public ::testing::Test {
protected:
    GazetteerFile file_ = *Read(WriteGazetteerFile(kTowns, "credit"));
    PlaceMatcher matcher_{file_};
};

TEST_F(PlaceMatcherTest, FollowsTheMatchingRules) {
    // country, zip, city, the reply's text
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"DE", L"", L"M\u00FCnchen", L"city level: Muenchen, DE"},
        {L"Deut", L"", L"munich", L"city level: Muenchen, DE"},
        {L"", L"", L"D-50667 K\u00F6ln", L"city level: Koeln, DE"},
        {L"", L"", L"A-1010 Vienna", L"city level: Wien, AT"},
        // An empty country: the previous place's country first (Austria, from the line above).
        {L"", L"", L"Neustadt", L"city level: Neustadt, AT"},
        {L"Schw", L"", L"St. Gallen", L"city level: Sankt Gallen, CH"},
        // ... and then Germany, Austria, Switzerland, before any other country.
        {L"", L"", L"Zurich", L"city level: Zuerich, CH"},
        {L"", L"", L"Rom", L"city level: Roma, IT"},
        {L"", L"", L"Halle", L"city level: Halle (Saale), DE"},
        {L"DE", L"", L"Frankfurt (Oder)", L"city level: Frankfurt (Oder), DE"},
        {L"DE", L"", L"Frankfurt", L"city level: Frankfurt am Main, DE"},
        {L"DE", L"", L"Neustadt a. d. W.", L"city level: Neustadt an der Weinstrasse, DE"},
        {L"DE", L"", L"Halle (Westf.)", L"city level: Halle (Saale), DE"},
        {L"DE", L"", L"12345 Anywhere", L"postcode level: 12345 Sample, DE"},
        // A town of the very name before one that lists spell so.
        {L"DE", L"", L"Hohn", L"city level: Hohn, DE"},
        {L"DE", L"", L"Hoehn", L"city level: H\u00F6hn, DE"},
        {L"DE", L"99999", L"", L"Address not found: postcode 99999 unknown and no city given"},
        {L"DE", L"", L"", L"Address not found: no city given"},
        {L"DE", L"", L"Wien", L"Address not found: no place \"Wien\" in DE"},
        {L"Xy", L"", L"Wien", L"Address not found: unknown country \"Xy\""},
        // A German postcode region judges only German places.
        {L"FR", L"67000", L"Strasbourg", L"city level: Strasbourg, FR"},
        {L"", L"67000", L"Strasbourg", L"city level: Strasbourg, FR"},
        // A district written with its town; one far from the town is not its district.
        {L"DE", L"13597", L"Berlin-Spandau", L"district level: 13597 Spandau, DE"},
        {L"DE", L"", L"Sample-Spandau", L"city level: Sample, DE"},
    };
    for (const auto& [country, zip, city, text] : cases) {
        const PlaceMatch match = matcher_.Match(country, zip, city);
        EXPECT_EQ(match.text, text);
        EXPECT_EQ(match.status == 0, std::wstring(text).find(L"level") != std::wstring::npos);
    }
}

TEST_F(PlaceMatcherTest, ThePostcodeTellsWhichTownOfANameIsMeant) {
    // zip, city, the latitude of the place found (-1: none), the reply's text
    const std::tuple<const wchar_t*, const wchar_t*, float, const wchar_t*> cases[] = {
        {L"", L"Altenstadt", 50, L"city level: Altenstadt, DE"},
        {L"86972", L"Altenstadt", 47, L"postcode level: 86972 Altenstadt, DE"},
        // Another postcode of the region, one the data does not know, one of no known region.
        {L"86956", L"Altenstadt", 47, L"city level: Altenstadt, DE"},
        {L"86999", L"Altenstadt", 47, L"city level: Altenstadt, DE"},
        {L"10115", L"Altenstadt", 50, L"city level: Altenstadt, DE"},
        // A town the data does not know: the place the postcode serves.
        {L"86972", L"Lechfeld", 47, L"postcode level: 86972 Altenstadt, DE"},
        // A postcode far from every town of the name: one of the two is wrong.
        {L"12345", L"Altenstadt", -1,
         L"Address not found: \"Altenstadt\" lies far from postcode 12345"},
    };
    for (const auto& [zip, city, latitude, text] : cases) {
        const PlaceMatch match = matcher_.Match(L"DE", zip, city);
        EXPECT_EQ(match.text, text);
        EXPECT_EQ(match.status == 0 ? match.place.latitude : -1, latitude) << zip;
    }
}

TEST_F(PlaceMatcherTest, ReplyCarriesThePlaceFoundOrWhyNot) {
    GeocodeRequest request{L"CH", L"Zurich", L"8001", L"Bahnhofstr.", L"1"};
    const auto reply = [&] {
        return BuildPlaceReply(request, matcher_.Match(request.country, request.zip, request.city),
                               std::nullopt);
    };
    NavLinkInfo link;
    std::vector<std::uint8_t> bytes = reply();
    ParseReply(link, kReplyPlace, bytes.data(), bytes.size());
    EXPECT_EQ(link.LinkState, 0);
    EXPECT_EQ(link.Latitude, 14.0f);
    EXPECT_EQ(link.ReplyText.substr(0, 24), std::wstring(L"city level: Zuerich, CH") + L'\0');

    request.city = L"Atlantis";
    bytes = reply();
    ParseReply(link, kReplyPlace, bytes.data(), bytes.size());
    EXPECT_EQ(link.LinkState, kPlaceUnknown);
    EXPECT_EQ(link.Latitude, 0.0f);
}

TEST_F(PlaceMatcherTest, TheReplyNamesThePlaceAsTheRequestDid) {
    // country, zip, city; the reply's zip and city
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"DE", L"", L"M\u00FCnchen", L"|M\u00FCnchen"},
        {L"", L"", L"D-50667 k\u00F6ln ", L"|D-50667 k\u00F6ln"},
        {L"DE", L"D-86972", L"ALTENSTADT", L"D-86972|ALTENSTADT"},
        // A postcode that found the place under another name: the place's own.
        {L"DE", L"86972", L"Lechfeld", L"86972|Altenstadt"},
        {L"DE", L"", L"Atlantis", L"|Atlantis"},
    };
    for (const auto& [country, zip, city, address] : cases) {
        const std::vector<std::uint8_t> reply = BuildPlaceReply(
            {country, city, zip, L"", L""}, matcher_.Match(country, zip, city), std::nullopt);
        const RequestedAddress named = AddressOfRecord(reply.data(), reply.size());
        EXPECT_EQ(named.Zip + L"|" + named.City, address);
    }
}

TEST(GazetteerFile, RefusesBrokenFiles) {
    const std::string good = WriteGazetteerFile(kTowns, "credit");
    ASSERT_TRUE(Read(good));
    EXPECT_EQ(Read(good)->Credit(), "credit");
    EXPECT_EQ(Read(good)->PlaceCount(), kTowns.size());
    EXPECT_FALSE(Read(good.substr(0, good.size() - 1)));
    EXPECT_FALSE(Read(good + "x"));
    EXPECT_FALSE(Read("MWGZ"));
    const std::size_t keysAt = 32 + 20 * kTowns.size();
    // Bytes that point outside the file: the first place's name, the first key's text, the
    // first key's place.
    for (const std::size_t at : {std::size_t{32 + 15}, keysAt + 3, keysAt + 7}) {
        std::string bad = good;
        bad[at] = 0x7F;
        EXPECT_FALSE(Read(bad)) << at;
    }
}

}  // namespace
}  // namespace mapwell
