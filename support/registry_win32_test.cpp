#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace mapwell {
namespace {

const std::wstring kBase = L"Software\\MapwellRegistryTest";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kBase.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kBase.c_str()); }
};

// An empty text is read as empty, not as the default.
TEST_F(Registry, WriteCreatesTheWholePathAndReadReturnsTheTextExactly) {
    const std::wstring path = kBase + L"\\Software\\Mapwell\\ImportAdd";
    for (const wchar_t* text : {L"M\u00FCller", L""}) {
        RegWriteString(HKEY_CURRENT_USER, path, L"kunden_Street", text);
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, path, L"kunden_Street", L"ERROR"), text);
    }
}

TEST_F(Registry, ValuesStoredByOthersAreReadAsText) {
    const DWORD number = 7;
    const wchar_t bare[] = {L'a', L'b', L'c'};
    const wchar_t inner[] = L"ab\0cd";
    // type, bytes, size, the text read
    const std::tuple<DWORD, const void*, DWORD, const wchar_t*> cases[] = {
        {REG_DWORD, &number, sizeof number, L"ERROR"},  // a number gives the default
        {REG_SZ, bare, sizeof bare, L"abc"},            // stored without its NUL: whole
        {REG_SZ, inner, sizeof inner, L"ab"},           // cut at its first NUL
    };
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kBase.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const auto& [type, data, size, text] : cases) {
        RegSetValueExW(key, L"raw", 0, type, static_cast<const BYTE*>(data), size);
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kBase, L"raw", L"ERROR"), text);
    }
    RegCloseKey(key);
}

TEST_F(Registry, AReadUnderAMissingKeyGivesTheDefaultAndCreatesNothing) {
    const std::wstring missing = kBase + L"\\nowhere";
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, missing, L"x", L"ERROR"), L"ERROR");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
}  // namespace mapwell
