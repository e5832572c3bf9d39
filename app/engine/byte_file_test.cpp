#include "app/engine/byte_file.h"
#include "app/testing/test_folder.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

std::vector<std::string> LinesOf(const std::string& bytes, bool* hadMark = nullptr) {
    TestFolder folder;
    TestFolder::Put(folder / "list.csv", bytes);
    ByteFile file(folder / "list.csv", ByteFile::Mode::Read);
    EXPECT_TRUE(file.IsOpen());
    LineReader reader(file.Get());
    const bool mark = reader.SkipUtf8Mark();
    if (hadMark) {
        *hadMark = mark;
    }
    std::vector<std::string> lines;
    do {
        lines.push_back(reader.ReadLine());
    } while (!reader.AtEnd());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EndMarks) {
    // CR LF across the reader's block boundary, and lines longer than a block.
    const std::string first(65535, 'x'), longer(200000, 'y');
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {{"a\r\nb\r\n", {"a", "b"}},
                 {"a\r\nb", {"a", "b"}},
                 {"a\rb\r", {"a", "b"}},
                 {"a\nb\r\nc", {"a\nb", "c"}},
                 {"a\r\n\r\nb", {"a", "", "b"}},
                 {"a\r\n\r\n", {"a", ""}},
                 {"\r\n", {""}},
                 {"", {""}},  // an empty list still gives one pass with an empty line
                 {"\n", {"\n"}},
                 {first + "\r\nb", {first, "b"}},
                 {longer + "\r\n" + longer, {longer, longer}},
                 {"a\r\r\nb", {"a", "", "b"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(LinesOf(c.bytes), c.lines) << c.bytes.substr(0, 20);
    }
}

TEST(LineReader, Utf8MarkIsNoPartOfTheFirstLine) {
    bool mark = false;
    EXPECT_EQ(LinesOf("\xEF\xBB\xBF"
                      "a,b\r\nc",
                      &mark),
              (Lines{"a,b", "c"}));
    EXPECT_TRUE(mark);
    EXPECT_EQ(LinesOf("\xEF\xBB"
                      "a",
                      &mark),
              (Lines{"\xEF\xBB"
                     "a"}));
    EXPECT_FALSE(mark);
    EXPECT_EQ(LinesOf("\xEF\xBB\xBF", &mark), (Lines{""}));
    EXPECT_TRUE(mark);
}

// The column dialog's reading: the engine's lines, decoded as the engine decodes them.
TEST(ReadListHead, DecodesAsTheEngineDoes) {
    const struct {
        std::string bytes;
        int count;
        std::size_t limit;
        std::vector<std::wstring> lines;
    } cases[] = {{"\xEF\xBB\xBFname;M\xC3\xBCller\r\nb\r\nc", 2, 100, {L"name;M\u00FCller", L"b"}},
                 {"M\xFCller\r\n", 20, 100, {L"M\u00FCller"}},
                 {"a\rb\nc\r\n\r\nd", 20, 100, {L"a", L"b\nc", L"", L"d"}},
                 {"abcdef\r\nxyz", 20, 3, {L"abc", L"xyz"}},
                 {"", 20, 100, {}}};
    for (const auto& c : cases) {
        TestFolder folder;
        TestFolder::Put(folder / "list.csv", c.bytes);
        EXPECT_EQ(ReadListHead(folder / "list.csv", c.count, c.limit), c.lines) << c.bytes;
    }
    EXPECT_FALSE(ReadListHead("no-such-list.csv", 1, 100));
}

TEST(ByteFile, AFolderIsNoFile) {
    TestFolder folder;
    EXPECT_FALSE(ByteFile(folder.Path(), ByteFile::Mode::Read).IsOpen());
    EXPECT_FALSE(ByteFile(folder / "missing.csv", ByteFile::Mode::Read).IsOpen());
}

}  // namespace
}  // namespace mapwell
