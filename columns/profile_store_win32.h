// The column profiles' store on Windows: text values under HKEY_CURRENT_USER,
// "Software\" + ProgramTitle + "\ImportAdd".
#pragma once

#include "columns/column_profile.h"

namespace mapwell {

class RegistryProfileStore : public ProfileStore {
public:
    // The key path is built from ProgramTitle at every call, as it stands then.
    std::wstring Read(std::wstring_view valueName, std::wstring_view fallback) override;
    void Write(std::wstring_view valueName, std::wstring_view text) override;
};

}  // namespace mapwell
