#include "support/files.h"
#include "support/registry.h"
#include "testing/test_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace mapwell {
namespace {

// A written text comes back exactly, an empty one as empty; a value of another type and one
// under a missing key (which the read does not create) give the default.
TEST(Registry, ReadsBackWhatWasWrittenAndTheDefaultForAnythingElse) {
    const std::wstring base = L"Software\\MapwellRegistryTest";
    RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
    const std::wstring path = base + L"\\Software\\Mapwell\\ImportAdd";  // no part exists yet
    for (const wchar_t* text : {L"M\u00FCller", L""}) {
        RegWriteString(HKEY_CURRENT_USER, path, L"kunden_Street", text);
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, path, L"kunden_Street", L"ERROR"), text);
    }
    const DWORD number = 7;
    const wchar_t bare[] = {L'a', L'b', L'c'};
    const wchar_t inner[] = L"ab\0cd";
    // type, bytes, size, the text read
    const std::tuple<DWORD, const void*, DWORD, const wchar_t*> cases[] = {
        {REG_DWORD, &number, sizeof number, L"ERROR"},
        {REG_SZ, bare, sizeof bare, L"abc"},   // stored without its NUL: whole
        {REG_SZ, inner, sizeof inner, L"ab"},  // cut at its first NUL
    };
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, base.c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    for (const auto& [type, data, size, text] : cases) {
        RegSetValueExW(key, L"raw", 0, type, static_cast<const BYTE*>(data), size);
        EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, base, L"raw", L"ERROR"), text);
    }
    RegCloseKey(key);
    const std::wstring missing = base + L"\\nowhere";
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, missing, L"x", L"ERROR"), L"ERROR");
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
}

TEST(FileExists, AnEmptyFileWithADotCountsAsMissingUnlessTheLengthTestIsSkipped) {
    TestFolder folder;
    TestFolder::Put(folder / "kunden.csv", "");
    TestFolder::Put(folder / "liste", "");
    TestFolder::Put(folder / "full.csv", "a,b,c,d\r\n");
    const std::wstring in = folder.Path().wstring() + L"\\";
    EXPECT_FALSE(FileExists(in + L"kunden.csv", 0));
    EXPECT_TRUE(FileExists(in + L"kunden.csv", 1));
    EXPECT_TRUE(FileExists(in + L"full.csv", 0));
    EXPECT_FALSE(FileExists(in + L"missing.csv", 0));
    EXPECT_FALSE(FileExists(L"", 0));
    // The test folder's own path may hold a dot; the rule looks at the whole path.
    EXPECT_EQ(FileExists(in + L"liste", 0), in.find(L'.') == std::wstring::npos);
}

}  // namespace
}  // namespace mapwell
