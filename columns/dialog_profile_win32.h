// The column profile as the column assignment dialog loads and saves it: nine text values under
// HKEY_CURRENT_USER\Software\<program title>\ImportAdd, named by the profile name.
#pragma once

#include "columns/first_line.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

struct StoredProfile {
    std::array<std::wstring, kColumnBoxCount> columns;  // index texts as stored, "-1" when missing
    std::wstring separator;                             // "," when missing
};

// The stored profile of `name`, or nothing when its "_Name1" value cannot be read.
std::optional<StoredProfile> LoadStoredProfile(std::wstring_view name);

// Writes the nine values of `name`; failures are silent.
void SaveStoredProfile(std::wstring_view name, const ColumnChoices& choices,
                       std::wstring_view separator);

}  // namespace mapwell
