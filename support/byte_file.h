// Files as plain bytes, opened by wide path on Windows and by the native path elsewhere. What the
// bytes of a source list mean is read in support/encoding/. Platform-neutral.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
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

// The whole file in one read; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

// `path` made absolute against the current folder; `path` itself when that fails.
std::wstring FullPathOf(const std::wstring& path);

}  // namespace mapwell
