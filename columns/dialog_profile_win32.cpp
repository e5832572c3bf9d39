#include "columns/dialog_profile_win32.h"

#include "support/program.h"
#include "support/registry.h"
#include "support/text.h"

namespace mapwell {

namespace {

constexpr const wchar_t* kSuffixes[kColumnBoxCount] = {L"_Name1", L"_Name2", L"_Street", L"_Zip",
                                                       L"_City",  L"_Land",  L"_B1",     L"_B2"};
constexpr wchar_t kSepSuffix[] = L"_Sep";
constexpr wchar_t kMissing[] = L"ERROR";

std::wstring KeyPath() {
    return L"Software\\" + ProgramTitle + L"\\ImportAdd";
}

}  // namespace

std::optional<StoredProfile> LoadStoredProfile(std::wstring_view name) {
    const std::wstring base(name);
    if (RegReadString(HKEY_CURRENT_USER, KeyPath(), base + kSuffixes[0], kMissing) == kMissing) {
        return std::nullopt;
    }
    StoredProfile profile;
    for (int box = 0; box < kColumnBoxCount; ++box) {
        profile.columns[box] =
            RegReadString(HKEY_CURRENT_USER, KeyPath(), base + kSuffixes[box], L"-1");
    }
    profile.separator = RegReadString(HKEY_CURRENT_USER, KeyPath(), base + kSepSuffix, L",");
    return profile;
}

void SaveStoredProfile(std::wstring_view name, const ColumnChoices& choices,
                       std::wstring_view separator) {
    const std::wstring base(name);
    for (int box = 0; box < kColumnBoxCount; ++box) {
        RegWriteString(HKEY_CURRENT_USER, KeyPath(), base + kSuffixes[box],
                       DecimalText(choices[box]));
    }
    RegWriteString(HKEY_CURRENT_USER, KeyPath(), base + kSepSuffix, separator);
}

}  // namespace mapwell
