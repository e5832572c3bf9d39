#include "support/byte_file.h"

#include "support/codepage.h"

#include <algorithm>

namespace mapwell {

namespace {

std::FILE* OpenPath(const std::filesystem::path& path, ByteFile::Mode mode) {
#ifdef _WIN32
    const wchar_t* how = mode == ByteFile::Mode::Read     ? L"rb"
                         : mode == ByteFile::Mode::Create ? L"wb"
                                                          : L"ab";
    return _wfopen(path.c_str(), how);
#else
    const char* how = mode == ByteFile::Mode::Read     ? "rb"
                      : mode == ByteFile::Mode::Create ? "wb"
                                                       : "ab";
    return std::fopen(path.c_str(), how);
#endif
}

}  // namespace

ByteFile::ByteFile(const std::filesystem::path& path, Mode mode) {
    // A folder opens as a file on some systems; it is never a list or a result.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        return;
    }
    file_ = OpenPath(path, mode);
}

ByteFile::~ByteFile() {
    Close();
}

bool ByteFile::Write(std::string_view bytes) {
    return file_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool ByteFile::Close() {
    if (!file_) {
        return false;
    }
    const bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

bool LineReader::Fill() {
    if (pos_ < size_) {
        return true;
    }
    if (eof_ || !file_) {
        eof_ = true;
        return false;
    }
    size_ = std::fread(block_.data(), 1, block_.size(), file_);
    pos_ = 0;
    if (size_ == 0) {
        eof_ = true;
        return false;
    }
    return true;
}

bool LineReader::AtEnd() {
    return !Fill();
}

bool LineReader::SkipUtf8Mark() {
    if (!Fill() || size_ - pos_ < 3 || block_[pos_] != '\xEF' || block_[pos_ + 1] != '\xBB' ||
        block_[pos_ + 2] != '\xBF') {
        return false;
    }
    pos_ += 3;
    return true;
}

std::string LineReader::ReadLine(std::size_t limit) {
    std::string line;
    // Bytes beyond the limit are passed over, not kept.
    auto keep = [&](const char* from, const char* to) {
        line.append(from, std::min(static_cast<std::size_t>(to - from), limit - line.size()));
    };
    while (Fill()) {
        const char* start = block_.data() + pos_;
        const char* end = block_.data() + size_;
        const char* cr = static_cast<const char*>(std::memchr(start, '\r', end - start));
        if (!cr) {
            keep(start, end);
            pos_ = size_;
            continue;
        }
        keep(start, cr);
        pos_ = static_cast<std::size_t>(cr - block_.data()) + 1;
        // The LF of a CR LF may lie in the next block.
        if (Fill() && block_[pos_] == '\n') {
            ++pos_;
        }
        return line;
    }
    return line;
}

std::wstring DecodeListLine(std::string_view rawLine, SourceEncoding encoding) {
    return encoding == SourceEncoding::Utf8 ? Utf8ToWide(rawLine) : AnsiToWide(rawLine);
}

std::optional<std::vector<std::wstring>> ReadListHead(const std::filesystem::path& path, int count,
                                                      std::size_t lineLimit) {
    ByteFile file(path, ByteFile::Mode::Read);
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    LineReader reader(file.Get());
    const SourceEncoding encoding =
        reader.SkipUtf8Mark() ? SourceEncoding::Utf8 : SourceEncoding::Ansi;
    std::vector<std::wstring> lines;
    while (static_cast<int>(lines.size()) < count && !reader.AtEnd()) {
        lines.push_back(DecodeListLine(reader.ReadLine(lineLimit), encoding));
    }
    return lines;
}

}  // namespace mapwell
