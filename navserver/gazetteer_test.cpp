#include "navserver/gazetteer.h"
#include "navserver/gazetteer_open.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
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

TEST(OpenGazetteer, ADamagedCompactFileIsNamedAndNeverReadAsASampleList) {
    const std::string compact =
        WriteGazetteerFile({{52.5f, 13.4f, 1, "Berlin", "DE", {"berlin"}, {}}}, "c");
    const std::string sample = "DE;10115;Berlin;52.5;13.4\n";
    // path, file bytes, places read (-1: damaged), the damage notice begins
    const std::tuple<const wchar_t*, std::string, int, const wchar_t*> cases[] = {
        {L"C:\\maps\\gazetteer.dat", compact, 1, L""},
        {L"C:\\maps\\places.txt", sample, 1, L""},
        {L"C:\\maps\\places.bin", compact, 1, L""},
        {L"C:\\maps\\gazetteer.dat", "", -1, L"The gazetteer C:\\maps\\gazetteer.dat is empty"},
        {L"C:\\maps\\gazetteer.DAT", compact.substr(0, compact.size() - 1), -1,
         L"The gazetteer C:\\maps\\gazetteer.DAT is damaged."},
        {L"C:\\maps\\gazetteer.dat", sample, -1,
         L"The gazetteer C:\\maps\\gazetteer.dat is damaged."},
        {L"C:\\maps\\places.txt", compact + "x", -1,
         L"The gazetteer C:\\maps\\places.txt is damaged."},
    };
    for (const auto& [path, bytes, count, notice] : cases) {
        const OpenedGazetteer opened =
            OpenGazetteer(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        const std::size_t places =
            opened.compact ? opened.compact->PlaceCount() : opened.sample.size();
        EXPECT_EQ(opened.damaged ? -1 : static_cast<int>(places), count) << path;
        EXPECT_EQ(opened.notice.substr(0, std::wcslen(notice)), notice) << path;
        if (opened.damaged) {
            EXPECT_EQ(opened.damaged->status, kGazetteerDamaged);
            EXPECT_EQ(opened.damaged->text.find(L"Address not found: the gazetteer " +
                                                FileNameOf(path) + L" is"),
                      0u);
        }
    }
}

}  // namespace
}  // namespace mapwell
