#include "columns/profile_store_win32.h"

#include "support/program.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace mapwell {
namespace {

// Each test works under its own program title, so that profiles of earlier runs do not count.
class RegistryProfiles : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramTitle = L"MapwellTest" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                       std::to_wstring(GetTickCount());
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + ProgramTitle).c_str());
        ProgramTitle = L"Mapwell";
    }
    RegistryProfileStore store;
};

TEST_F(RegistryProfiles, SavedProfileLiesUnderTheProgramsKey) {
    SaveProfile(store, L"kunden", {0, 1, 2, -1, 4, -1, -1, 5}, L";");
    const std::wstring key = L"Software\\" + ProgramTitle + L"\\ImportAdd";
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, L"kunden_Street", L"x"), L"2");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, L"kunden_Zip", L"x"), L"-1");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, L"kunden_Sep", L"x"), L";");
}

TEST_F(RegistryProfiles, RoundTrip) {
    EXPECT_FALSE(ReadProfile(store, L"kunden").has_value());
    SaveProfile(store, L"kunden", {0, 1, 2, -1, 4, -1, -1, 5}, L";");
    const auto profile = ReadProfile(store, L"KUNDEN");
    ASSERT_TRUE(profile.has_value());
    EXPECT_EQ(profile->ColumnOf(AddressField::Street), 2);
    EXPECT_EQ(profile->ColumnOf(AddressField::Zip), -1);
    EXPECT_EQ(profile->ColumnOf(AddressField::B2), 5);
    EXPECT_EQ(profile->Separator, L";");
    const auto loaded = LoadProfileForDialog(store, L"kunden", 5);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Selections[4], 4);
    EXPECT_FALSE(loaded->Selections[7].has_value());  // column 5 does not fit five entries
}

TEST_F(RegistryProfiles, AName1OfAnotherTypeMeansNoProfile) {
    const std::wstring key = L"Software\\" + ProgramTitle + L"\\ImportAdd";
    RegWriteString(HKEY_CURRENT_USER, key, L"kunden_Street", L"2");
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle),
              ERROR_SUCCESS);
    const DWORD zero = 0;
    RegSetValueExW(handle, L"kunden_Name1", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                   sizeof zero);
    RegCloseKey(handle);
    EXPECT_FALSE(ReadProfile(store, L"kunden").has_value());
}

}  // namespace
}  // namespace mapwell
