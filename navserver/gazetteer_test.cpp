#include "navserver/gazetteer_open.h"
#include "navserver/place_matcher.h"
#include "navserver/sample_places.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <tuple>

namespace mapwell {
namespace {

std::vector<std::uint8_t> BytesOf(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The sample list as the build makes it into a gazetteer, and as the stand-in then answers.
TEST(SampleGazetteer, FindsItsPlacesByZipOrNameAndPassesOverBrokenLines) {
    const std::vector<GazetteerPlace> places =
        ReadSamplePlaces("# comment\r\n"
                         "\r\n"
                         "DE;10115;Berlin;52.5323;13.3846\r\n"
                         " AT ; 1010 ; Wien ; 48.2 ; 16.3 \n"
                         "DE;80331;M\xFCnchen;48.1;11.5\n"
                         "DE;99999;Nowhere;north;11\n"
                         "DE;12345;Short;1\n"
                         "DE;;Hamburg;53.5503;10.0006");
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(ZipOf(places[1]), "1010");
    EXPECT_EQ(ZipOf(places[3]), "");
    const auto file = GazetteerFile::Read(BytesOf(WriteGazetteerFile(places, "sample")));
    ASSERT_TRUE(file);
    PlaceMatcher matcher(*file);
    // country, zip, city, the place found (empty: none)
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
        {L"", L"10115", L"", L"Berlin"},  {L"D", L"", L"Muenchen", L"M\u00FCnchen"},
        {L"", L"1010", L"", L"Wien"},     {L"", L"", L"hamburg", L"Hamburg"},
        {L"", L"99999", L"Nowhere", L""}, {L"", L"12345", L"Short", L""},
    };
    for (const auto& [country, zip, city, found] : cases) {
        const PlaceMatch match = matcher.Match(country, zip, city);
        EXPECT_EQ(match.status == 0 ? match.place.city : L"", found) << zip << L" " << city;
    }
    EXPECT_EQ(matcher.Match(L"", L"10115", L"").place.latitude, 52.5323f);
}

TEST(OpenGazetteer, AnythingButAWholeGazetteerIsNamedDamaged) {
    const std::string compact =
        WriteGazetteerFile({{52.5f, 13.4f, 1, "Berlin", "DE", {"berlin"}, {}}}, "c");
    // path, file bytes, places read (-1: damaged), the damage notice begins
    const std::tuple<const wchar_t*, std::string, int, const wchar_t*> cases[] = {
        {L"C:\\maps\\gazetteer.dat", compact, 1, L""},
        {L"C:\\maps\\places.bin", compact, 1, L""},
        {L"C:\\maps\\gazetteer.dat", "", -1, L"The gazetteer C:\\maps\\gazetteer.dat is empty"},
        {L"C:\\maps\\gazetteer.DAT", compact.substr(0, compact.size() - 1), -1,
         L"The gazetteer C:\\maps\\gazetteer.DAT is damaged."},
        {L"C:\\maps\\places.txt", "DE;10115;Berlin;52.5;13.4\n", -1,
         L"The gazetteer C:\\maps\\places.txt is damaged."},
        {L"C:\\maps\\places.txt", compact + "x", -1,
         L"The gazetteer C:\\maps\\places.txt is damaged."},
    };
    for (const auto& [path, bytes, count, notice] : cases) {
        const OpenedGazetteer opened = OpenGazetteer(path, BytesOf(bytes));
        EXPECT_EQ(opened.compact ? static_cast<int>(opened.compact->PlaceCount()) : -1, count)
            << path;
        EXPECT_EQ(opened.notice.substr(0, std::wcslen(notice)), notice) << path;
        ASSERT_EQ(opened.damaged.has_value(), !opened.compact) << path;
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
