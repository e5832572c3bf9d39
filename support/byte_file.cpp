// Files as plain bytes, opened by wide path on Windows and by the native path elsewhere.
#include "support/byte_file.h"

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
