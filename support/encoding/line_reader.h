// The one reader of a source list's lines, used by the conversion engine and the column dialog
// alike, so that both see the same lines and the same characters. Platform-neutral.
#pragma once

#include "support/byte_file.h"
#include "support/encoding/list_encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The records of a source list, as a spreadsheet saves them. A list whose first line end (outside
// quotes) is LF alone has LF line ends: a record ends at LF, a CR before it included. Any other
// list keeps CR LF rules: a record ends at CR LF or at a lone CR, and a lone LF belongs to it. A
// cell that begins with a double quote runs to its closing quote (`""` inside it is one quote),
// and the separator, CR and LF inside it belong to the cell, so that such a record spans lines.
// A quoted cell that holds a line break but is never closed, or is followed by anything but a
// separator or a line end, was no quoted cell: the record is read again as its first line alone.
// A last record without an end mark is a record too. A UTF-16 list is read in its own units and
// its records are handed out in UTF-8. Reads in blocks, so a list of any length needs memory for
// one record only.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file), block_(kBlockSize) { SetSeparators({}); }
    // At the start of a list: decides how it is written (from its mark or first line, else from
    // all of its bytes) and passes over its byte-order mark. Without this call the list is read
    // as ANSI.
    SourceEncoding ReadEncoding();
    SourceEncoding Encoding() const { return encoding_; }
    // The texts after which a double quote opens a quoted cell, besides the start of a record:
    // the list's separator, or every one it may have. None: only a record's first cell.
    void SetSeparators(const std::vector<std::wstring>& separators);
    // The next record without its end mark, cut to its first `limit` bytes; "" at the end of the
    // list.
    std::string ReadLine(std::size_t limit = std::string::npos);
    // True once the end of the list has been reached.
    bool AtEnd();
    // The line of the file, counted from 1, on which the record last read begins; every line
    // break counts, those inside quoted cells too.
    long long LineNumber() const { return recordLine_; }
    // A UTF-16 list whose last byte is no character: that byte was left out.
    bool OddLastByte() const { return oddLastByte_; }

    static constexpr std::size_t kBlockSize = 64 * 1024;

private:
    enum class LineEnds { Unknown, CrLf, Lf };
    bool Fill();                    // false at the end of the list
    bool TakeUnit(char32_t& unit);  // false at the end of the list
    bool PeekIs(char32_t unit);     // takes the next unit when it is `unit`
    bool Utf16() const;
    bool AfterSeparator(const std::u32string& kept) const;
    // One record; false when a quoted cell turned out to be none.
    bool ReadRecord(std::u32string& units, std::size_t limit, bool quotes);
    void SeekTo(long long offset);
    std::string Encode(const std::u32string& units, std::size_t limit) const;

    std::FILE* file_;
    std::vector<char> block_;
    std::size_t pos_ = 0, size_ = 0;
    long long blockStart_ = 0;  // the file offset of block_[0]
    bool eof_ = false;
    SourceEncoding encoding_ = SourceEncoding::Ansi;
    LineEnds lineEnds_ = LineEnds::Unknown;
    std::vector<std::u32string> separators_;  // in the list's own units
    std::vector<std::wstring> separatorTexts_;
    bool quickRuns_ = true;
    std::array<bool, 256> stopByte_{};
    std::optional<char32_t> pending_;  // a unit looked at and not taken
    long long nextLine_ = 1, recordLine_ = 0;
    bool oddLastByte_ = false;
};

// The first `count` records of the list at `path`, decoded, each cut to its first `lineLimit`
// bytes; nothing when the list cannot be opened. A double quote after any of `separators` opens a
// quoted cell.
std::optional<std::vector<std::wstring>> ReadListHead(const std::filesystem::path& path, int count,
                                                      std::size_t lineLimit,
                                                      const std::vector<std::wstring>& separators);

}  // namespace mapwell
