#include "app/batch.h"
#include "app/destination.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(Destination, ProposalAlwaysEndsInGeoTxt) {
    EXPECT_EQ(ProposeDestination(L"C:\\data\\kunden.csv"), L"C:\\data\\kunden_Geo.txt");
}

TEST(Destination, AnOutputFormatReplacesOrAppendsTheExtension) {
    struct Case {
        const wchar_t* destination;
        const wchar_t* extension;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\data\\kunden_Geo.txt", L".asc", L"C:\\data\\kunden_Geo.asc"},
        {L"C:\\data\\kunden_Geo.asc", L".csv", L"C:\\data\\kunden_Geo.csv"},
        // No extension: appended, never four characters cut off.
        {L"C:\\out", L".asc", L"C:\\out.asc"},
        {L"C:\\my.dir\\result", L".csv", L"C:\\my.dir\\result.csv"},
        {L"ab", L".txt", L"ab.txt"},
        {L"C:\\data\\list.backup", L".txt", L"C:\\data\\list.txt"},
        {L"", L".asc", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithExtension(c.destination, c.extension), c.expected) << c.destination;
    }
}

TEST(Destination, EveryFileOfABatchGetsItsOwnResult) {
    struct Case {
        const wchar_t* destination;
        const wchar_t* source;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\data\\a_Geo.txt", L"C:\\data\\b.csv", L"C:\\data\\b_Geo.txt"},
        {L"D:\\out\\result.asc", L"C:\\data\\kunden.csv", L"D:\\out\\kunden_Geo.asc"},
        {L"D:\\out\\result", L"C:\\data\\kunden.csv", L"D:\\out\\kunden_Geo"},
        {L"result.csv", L"C:\\data\\c.csv", L"c_Geo.csv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BatchDestination(c.destination, c.source), c.expected) << c.source;
    }
    EXPECT_NE(BatchDestination(L"C:\\d\\a_Geo.txt", L"C:\\d\\a.csv"),
              BatchDestination(L"C:\\d\\a_Geo.txt", L"C:\\d\\b.csv"));
}

TEST(Batch, TheOpenDialogsAnswerIsSplitAtNul) {
    using V = std::vector<std::wstring>;
    const std::wstring multi(L"C:\\data\0a.csv\0b.csv\0c.csv\0\0", 27);
    EXPECT_EQ(SplitSelection(multi), (V{L"C:\\data", L"a.csv", L"b.csv", L"c.csv"}));
    EXPECT_EQ(SplitSelection(std::wstring(L"C:\\data\\a.csv\0\0", 15)), (V{L"C:\\data\\a.csv"}));
    EXPECT_EQ(SplitSelection(L""), V{});
}

TEST(Batch, PathsAndCaption) {
    EXPECT_EQ(JoinPath(L"C:\\data", L"a.csv"), L"C:\\data\\a.csv");
    EXPECT_EQ(JoinPath(L"C:\\", L"a.csv"), L"C:\\a.csv");
    EXPECT_EQ(BatchCaption(L"Mapwell", 1, 3), L"Mapwell - file 1 of 3");
}

}  // namespace
}  // namespace mapwell
