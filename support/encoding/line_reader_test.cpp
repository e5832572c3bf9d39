#include "support/encoding/line_reader.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

using Lines = std::vector<std::string>;

using namespace std::string_literals;

// The records of `bytes` as the engine reads them, a byte-order mark skipped.
Lines LinesOf(const std::string& bytes, bool* oddLastByte = nullptr) {
    TestFolder folder;
    TestFolder::Put(folder / "list.csv", bytes);
    ByteFile file(folder / "list.csv", ByteFile::Mode::Read);
    EXPECT_TRUE(file.IsOpen());
    LineReader reader(file.Get());
    reader.ReadEncoding();
    reader.SetSeparators({L","});
    Lines lines;
    do {
        lines.push_back(reader.ReadLine());
    } while (!reader.AtEnd());
    if (oddLastByte) {
        *oddLastByte = reader.OddLastByte();
    }
    return lines;
}

TEST(LineReader, EndMarks) {
    // CR LF across the reader's block boundary, and lines longer than a block.
    const std::string first(65535, 'x'), longer(200000, 'y');
    const std::string mark = "\xEF\xBB\xBF", half = "\xEF\xBB";
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb\nc", {"a", "b\nc"}},            // the first line end decides: CR LF
        {"a\nb\r\nc\rd\n", {"a", "b", "c\rd"}},  // LF, a CR before it included
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"", {""}},  // an empty list still gives one pass with an empty line
        {"\n", {""}},
        {first + "\r\nb", {first, "b"}},
        {longer + "\r\n" + longer, {longer, longer}},
        {"a\r\r\nb", {"a", "", "b"}},
        // The UTF-8 mark is no part of the first line; half a mark is.
        {mark + "a,b\r\nc", {"a,b", "c"}},
        {half + "a", {half + "a"}},
        {mark, {""}},
        // UTF-16 is split at its own line ends and handed out in UTF-8: the byte 0x0D of
        // "\u010D" ends no line, a CR LF may straddle two blocks.
        {"\xFF\xFE" + Utf16Of("a\r\n") + "\x0D\x01" + Utf16Of("\rb"), {"a", "\xC4\x8D", "b"}},
        {"\xFE\xFF" + Utf16Of("a\r\nb\nc", true), {"a", "b\nc"}},
        {Utf16Of("a,b\nc\n"), {"a,b", "c"}},  // no mark; LF line ends
        // A quoted cell holds the separator and line breaks; a record then spans lines.
        {"\"x\r\ny\",z\r\nq", {"\"x\r\ny\",z", "q"}},
        {"a,\"x\"\"\ny\"\nq\n", {"a,\"x\"\"\ny\"", "q"}},
        {"a\"b\nc\"\n", {"a\"b", "c\""}},  // not at the start of a cell
        // A stray opening quote: its record is its first line.
        {"\"x\ny\nz", {"\"x", "y", "z"}},
        {"\"x\ny,\"z\"\n", {"\"x", "y,\"z\""}},
        {"\"x" + std::string(20, '\n') + "\"",
         {"\"x", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "\""}},
        {"\xFF\xFE" + Utf16Of(std::string(32766, 'x') + "\r\nb"), {std::string(32766, 'x'), "b"}}};
    for (const auto& c : cases) {
        EXPECT_EQ(LinesOf(c.bytes), c.lines) << c.bytes.substr(0, 20);
    }
    // An odd last byte of UTF-16 is no character and makes no line.
    bool odd = false;
    EXPECT_EQ(LinesOf("\xFF\xFE" + Utf16Of("a\r\nb\r\n") + "x", &odd), (Lines{"a", "b"}));
    EXPECT_TRUE(odd);
    EXPECT_EQ(LinesOf("\xFF\xFE" + Utf16Of("a\r\nb\r\n"), &odd), (Lines{"a", "b"}));
    EXPECT_FALSE(odd);
}

// The column dialog's reading: the engine's lines, decoded as the engine decodes them.
TEST(ReadListHead, DecodesAsTheEngineDoes) {
    const struct {
        std::string bytes;
        int count;
        std::size_t limit;
        std::vector<std::wstring> lines;
    } cases[] = {{"\xEF\xBB\xBFname;M\xC3\xBCller\r\nb\r\nc", 2, 100, {L"name;M\u00FCller", L"b"}},
                 {"\"a;\nb\";c\nd", 20, 100, {L"\"a;\nb\";c", L"d"}},
                 // Windows-1252 is no valid UTF-8: the list stays ANSI.
                 {"M\xFCller\r\n", 20, 100, {L"M\u00FCller"}},
                 {"name;M\xC3\xBCller\r\n", 20, 100, {L"name;M\u00FCller"}},
                 {"\xFE\xFF" + Utf16Of("a\tb", true), 20, 100, {L"a\tb"}},
                 {"a\rb\nc\r\n\r\nd", 20, 100, {L"a", L"b\nc", L"", L"d"}},
                 {"a\nb\r\nc", 20, 100, {L"a", L"b", L"c"}},
                 // The first letter beyond ASCII well past the reader's first block.
                 {std::string(70000, 'a') + "\r\nM\xC3\xBCller",
                  2,
                  100,
                  {std::wstring(100, L'a'), L"M\u00FCller"}},
                 {"abcdef\r\nxyz", 20, 3, {L"abc", L"xyz"}},
                 {"", 20, 100, {}}};
    for (const auto& c : cases) {
        TestFolder folder;
        TestFolder::Put(folder / "list.csv", c.bytes);
        EXPECT_EQ(ReadListHead(folder / "list.csv", c.count, c.limit, {L",", L";"}), c.lines)
            << c.bytes;
    }
    EXPECT_FALSE(ReadListHead("no-such-list.csv", 1, 100, {}));
}

}  // namespace
}  // namespace mapwell
