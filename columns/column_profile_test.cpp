#include "columns/column_profile.h"
#include "columns/fake_profile_store.h"

#include <gtest/gtest.h>

namespace mapwell {
namespace {

using Selections = std::array<int, kAddressFieldCount>;

TEST(ColumnProfile, KeyPathIsBuiltFromTheProgramTitle) {
    EXPECT_EQ(ProfileKeyPath(L"Mapwell"), L"Software\\Mapwell\\ImportAdd");
}

TEST(ColumnProfile, IndexTexts) {
    const struct {
        const wchar_t* text;
        std::optional<int> index;
    } cases[] = {
        {L"0", 0},
        {L"3", 3},
        {L"-1", -1},
        {L" 7 ", 7},
        {L"+2", 2},
        {L"32767", 32767},
        {L"-32768", -32768},
        {L"32768", std::nullopt},
        {L"", std::nullopt},
        {L"-", std::nullopt},
        {L"abc", std::nullopt},
        {L"2.5", std::nullopt},
        {L"1 2", std::nullopt},
        {L"99999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseIndexText(c.text), c.index) << c.text;
    }
}

TEST(ColumnProfile, SaveWritesNineDecimalTextsUnderTheProfileName) {
    FakeProfileStore store;
    SaveProfile(store, L"kunden", Selections{0, 1, 2, -1, 4, -1, 5, -1}, L";");
    EXPECT_EQ(store.values.size(), 9u);
    EXPECT_EQ(store.Get(L"kunden_Name1"), L"0");
    EXPECT_EQ(store.Get(L"kunden_Name2"), L"1");
    EXPECT_EQ(store.Get(L"kunden_Street"), L"2");
    EXPECT_EQ(store.Get(L"kunden_Zip"), L"-1");
    EXPECT_EQ(store.Get(L"kunden_City"), L"4");
    EXPECT_EQ(store.Get(L"kunden_Land"), L"-1");
    EXPECT_EQ(store.Get(L"kunden_B1"), L"5");
    EXPECT_EQ(store.Get(L"kunden_B2"), L"-1");
    EXPECT_EQ(store.Get(L"kunden_Sep"), L";");
}

TEST(ColumnProfile, AnEmptyProfileNameGivesTheSuffixesAlone) {
    FakeProfileStore store;
    SaveProfile(store, L"", Selections{0, -1, 1, -1, 2, -1, -1, -1}, L",");
    EXPECT_EQ(store.Get(L"_Street"), L"1");
    ASSERT_TRUE(ReadProfile(store, L"").has_value());
}

TEST(ColumnProfile, EngineFindsNoProfileWithoutName1) {
    FakeProfileStore store;
    store.Set(L"kunden_Street", L"2");
    EXPECT_FALSE(ReadProfile(store, L"kunden").has_value());
    EXPECT_FALSE(LoadProfileForDialog(store, L"kunden", 5).has_value());
}

TEST(ColumnProfile, EngineReadsDefaultsForMissingValues) {
    FakeProfileStore store;
    store.Set(L"kunden_Name1", L"0");
    store.Set(L"kunden_City", L"4");
    const auto profile = ReadProfile(store, L"kunden");
    ASSERT_TRUE(profile.has_value());
    EXPECT_EQ(profile->IndexTexts[0], L"0");
    EXPECT_EQ(profile->IndexTexts[2], L"-1");
    EXPECT_EQ(profile->Separator, L",");
    EXPECT_EQ(profile->ColumnOf(AddressField::City), 4);
    EXPECT_EQ(profile->ColumnOf(AddressField::Street), -1);
}

TEST(ColumnProfile, NamesDifferingInLetterCaseAreOneProfile) {
    FakeProfileStore store;
    SaveProfile(store, L"Kunden", Selections{0, 1, 2, 3, 4, 5, 6, 7}, L";");
    const auto profile = ReadProfile(store, L"KUNDEN");
    ASSERT_TRUE(profile.has_value());
    EXPECT_EQ(profile->Separator, L";");
}

TEST(ColumnProfile, AnIndexTextThatIsNoNumberHasNoColumn) {
    ColumnProfile profile;
    profile.IndexTexts = {L"abc", L"-5", L"2", L"", L"-1", L"1x", L"0", L"40000"};
    EXPECT_EQ(profile.ColumnOf(AddressField::Name1), -1);
    EXPECT_EQ(profile.ColumnOf(AddressField::Name2), -1);
    EXPECT_EQ(profile.ColumnOf(AddressField::Street), 2);
    EXPECT_EQ(profile.ColumnOf(AddressField::Zip), -1);
    EXPECT_EQ(profile.ColumnOf(AddressField::Land), -1);
    EXPECT_EQ(profile.ColumnOf(AddressField::B1), 0);
    EXPECT_EQ(profile.ColumnOf(AddressField::B2), -1);
}

TEST(ColumnProfile, DialogLoadKeepsBoxesWhoseStoredIndexDoesNotFit) {
    FakeProfileStore store;
    store.Set(L"kunden_Name1", L"0");
    store.Set(L"kunden_Name2", L"-1");
    store.Set(L"kunden_Street", L"abc");
    store.Set(L"kunden_Zip", L"-2");
    store.Set(L"kunden_City", L"7");  // the first line has five fields
    store.Set(L"kunden_Land", L"4");
    store.Set(L"kunden_B1", L"5");
    // kunden_B2 missing
    store.Set(L"kunden_Sep", L";");
    const auto loaded = LoadProfileForDialog(store, L"kunden", 5);
    ASSERT_TRUE(loaded.has_value());
    const std::array<std::optional<int>, kAddressFieldCount> expected = {
        0, -1, std::nullopt, std::nullopt, std::nullopt, 4, std::nullopt, -1};
    EXPECT_EQ(loaded->Selections, expected);
    EXPECT_EQ(loaded->Separator, L";");
}

TEST(ColumnProfile, WhatTheDialogSavesTheEngineAndTheDialogReadBack) {
    FakeProfileStore store;
    const Selections saved{3, -1, 0, 1, 2, -1, -1, 4};
    SaveProfile(store, L"liste", saved, L";");
    const auto profile = ReadProfile(store, L"liste");
    ASSERT_TRUE(profile.has_value());
    for (std::size_t f = 0; f < kAddressFieldCount; ++f) {
        EXPECT_EQ(profile->ColumnOf(static_cast<AddressField>(f)), saved[f]) << f;
    }
    const auto loaded = LoadProfileForDialog(store, L"liste", 5);
    ASSERT_TRUE(loaded.has_value());
    for (std::size_t f = 0; f < kAddressFieldCount; ++f) {
        EXPECT_EQ(loaded->Selections[f], saved[f]) << f;
    }
}

}  // namespace
}  // namespace mapwell
