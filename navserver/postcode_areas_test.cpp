#include "navserver/postcode_areas.h"

#include "navserver/place_name.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mapwell {
namespace {

TEST(PostcodeAreas, ReadsAnObjectOfPostcodesAndTheirTownsAndNothingElse) {
    const auto areas = ReadPostcodeAreas(
        R"({"01067":["Dresden"], "80331" : [ "M\u00fcnchen", "Gr\u00FCnwald" ]})");
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[1].postcode, "80331");
    EXPECT_EQ(areas[1].towns, (std::vector<std::wstring>{L"M\u00FCnchen", L"Gr\u00FCnwald"}));
    for (const char* broken :
         {"", "[]", R"({"01067":["Dresden"])", R"({"01067":"Dresden"})", R"({"01067":["D\q"]})"}) {
        EXPECT_TRUE(ReadPostcodeAreas(broken).empty()) << broken;
    }
}

TEST(PostcodeAreas, APostcodeGoesToTheTownOfItsNameInItsRegion) {
    const auto town = [](const char* iso2, const wchar_t* name, float latitude, float longitude) {
        return GazetteerPlace{latitude, longitude, 1000, "", iso2, {PlaceKey(name)}, {}};
    };
    std::vector<GazetteerPlace> places = {
        town("DE", L"Altenstadt", 50.3f, 9.0f),
        town("DE", L"Altenstadt", 47.8f, 10.9f),
        town("AT", L"Altenstadt", 47.4f, 10.9f),
        town("DE", L"Schongau", 47.8f, 10.9f),
        town("DE", L"Hohenfurch", 47.85f, 10.9f),
        town("DE", L"Untermeitingen", 48.15f, 10.8f),
        town("DE", L"Fischach", 48.3f, 10.65f),
        // A town of the same name as one that the post names, far from that one's region.
        town("DE", L"Graben", 53.0f, 10.0f),
    };
    const std::vector<PostcodeArea> areas = {
        {"86956", {L"Schongau"}},
        {"86978", {L"Hohenfurch"}},
        {"86972", {L"Altenstadt"}},
        {"86836", {L"Graben", L"Untermeitingen"}},
        {"86850", {L"Fischach"}},
        // Two merged towns, the data knowing only the first.
        {"86957", {L"Schongau-Erbenschwang"}},
    };
    EXPECT_EQ(FilePostcodes(places, areas, "DE"), 6u);
    const std::vector<std::vector<std::string>> postcodes = {
        {}, {"=86972"}, {}, {"=86956", "=86957"}, {"=86978"}, {"=86836"}, {"=86850"}, {},
    };
    EXPECT_EQ(places[3].alternateKeys, std::vector<std::string>{"schongau erbenschwang"});
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(std::vector<std::string>(places[i].keys.begin() + 1, places[i].keys.end()),
                  postcodes[i])
            << i;
    }
}

}  // namespace
}  // namespace mapwell
