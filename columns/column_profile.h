// The column profile: which column of a source line holds which part of an address, stored as
// nine text values per profile name. Platform-neutral; the store behind it is an interface so
// that the registry stays in the Windows build.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

// The eight fields of an address record, in the order in which a profile is loaded and saved.
enum class AddressField { Name1, Name2, Street, Zip, City, Land, B1, B2 };
inline constexpr std::size_t kAddressFieldCount = 8;

// The value-name suffix of each field, and of the separator.
inline constexpr std::array<std::wstring_view, kAddressFieldCount> kFieldSuffixes = {
    L"_Name1", L"_Name2", L"_Street", L"_Zip", L"_City", L"_Land", L"_B1", L"_B2"};
inline constexpr std::wstring_view kSeparatorSuffix = L"_Sep";

// The sentinel that tells a missing "_Name1" value from a stored one.
inline constexpr std::wstring_view kMissingProfile = L"ERROR";

// Where profiles live: one flat set of named text values. Read returns `fallback` when the
// value cannot be read as text; Write is silent on failure.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual std::wstring Read(std::wstring_view valueName, std::wstring_view fallback) = 0;
    virtual void Write(std::wstring_view valueName, std::wstring_view text) = 0;
};

// The key below HKEY_CURRENT_USER that holds every profile: "Software\" + title + "\ImportAdd".
std::wstring ProfileKeyPath(std::wstring_view programTitle);

// A profile as the conversion engine reads it: the index texts exactly as stored, and the
// separator.
struct ColumnProfile {
    std::array<std::wstring, kAddressFieldCount> IndexTexts;
    std::wstring Separator;

    // The zero-based column of `field`, or -1 when it has none or its text is not an index.
    int ColumnOf(AddressField field) const;
};

// The engine's reading: nothing when "_Name1" is missing; otherwise the eight index texts
// (default "-1") and the separator (default ",").
std::optional<ColumnProfile> ReadProfile(ProfileStore& store, std::wstring_view profileName);

// A stored index text as a 16-bit signed number: optional blanks around an optional sign and
// digits. Anything else, or a number outside -32768..32767, is no number.
std::optional<int> ParseIndexText(std::wstring_view text);

// What the column dialog takes over from a stored profile. A selection is -1 (clear the box) or
// a position below `entryCount`; nullopt means the box keeps what it has (a text that is not a
// number, a number below -1 or at or beyond the box's entries).
struct DialogProfile {
    std::array<std::optional<int>, kAddressFieldCount> Selections;
    std::wstring Separator;
};

// The dialog's load: nothing when no profile of that name exists, so the dialog keeps its own
// analysis. `entryCount` is the number of entries in each choice box.
std::optional<DialogProfile> LoadProfileForDialog(ProfileStore& store,
                                                  std::wstring_view profileName, int entryCount);

// The dialog's save: the eight selected positions (-1 for none) as decimal texts, then the
// separator. An empty profile name is allowed.
void SaveProfile(ProfileStore& store, std::wstring_view profileName,
                 const std::array<int, kAddressFieldCount>& selections,
                 std::wstring_view separator);

}  // namespace mapwell
