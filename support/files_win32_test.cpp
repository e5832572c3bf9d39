#include "support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace mapwell {
namespace {

TEST(FileExists, AnEmptyFileWithADotCountsAsMissingUnlessTheLengthTestIsSkipped) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = temp + std::wstring(L"mapwell-files-test\\");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::pair<const wchar_t*, const char*> files[] = {
        {L"kunden.csv", ""}, {L"liste", ""}, {L"full.csv", "a,b,c,d\r\n"}};
    for (const auto& [name, bytes] : files) {
        std::ofstream(std::filesystem::path(folder + name), std::ios::binary) << bytes;
    }
    EXPECT_FALSE(FileExists(folder + L"kunden.csv", 0));
    EXPECT_TRUE(FileExists(folder + L"kunden.csv", 1));
    EXPECT_TRUE(FileExists(folder + L"full.csv", 0));
    EXPECT_FALSE(FileExists(folder + L"missing.csv", 0));
    EXPECT_FALSE(FileExists(L"", 0));
    // The temporary folder's own path may hold a dot; the rule looks at the whole path.
    EXPECT_EQ(FileExists(folder + L"liste", 0), folder.find(L'.') == std::wstring::npos);
}

}  // namespace
}  // namespace mapwell
