#include "app/engine/convert_engine.h"
#include "app/engine/fake_surroundings.h"
#include "app/testing/test_folder.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

const std::string kMax = "Max,Muster,Hauptstr. 5a,10115,12345 Berlin,DE";
const std::string kEva = "Eva,Frau,Am Ring,20095,Hamburg,DE";
const std::string kAppendix = ",\"52.5\",\"13.4\"\r\n";

class ConvertEngine : public ::testing::Test {
protected:
    void SetUp() override {
        NavLink = NavLinkInfo{};
        NavLink.LinkState = 1;  // a navigation program has announced itself
        s.destination = (folder / "out.txt").wstring();
        s.SaveUsualProfile();
    }
    // Each run starts linked (or not): a found reply leaves LinkState 0 until the detection
    // timer announces again, which these tests stand in for.
    bool Convert(const std::string& list, const std::wstring& profile = L"kunden") {
        NavLink.LinkState = linked ? 1 : 0;
        TestFolder::Put(folder / "list.csv", list);
        return OpenAddList((folder / "list.csv").wstring(), profile, s);
    }
    std::string Result() const { return TestFolder::Get(folder / "out.txt"); }
    std::string ErrorList() const { return TestFolder::Get(folder / "ConvertError.txt"); }
    bool HasErrorList() const { return std::filesystem::exists(folder / "ConvertError.txt"); }

    TestFolder folder;
    FakeSurroundings s;
    bool linked = true;
};

TEST_F(ConvertEngine, FoundLinesAreWrittenAsTheyCome) {
    EXPECT_TRUE(Convert(kMax + "\r\n" + kEva + "\r\n"));
    EXPECT_EQ(Result(), kMax + kAppendix + kEva + kAppendix);
    EXPECT_EQ(s.infos.front(), L"Start asking Navigon for coordinates..");
    EXPECT_EQ(s.LastInfo(), L"Converting of 2 completed without errors.");
    EXPECT_EQ(s.infos.size(), 2u);  // successful lines show no progress
    EXPECT_EQ(s.sleeps, std::vector<int>{1000});
    EXPECT_FALSE(HasErrorList());
    // The route was chosen once: the found replies leave LinkState 0, yet both lines were sent.
    EXPECT_EQ(s.requests.size(), 2u);
}

TEST_F(ConvertEngine, AFailedLineIsShownAndListed) {
    s.answer = [](const AddressRequest& r) {
        return r.City == L"Hamburg" ? NotFound() : FakeReply{};
    };
    EXPECT_TRUE(Convert(kMax + "\r\n" + kEva + "\r\n"));
    EXPECT_EQ(Result(), kMax + kAppendix);
    EXPECT_EQ(ErrorList(), kEva + "\r\n");
    ASSERT_EQ(s.infos.size(), 3u);
    EXPECT_EQ(s.infos[1],
              L"Error get coordinate for Addressindex 2 - Eva Frau\r\nAddress not found(3)");
    EXPECT_EQ(s.LastInfo(), L"Converting: 1 of 2\r\nFailed items are saved in ConvertError.txt");
    EXPECT_EQ(s.sleeps, (std::vector<int>{1000, 1000}));
    // The list grows across runs.
    Convert(kEva);
    EXPECT_EQ(ErrorList(), kEva + "\r\n" + kEva + "\r\n");
}

TEST_F(ConvertEngine, TheWaitForAReply) {
    const struct {
        int afterPauses;
        int pauses;
        bool found;
    } cases[] = {
        {0, 1, true},     {1, 1, true},      {5, 5, true},
        {201, 201, true}, {202, 201, false}, {-1, 201, false},
    };
    for (const auto& c : cases) {
        s.pauses = s.pausedMs = 0;
        s.answer = [&](const AddressRequest&) { return FakeReply{.AfterPauses = c.afterPauses}; };
        NavLink.ReplyText = L"earlier reply";
        EXPECT_EQ(Convert(kMax), c.found);
        EXPECT_EQ(s.pauses, c.pauses) << c.afterPauses;
        EXPECT_EQ(s.pausedMs, 10 * c.pauses);
        if (!c.found) {
            // The message shows what the last reply left behind.
            EXPECT_EQ(s.infos[s.infos.size() - 2],
                      L"Error get coordinate for Addressindex 1 - Max Muster\r\nearlier reply(1)");
        }
    }
}

TEST_F(ConvertEngine, AnAnnouncementAfterTheReplyDoesNotUndoIt) {
    s.announceAfterReply = true;
    s.answer = [](const AddressRequest& r) {  // late: announced in the same pause
        return FakeReply{.AfterPauses = r.City == L"Hamburg" ? 3 : 0};
    };
    EXPECT_TRUE(Convert(kMax + "\r\n" + kEva));
    EXPECT_EQ(Result(), kMax + kAppendix + kEva + kAppendix);
    EXPECT_EQ(s.LastInfo(), L"Converting of 2 completed without errors.");
    EXPECT_EQ(NavLink.LinkState, 1);
}

TEST_F(ConvertEngine, RequestFieldsAreSetAfreshForEveryLine) {
    Convert(kMax + "\r\nEva,Frau,Am Ring\r\n\r\n");
    ASSERT_EQ(s.requests.size(), 3u);
    EXPECT_EQ(s.requests[0], (AddressRequest{L"DE", L"10115", L"Berlin", L"Hauptstr. 5a", L"5a"}));
    EXPECT_EQ(s.requests[1], (AddressRequest{L"", L"", L"", L"Am Ring", L""}));
    EXPECT_EQ(s.requests[2], AddressRequest{});
    EXPECT_EQ(NavLink.Street, L"");
}

TEST_F(ConvertEngine, AFoundLineWithoutStreetAndCityIsListed) {
    EXPECT_TRUE(Convert(kMax + "\r\n\r\nOtto,Kurz,,53111,,DE"));
    EXPECT_EQ(Result(), kMax + kAppendix);
    EXPECT_EQ(ErrorList(), "\r\nOtto,Kurz,,53111,,DE\r\n");
    EXPECT_EQ(s.infos[1], L"Error get coordinate for Addressindex 2 - \r\nfound(0)");
    EXPECT_EQ(s.LastInfo(), L"Converting: 1 of 3\r\nFailed items are saved in ConvertError.txt");
}

// The format in force is written, its coordinates in the regional separator turned by TxtSep.
TEST_F(ConvertEngine, TheFormatInForceIsWritten) {
    s.format = OutputFormat::Poi;
    s.decimal = L",";
    s.txtSep = L",";
    Convert(kMax);
    EXPECT_EQ(Result(), "52,5,13,4,\"Max Muster - Hauptstr. 5a 10115 12345 Berlin, \"\r\n");
    s.format = OutputFormat::None;
    EXPECT_TRUE(Convert(kMax));
    EXPECT_EQ(Result(), "");
}

TEST_F(ConvertEngine, AMissingSourceKeepsTheDestination) {
    TestFolder::Put(folder / "out.txt", "earlier result");
    const std::wstring missing = (folder / "missing.csv").wstring();
    EXPECT_FALSE(OpenAddList(missing, L"kunden", s));
    EXPECT_EQ(s.infos, std::vector<std::wstring>{L"Can't open source-file " + missing});
    EXPECT_EQ(Result(), "earlier result");
    EXPECT_TRUE(s.requests.empty());
    // The next list of a batch converts as usual.
    EXPECT_TRUE(Convert(kMax));
    EXPECT_EQ(Result(), kMax + kAppendix);
}

TEST_F(ConvertEngine, AMissingProfileOrDestinationStopsBeforeTheFirstLine) {
    SaveProfile(s.store, L"names", {0, 1, -1, 3, -1, 5, -1, -1}, L",");  // no Street, no City
    const std::wstring noFolder = (folder / "no-such-folder" / "out.txt").wstring();
    const struct {
        const wchar_t* profile;
        std::wstring destination, info;
        std::string result;  // the destination holds the heading that came before the profile
    } cases[] = {
        {L"kunden", noFolder, L"Can't create destination-file " + noFolder, ""},
        {L"other", s.destination, L"Error by reading registry", CsvHeaderLine()},
        {L"names", s.destination, L"Error by reading registry", CsvHeaderLine()},
    };
    s.format = OutputFormat::Csv;
    for (const auto& c : cases) {
        s.destination = c.destination;
        EXPECT_FALSE(Convert(kMax, c.profile));
        EXPECT_EQ(s.LastInfo(), c.info);
        EXPECT_EQ(Result(), c.result);
        EXPECT_TRUE(s.requests.empty());
    }
    // Street and City in the same column is a profile like any other.
    SaveProfile(s.store, L"same", {-1, -1, 0, -1, 0, -1, -1, -1}, L",");
    EXPECT_TRUE(Convert("Berlin", L"same"));
}

TEST_F(ConvertEngine, TheErrorListLiesBesideADestinationTypedWithoutFolder) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    s.destination = L"out.txt";
    s.answer = [](const AddressRequest&) { return NotFound(); };
    const std::string ansi = "M\xfcller,\"X\",Weg 1,10115,Berlin,DE";  // listed byte for byte
    Convert(ansi);
    std::filesystem::current_path(before);
    EXPECT_EQ(ErrorList(), ansi + "\r\n");
}

TEST_F(ConvertEngine, AnErrorListThatCannotBeWrittenIsReportedOnBothRoutes) {
    std::filesystem::create_directory(folder / "ConvertError.txt");
    s.answer = [](const AddressRequest&) { return NotFound(); };
    Convert(kMax);
    ASSERT_EQ(s.infos.size(), 4u);
    EXPECT_EQ(s.infos[2], L"Can't write ConvertError.txt");
    EXPECT_EQ(s.LastInfo(), L"Converting: 0 of 1\r\nCan't write ConvertError.txt");
    linked = false;  // the page brings nothing back
    Convert(kMax);
    EXPECT_EQ(s.LastInfo(), L"Converting: 0 of 1\r\nCan't write ConvertError.txt");
}

TEST_F(ConvertEngine, StopEndsTheRunWithTheConvertedLinesOnDisk) {
    s.stopAfterEventPasses = 3;  // during the third line's wait
    Convert(kMax + "\r\n" + kEva + "\r\n" + kMax + "\r\n" + kEva);
    EXPECT_EQ(s.requests.size(), 3u);
    EXPECT_EQ(Result(), kMax + kAppendix + kEva + kAppendix);
    EXPECT_TRUE(s.sleeps.empty());
    EXPECT_EQ(s.LastInfo(), L"Start asking Navigon for coordinates..");
}

TEST_F(ConvertEngine, StopDuringAFailedLineKeepsItsEntry) {
    s.answer = [](const AddressRequest&) { return NotFound(); };
    s.stopAfterEventPasses = 2;  // the pass after the message
    Convert(kMax + "\r\n" + kEva);
    EXPECT_EQ(s.requests.size(), 1u);
    EXPECT_EQ(ErrorList(), kMax + "\r\n");
    EXPECT_TRUE(s.sleeps.empty());
}

TEST_F(ConvertEngine, WebRouteCollectsTheLines) {
    linked = false;
    s.webImported = 2;
    EXPECT_TRUE(Convert(kMax + "\r\n\r\n" + kEva + "\r\n"));
    EXPECT_TRUE(s.requests.empty());
    ASSERT_TRUE(s.web.has_value());
    EXPECT_EQ(s.web->Count(), 2);
    EXPECT_EQ(s.web->ClipText(), L"Address\tCity\tZipcode\tState\tDescription\r\n"
                                 L"Hauptstr. 5a\t12345 Berlin\t10115\t\t1\r\n"
                                 L"Am Ring\tHamburg\t20095\t\t2\r\n");
    EXPECT_EQ(s.infos[1], L"Error get coordinate for Addressindex 2 - \r\n(1)");
    EXPECT_EQ(ErrorList(), "\r\n");
    EXPECT_EQ(Result(), kMax + ",\"1\",\"2\"\r\n" + kEva + ",\"1\",\"2\"\r\n");
    EXPECT_EQ(s.LastInfo(), L"Converting: 2 of 3\r\nFailed items are saved in ConvertError.txt");
    EXPECT_EQ(NavLink.LinkState, 0);
}

TEST_F(ConvertEngine, AUtf8ListIsReadAsUtf8) {
    const std::string line = "Max,M\xC3\xBCller,Stra\xC3\x9F"
                             "e 1,10115,Berlin";
    Convert("\xEF\xBB\xBF" + line + "\r\n");
    EXPECT_EQ(Result(), line + kAppendix);
    EXPECT_EQ(s.requests.at(0).Street, L"Stra\u00DFe 1");
}

}  // namespace
}  // namespace mapwell
