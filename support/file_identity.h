// Whether two paths name one file: by the file's identity on its volume, so that another letter
// case, a relative path, forward slashes or a short name all count as the same file. A run uses
// it so that it never writes a file it reads. Platform-neutral; each platform supplies
// IdentityOf.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace mapwell {

// A file's volume and its number on that volume.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the existing file (or folder) at `path`; nullopt when there is none.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// True when `a` and `b` name one file: for existing files by identity; for paths of which
// neither exists yet, when their full forms are equal in any letter case, as Windows compares
// names.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace mapwell
