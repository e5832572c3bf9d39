#include "app/engine/batch.h"
#include "app/engine/destination.h"
#include "support/text.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

// A path, a second value (the base name expected, the extension, or the batch's source), and the
// path expected.
struct Case {
    const wchar_t* path;
    const wchar_t* second;
    const wchar_t* expected;
};

TEST(Destination, TheProposalAndTheBaseNameReplaceTheExtensionOrKeepANameWithoutOne) {
    const Case cases[] = {{L"C:\\data\\kunden.csv", L"kunden", L"C:\\data\\kunden_Geo.txt"},
                          {L"name.csv", L"name", L"name_Geo.txt"},
                          {L"C:\\data\\listdata", L"listdata", L"C:\\data\\listdata_Geo.txt"},
                          {L"C:\\data\\list.text", L"list", L"C:\\data\\list_Geo.txt"},
                          {L"C:\\my.dir\\list", L"list", L"C:\\my.dir\\list_Geo.txt"},
                          {L"C:\\data\\a.b.csv", L"a.b", L"C:\\data\\a.b_Geo.txt"}};
    for (const auto& c : cases) {
        EXPECT_EQ(BaseNameOf(c.path), c.second) << c.path;
        EXPECT_EQ(ProposeDestination(c.path), c.expected) << c.path;
    }
}

TEST(Destination, AnOutputFormatReplacesOrAppendsTheExtension) {
    const Case cases[] = {{L"C:\\data\\kunden_Geo.txt", L".asc", L"C:\\data\\kunden_Geo.asc"},
                          {L"C:\\data\\kunden_Geo.asc", L".csv", L"C:\\data\\kunden_Geo.csv"},
                          // No extension: appended, never four characters cut off.
                          {L"C:\\out", L".asc", L"C:\\out.asc"},
                          {L"C:\\my.dir\\result", L".csv", L"C:\\my.dir\\result.csv"},
                          {L"ab", L".txt", L"ab.txt"},
                          {L"C:\\data\\list.backup", L".txt", L"C:\\data\\list.txt"},
                          {L"", L".asc", L""}};
    for (const auto& c : cases) {
        EXPECT_EQ(WithExtension(c.path, c.second), c.expected) << c.path;
    }
}

TEST(Destination, EveryFileOfABatchGetsItsOwnResult) {
    const Case cases[] = {
        {L"C:\\data\\a_Geo.txt", L"C:\\data\\b.csv", L"C:\\data\\b_Geo.txt"},
        {L"D:\\out\\result.asc", L"C:\\data\\kunden.csv", L"D:\\out\\kunden_Geo.asc"},
        {L"D:\\out\\result", L"C:\\data\\kunden.csv", L"D:\\out\\kunden_Geo"},
        {L"result.csv", L"C:\\data\\c.csv", L"c_Geo.csv"}};
    for (const auto& c : cases) {
        EXPECT_EQ(BatchDestination(c.path, c.second), c.expected) << c.second;
    }
}

TEST(Batch, TheOpenDialogsAnswerIsSplitAtNulAndJoined) {
    using V = std::vector<std::wstring>;
    const std::wstring multi(L"C:\\data\0a.csv\0b.csv\0c.csv\0\0", 27);
    EXPECT_EQ(SplitSelection(multi), (V{L"C:\\data", L"a.csv", L"b.csv", L"c.csv"}));
    EXPECT_EQ(SplitSelection(std::wstring(L"C:\\data\\a.csv\0\0", 15)), (V{L"C:\\data\\a.csv"}));
    EXPECT_EQ(SplitSelection(L""), V{});
    // The open dialog's folder of a drive's root already ends in a backslash.
    EXPECT_EQ(JoinPath(L"C:\\", L"a.csv"), L"C:\\a.csv");
}

}  // namespace
}  // namespace mapwell
