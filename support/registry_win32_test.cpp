#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>

namespace mapwell {
namespace {

// Each test works below a key of its own and removes it afterwards.
class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        base_ = L"Software\\MapwellTest\\" + std::wstring(test.begin(), test.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str()); }

    bool KeyExists(const std::wstring& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, base_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }

    std::wstring base_;
};

TEST_F(Registry, WriteCreatesTheWholePathAndReadReturnsTheTextExactly) {
    const std::wstring path = base_ + L"\\Software\\Mapwell\\ImportAdd";
    RegWriteString(HKEY_CURRENT_USER, path, L"kunden_Street", L"2");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, path, L"kunden_Street", L"-1"), L"2");
    RegWriteString(HKEY_CURRENT_USER, path, L"kunden_Street", L"M\u00FCller");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, path, L"kunden_Street"), L"M\u00FCller");
}

TEST_F(Registry, AnEmptyTextIsReadAsEmptyNotAsTheDefault) {
    RegWriteString(HKEY_CURRENT_USER, base_, L"empty", L"");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, base_, L"empty", L"ERROR"), L"");
}

TEST_F(Registry, ANumberValueGivesTheDefault) {
    const DWORD number = 7;
    SetRaw(L"number", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, base_, L"number", L"ERROR"), L"ERROR");
}

TEST_F(Registry, AReadUnderAMissingKeyGivesTheDefaultAndCreatesNothing) {
    const std::wstring missing = base_ + L"\\nowhere";
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, missing, L"x", L"ERROR"), L"ERROR");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, missing, L"x"), L"");
    EXPECT_FALSE(KeyExists(missing));
}

TEST_F(Registry, ATextStoredWithoutItsNulComesBackWhole) {
    const wchar_t text[] = {L'a', L'b', L'c'};
    SetRaw(L"bare", REG_SZ, text, sizeof text);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, base_, L"bare"), L"abc");
}

TEST_F(Registry, ATextIsCutAtItsFirstNul) {
    const wchar_t text[] = L"ab\0cd";
    SetRaw(L"inner", REG_SZ, text, sizeof text);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, base_, L"inner"), L"ab");
}

TEST_F(Registry, ValueNamesMatchWithoutRegardToLetterCase) {
    RegWriteString(HKEY_CURRENT_USER, base_, L"Kunden_Name1", L"0");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, base_, L"KUNDEN_name1", L"ERROR"), L"0");
}

}  // namespace
}  // namespace mapwell
