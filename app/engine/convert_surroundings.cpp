#include "app/engine/convert_surroundings.h"

#include "support/byte_file.h"

namespace mapwell {

std::wstring RunSettings::FullPath(const std::wstring& path) {
    return FullPathOf(path);
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
