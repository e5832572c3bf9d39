#include "app/byte_file.h"

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

std::string LineReader::ReadLine() {
    std::string line;
    while (Fill()) {
        const char* start = block_.data() + pos_;
        const char* end = block_.data() + size_;
        const char* cr = static_cast<const char*>(std::memchr(start, '\r', end - start));
        if (!cr) {
            line.append(start, end);
            pos_ = size_;
            continue;
        }
        line.append(start, cr);
        pos_ = static_cast<std::size_t>(cr - block_.data()) + 1;
        // The LF of a CR LF may lie in the next block.
        if (Fill() && block_[pos_] == '\n') {
            ++pos_;
        }
        return line;
    }
    return line;
}

}  // namespace mapwell
