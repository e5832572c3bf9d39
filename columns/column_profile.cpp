#include "columns/column_profile.h"

#include "support/text.h"

namespace mapwell {

namespace {

std::wstring ValueName(std::wstring_view profileName, std::wstring_view suffix) {
    std::wstring name(profileName);
    name += suffix;
    return name;
}

}  // namespace

std::wstring ProfileKeyPath(std::wstring_view programTitle) {
    std::wstring path = L"Software\\";
    path += programTitle;
    path += L"\\ImportAdd";
    return path;
}

std::optional<int> ParseIndexText(std::wstring_view text) {
    const NumberRules wholeNumber{L" \t", false, L"", L"", L""};
    const LeadingNumber number = ReadNumber(text, wholeNumber);
    if (!number.found || number.length != text.size() || number.value < -32768 ||
        number.value > 32767) {
        return std::nullopt;
    }
    return static_cast<int>(number.value);
}

int ColumnProfile::ColumnOf(AddressField field) const {
    const auto index = ParseIndexText(IndexTexts[static_cast<std::size_t>(field)]);
    return index && *index >= 0 ? *index : -1;
}

std::optional<ColumnProfile> ReadProfile(ProfileStore& store, std::wstring_view profileName) {
    if (store.Read(ValueName(profileName, kFieldSuffixes[0]), kMissingProfile) == kMissingProfile) {
        return std::nullopt;
    }
    ColumnProfile profile;
    for (std::size_t f = 0; f < kAddressFieldCount; ++f) {
        profile.IndexTexts[f] = store.Read(ValueName(profileName, kFieldSuffixes[f]), L"-1");
    }
    profile.Separator = store.Read(ValueName(profileName, kSeparatorSuffix), L",");
    return profile;
}

std::optional<DialogProfile> LoadProfileForDialog(ProfileStore& store,
                                                  std::wstring_view profileName, int entryCount) {
    if (store.Read(ValueName(profileName, kFieldSuffixes[0]), kMissingProfile) == kMissingProfile) {
        return std::nullopt;
    }
    DialogProfile loaded;
    for (std::size_t f = 0; f < kAddressFieldCount; ++f) {
        const auto index =
            ParseIndexText(store.Read(ValueName(profileName, kFieldSuffixes[f]), L"-1"));
        if (index && *index >= -1 && *index < entryCount) {
            loaded.Selections[f] = *index;
        }
    }
    loaded.Separator = store.Read(ValueName(profileName, kSeparatorSuffix), L",");
    return loaded;
}

void SaveProfile(ProfileStore& store, std::wstring_view profileName,
                 const std::array<int, kAddressFieldCount>& selections,
                 std::wstring_view separator) {
    for (std::size_t f = 0; f < kAddressFieldCount; ++f) {
        store.Write(ValueName(profileName, kFieldSuffixes[f]), DecimalText(selections[f]));
    }
    store.Write(ValueName(profileName, kSeparatorSuffix), separator);
}

}  // namespace mapwell
