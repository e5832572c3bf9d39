#include "app/engine/convert_surroundings.h"

#include "support/byte_file.h"

namespace mapwell {

std::wstring RunSettings::FullPath(const std::wstring& path) {
    return FullPathOf(path);
}

}  // namespace mapwell
