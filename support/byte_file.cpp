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
    return !pendingUnit_ && !Fill();
}

SourceEncoding LineReader::ReadEncoding() {
    // The decision wants the whole head, which one read need not give.
    while (file_ && pos_ == 0 && size_ < block_.size()) {
        const std::size_t read = std::fread(block_.data() + size_, 1, block_.size() - size_, file_);
        if (read == 0) {
            break;
        }
        size_ += read;
    }
    const ListEncoding found = DecideEncoding(std::string_view(block_.data() + pos_, size_ - pos_));
    pos_ += found.markLength;
    encoding_ = found.encoding;
    return encoding_;
}

std::string LineReader::ReadLine(std::size_t limit) {
    if (encoding_ == SourceEncoding::Utf16Le || encoding_ == SourceEncoding::Utf16Be) {
        return ReadUtf16Line(limit);
    }
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

bool LineReader::NextUnit(char16_t& unit) {
    if (pendingUnit_) {
        unit = *pendingUnit_;
        pendingUnit_.reset();
        return true;
    }
    unsigned char bytes[2];
    for (unsigned char& byte : bytes) {
        if (!Fill()) {
            return false;  // an odd last byte is no character
        }
        byte = static_cast<unsigned char>(block_[pos_++]);
    }
    const bool little = encoding_ == SourceEncoding::Utf16Le;
    unit = static_cast<char16_t>(little ? bytes[0] | bytes[1] << 8 : bytes[0] << 8 | bytes[1]);
    return true;
}

std::string LineReader::ReadUtf16Line(std::size_t limit) {
    // A line of UTF-16 units gives at least one byte of UTF-8 per unit: `limit` units are enough.
    std::wstring units;
    char16_t unit = 0;
    while (NextUnit(unit)) {
        if (unit == u'\r') {
            if (NextUnit(unit) && unit != u'\n') {
                pendingUnit_ = unit;
            }
            break;
        }
        if (units.size() < limit) {
            units += static_cast<wchar_t>(unit);
        }
    }
    std::string line = WideToUtf8(units);
    if (line.size() > limit) {
        line.resize(limit);
    }
    return line;
}

std::optional<std::vector<std::wstring>> ReadListHead(const std::filesystem::path& path, int count,
                                                      std::size_t lineLimit) {
    ByteFile file(path, ByteFile::Mode::Read);
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    LineReader reader(file.Get());
    const SourceEncoding encoding = reader.ReadEncoding();
    std::vector<std::wstring> lines;
    while (static_cast<int>(lines.size()) < count && !reader.AtEnd()) {
        lines.push_back(DecodeListLine(reader.ReadLine(lineLimit), encoding));
    }
    return lines;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    ByteFile file(path, ByteFile::Mode::Read);
    std::vector<std::uint8_t> bytes;
    if (!file.IsOpen()) {
        return bytes;
    }
    std::error_code ec;
    if (const auto size = std::filesystem::file_size(path, ec); !ec) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    std::uint8_t block[16384];
    for (std::size_t read = 0; (read = std::fread(block, 1, sizeof block, file.Get())) > 0;) {
        bytes.insert(bytes.end(), block, block + read);
    }
    if (std::ferror(file.Get())) {
        bytes.clear();
    }
    return bytes;
}

std::wstring FullPathOf(const std::wstring& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(std::filesystem::path(path), ec);
    return ec ? path : full.wstring();
}

}  // namespace mapwell
