#include "navserver/gazetteer.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mapwell {
namespace {

TEST(Gazetteer, ReadsPlacesAndPassesOverCommentsAndBrokenLines) {
    const std::vector<Place> places = ReadGazetteer("# comment\r\n"
                                                    "\r\n"
                                                    "DE;10115;Berlin;52.5323;13.3846\r\n"
                                                    " AT ; 1010 ; Wien ; 48.2085 ; 16.3721 \n"
                                                    "DE;80331;M\xFCnchen;48.1372;11.5755\n"
                                                    "DE;99999;Nowhere;north;11\n"
                                                    "DE;12345;Short;1\n"
                                                    "DE;20095;Hamburg;53.5503;10.0006");
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0].latitude, 52.5323f);
    EXPECT_EQ(places[1].country + L";" + places[1].zip + L";" + places[1].city, L"AT;1010;Wien");
    EXPECT_EQ(places[1].longitude, 16.3721f);
    EXPECT_EQ(places[2].city, L"M\u00FCnchen");
    EXPECT_EQ(places[3].zip, L"20095");
}

TEST(Gazetteer, FindsByZipElseByCityInAnyCase) {
    const std::vector<Place> places =
        ReadGazetteer("DE;10115;Berlin;52.5;13.4\nDE;80331;M\xFCnchen;48.1;11.6\n");
    // zip, city, the city found (empty: none)
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"10115", L"", L"Berlin"},
        {L"10115", L"M\u00FCnchen", L"Berlin"},
        {L"99999", L"M\u00DCNCHEN", L"M\u00FCnchen"},
        {L"", L"berlin  ", L"Berlin"},
        {L"1011", L"", L""},
        {L"", L"Bern", L""},
    };
    for (const auto& [zip, city, found] : cases) {
        const Place* place = FindPlace(places, zip, city);
        EXPECT_EQ(place ? place->city : L"", found) << zip;
    }
}

}  // namespace
}  // namespace mapwell
