// The column assignment dialog `ImportAdd`: shown modally for the source list whose path is in
// `ImportExchange`; leaves the profile name (OK) or "Exit" (Cancel, or closing the window) there.
#pragma once

#include "columns/import_add_layout.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace mapwell {

// "Exit": what the dialog hands back when it is left without OK.
inline constexpr wchar_t kImportAddCancelled[] = L"Exit";

struct ImportAddResult {
    bool opened = true;              // false: the list could not be read, or the dialog failed
    const wchar_t* errorText = L"";  // why
};

ImportAddResult ShowImportAdd(HWND owner);

// The first `count` lines of the list at `path`, as the dialog reads them; nothing when the list
// cannot be read.
std::optional<std::vector<std::string>> ReadLeadingLines(const std::wstring& path, int count);

}  // namespace mapwell
