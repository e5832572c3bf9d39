#include "columns/profile_store_win32.h"

#include "support/program.h"
#include "support/registry.h"

namespace mapwell {

std::wstring RegistryProfileStore::Read(std::wstring_view valueName, std::wstring_view fallback) {
    return RegReadString(HKEY_CURRENT_USER, ProfileKeyPath(ProgramTitle), valueName, fallback);
}

void RegistryProfileStore::Write(std::wstring_view valueName, std::wstring_view text) {
    RegWriteString(HKEY_CURRENT_USER, ProfileKeyPath(ProgramTitle), valueName, text);
}

}  // namespace mapwell
