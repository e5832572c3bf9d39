#include "app/engine/convert_surroundings.h"

#include <filesystem>

namespace mapwell {

std::wstring RunSettings::FullPath(const std::wstring& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(std::filesystem::path(path), ec);
    return ec ? path : full.wstring();
}

int ConvertSurroundings::FinishWebRoute(WebCollection& rows, ResultFile& result,
                                        ErrorList& errors) {
    if (web_) {
        return web_->FinishWebRoute(rows, result, errors);
    }
    for (int item = 1; item <= rows.Count(); ++item) {
        errors.Append(rows.Rows()[static_cast<std::size_t>(item)].Line);
    }
    return 0;
}

}  // namespace mapwell
