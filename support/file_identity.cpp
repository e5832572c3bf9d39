#include "support/file_identity.h"

#include "support/byte_file.h"
#include "support/text.h"

namespace mapwell {

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    const std::optional<FileIdentity> first = IdentityOf(a), second = IdentityOf(b);
    if (first || second) {
        return first == second;
    }
    const auto full = [](const std::filesystem::path& path) {
        return std::filesystem::path(FullPathOf(path.wstring())).lexically_normal().wstring();
    };
    return SameInAnyCase(full(a), full(b));
}

}  // namespace mapwell
