// Files as plain bytes, opened by wide path on Windows and by the native path elsewhere, and the
// reader that cuts a source list into lines. Platform-neutral.
#pragma once

#include "app/output_format.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
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

// The result file of a run: created anew, replacing an existing file.
class FileResultFile : public ResultFile {
public:
    explicit FileResultFile(const std::filesystem::path& path)
        : file_(path, ByteFile::Mode::Create) {}
    bool IsOpen() const { return file_.IsOpen(); }
    bool Write(std::string_view bytes) override { return file_.Write(bytes); }
    bool Close() { return file_.Close(); }

private:
    ByteFile file_;
};

// Lines of a source list: a line ends at CR LF or at a lone CR; a lone LF belongs to the line;
// a last line without an end mark is a line too. Reads in blocks, so a list of any length
// needs memory for one line only.
class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file), block_(1 << 16) {}
    // The next line without its end mark; "" at the end of the list.
    std::string ReadLine();
    // True once the end of the list has been reached.
    bool AtEnd();
    // At the start of a list: passes over a UTF-8 byte-order mark and tells whether there was one.
    bool SkipUtf8Mark();

private:
    bool Fill();  // false at the end of the list
    std::FILE* file_;
    std::vector<char> block_;
    std::size_t pos_ = 0, size_ = 0;
    bool eof_ = false;
};

}  // namespace mapwell
