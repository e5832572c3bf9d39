#include "columns/column_profile.h"
#include "columns/fake_profile_store.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

using Selections = std::array<int, kAddressFieldCount>;

TEST(ColumnProfile, IndexTexts) {
    const std::pair<const wchar_t*, int> numbers[] = {
        {L"0", 0},  {L"3", 3},         {L"-1", -1},        {L"\t7 ", 7},
        {L"+2", 2}, {L"32767", 32767}, {L"-32768", -32768}};
    for (const auto& [text, index] : numbers) {
        EXPECT_EQ(ParseIndexText(text), index) << text;
    }
    for (const wchar_t* text :
         {L"32768", L"", L"-", L"abc", L"2.5", L"1 2", L"1\n", L"99999999999"}) {
        EXPECT_FALSE(ParseIndexText(text).has_value()) << text;
    }
}

TEST(ColumnProfile, SaveWritesNineDecimalTextsUnderTheProfileName) {
    FakeProfileStore store;
    SaveProfile(store, L"kunden", Selections{0, 1, 2, -1, 4, -1, 5, -1}, L";");
    const std::map<std::wstring, std::wstring> expected = {
        {L"kunden_Name1", L"0"}, {L"kunden_Name2", L"1"}, {L"kunden_Street", L"2"},
        {L"kunden_Zip", L"-1"},  {L"kunden_City", L"4"},  {L"kunden_Land", L"-1"},
        {L"kunden_B1", L"5"},    {L"kunden_B2", L"-1"},   {L"kunden_Sep", L";"},
    };
    EXPECT_EQ(store.values, expected);
    // An empty profile name gives the suffixes alone.
    SaveProfile(store, L"", Selections{0, -1, 1, -1, 2, -1, -1, -1}, L",");
    EXPECT_EQ(store.values[L"_Street"], L"1");
    EXPECT_TRUE(ReadProfile(store, L"").has_value());
}

TEST(ColumnProfile, TheEngineAndTheDialogReadAStoredProfileEachByItsOwnRules) {
    FakeProfileStore store;
    store.Write(L"kunden_Street", L"2");
    EXPECT_FALSE(ReadProfile(store, L"kunden").has_value()) << "no Name1, no profile";
    EXPECT_FALSE(LoadProfileForDialog(store, L"kunden", 5).has_value());

    const wchar_t* stored[] = {L"0", L"-1", L"abc", L"-2", L"7", L"4", L"1x"};  // B2 missing
    for (std::size_t f = 0; f < std::size(stored); ++f) {
        store.Write(L"kunden" + std::wstring(kFieldSuffixes[f]), stored[f]);
    }
    const auto profile = ReadProfile(store, L"kunden");
    ASSERT_TRUE(profile.has_value());
    Selections columns{};
    for (std::size_t f = 0; f < kAddressFieldCount; ++f) {
        columns[f] = profile->ColumnOf(static_cast<AddressField>(f));
    }
    EXPECT_EQ(columns, (Selections{0, -1, -1, -1, 7, 4, -1, -1}));
    EXPECT_EQ(profile->IndexTexts[7], L"-1");
    EXPECT_EQ(profile->Separator, L",");
    // The dialog, with five entries in each box, keeps the boxes whose stored index does not fit.
    const auto loaded = LoadProfileForDialog(store, L"kunden", 5);
    ASSERT_TRUE(loaded.has_value());
    const std::array<std::optional<int>, kAddressFieldCount> expected = {
        0, -1, std::nullopt, std::nullopt, std::nullopt, 4, std::nullopt, -1};
    EXPECT_EQ(loaded->Selections, expected);
    EXPECT_EQ(loaded->Separator, L",");
}

}  // namespace
}  // namespace mapwell
