// Files as plain bytes, opened by wide path on Windows and by the native path elsewhere, and the
// one reader of a source list's lines, used by the conversion engine and the column dialog
// alike, so that both see the same lines and the same characters. Platform-neutral.
#pragma once

#include "support/list_encoding.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// An open file, closed when it goes out of scope.
class ByteFile {
public:
    enum class Mode { Read, Create, Append };
    ByteFile(const std::filesystem::path& path, Mode mode);
    ByteFile(const ByteFile&) = delete;
    ByteFile& operator=(const ByteFile&) = delete;
    ~ByteFile();

    bool IsOpen() const { return file_ != nullptr; }
    std::FILE* Get() const { return file_; }
    bool Write(std::string_view bytes);
    // Closes now; false when buffered bytes could not be written.
    bool Close();

private:
    std::FILE* file_ = nullptr;
};

// Lines of a source list: a line ends at CR LF or at a lone CR; a lone LF belongs to the line;
// a last line without an end mark is a line too. A UTF-16 list is split at its own CR and LF
// characters and its lines are handed out in UTF-8. Reads in blocks, so a list of any length
// needs memory for one line only.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file), block_(kEncodingHead) {}
    // At the start of a list: decides how it is written, from its first bytes, and passes over
    // its byte-order mark. Without this call the list is read as ANSI.
    SourceEncoding ReadEncoding();
    SourceEncoding Encoding() const { return encoding_; }
    // The next line without its end mark, cut to its first `limit` bytes; "" at the end of the
    // list.
    std::string ReadLine(std::size_t limit = std::string::npos);
    // True once the end of the list has been reached.
    bool AtEnd();

private:
    bool Fill();  // false at the end of the list
    std::string ReadUtf16Line(std::size_t limit);
    bool NextUnit(char16_t& unit);  // false at the end of the list
    std::FILE* file_;
    std::vector<char> block_;
    std::size_t pos_ = 0, size_ = 0;
    bool eof_ = false;
    SourceEncoding encoding_ = SourceEncoding::Ansi;
    std::optional<char16_t> pendingUnit_;  // read after a CR that it did not end
};

// The whole file in one read; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// `path` made absolute against the current folder; `path` itself when that fails.
std::wstring FullPathOf(const std::wstring& path);

// The first `count` lines of the list at `path`, decoded, each cut to its first `lineLimit`
// bytes; nothing when the list cannot be opened.
std::optional<std::vector<std::wstring>> ReadListHead(const std::filesystem::path& path, int count,
                                                      std::size_t lineLimit);

}  // namespace mapwell
