#include "columns/column_profile.h"

#include "support/text.h"

namespace mapwell {

namespace {

std::wstring ValueName(std::wstring_view profileName, std::wstring_view suffix) {
    std::wstring name(profileName);
    name += suffix;
    return name;
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring ProfileKeyPath(std::wstring_view programTitle) {
    std::wstring path = L"Software\\";
    path += programTitle;
    path += L"\\ImportAdd";
    return path;
}

std::optional<int> ParseIndexText(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i++] == L'-';
    }
    long value = 0;
    bool any = false;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        any = true;
        if (value > 32768) {
            return std::nullopt;
        }
    }
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (!any || i != text.size()) {
        return std::nullopt;
    }
    if (negative) {
        value = -value;
    }
    if (value > 32767) {
        return std::nullopt;
    }
    return static_cast<int>(value);
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
