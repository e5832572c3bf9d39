#include "app/engine/error_list.h"
#include "app/testing/test_folder.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

TEST(ErrorListFile, AppendsRawLinesWithLineEndsToWhatIsThere) {
    TestFolder folder;
    const auto path = folder / "ConvertError.txt";
    TestFolder::Put(path, "earlier run\r\n");
    ErrorListFile list(path);
    list.Append("M\xfcller;\"Hauptstr. 5a\";Berlin");
    list.Append("");
    EXPECT_EQ(TestFolder::Get(path), "earlier run\r\nM\xfcller;\"Hauptstr. 5a\";Berlin\r\n\r\n");
    EXPECT_FALSE(list.Lost());
}

TEST(ErrorListFile, CreatesTheListAndTellsWhenAnEntryCouldNotBeWritten) {
    TestFolder folder;
    ErrorListFile fresh(folder / "ConvertError.txt");
    fresh.Append("a");
    EXPECT_EQ(TestFolder::Get(folder / "ConvertError.txt"), "a\r\n");

    ErrorListFile blocked(folder.Path());  // a folder cannot take an entry
    blocked.Append("a");
    EXPECT_TRUE(blocked.Lost());
}

}  // namespace
}  // namespace mapwell
